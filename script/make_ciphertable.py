#!/usr/bin/env python3
"""Writes ciphertable.inc: 127 rows, each a permutation of the bytes 1..127.

The table is a fixed part of the program: a script enciphered with one
table can only be read with the same table.  Never regenerate it for a
shipped program.  Run: python3 make_ciphertable.py > ciphertable.inc
"""
import random

rng = random.Random(0x4B53544C)  # fixed seed: the table must never change
print("/* Substitution table of the script cipher: 127 rows, each a")
print(" * permutation of the byte values 1..127.")
print(" * Made by: python3 make_ciphertable.py > ciphertable.inc */")
print("static const unsigned char s_abCipherTable[127][127] = {")
for _ in range(127):
    row = list(range(1, 128))
    rng.shuffle(row)
    text = ",".join(str(b) for b in row)
    print("    {" + text + "},")
print("};")
