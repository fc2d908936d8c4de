#!/usr/bin/env python3
"""Writes mutated install scripts for the robustness run.

usage: mutate.py SAMPLE_DIR OUT_DIR COUNT SEED
Each output is a sample script changed by one or more mutations: byte
flips, cuts, giant lines, odd headers, NUL and high bytes, lone LFs, a
leading '@' (taken as enciphered), oversized files."""
import os, random, sys

def flip(rng, b):
    b = bytearray(b)
    for _ in range(rng.randint(1, 20)):
        if b:
            b[rng.randrange(len(b))] = rng.randrange(256)
    return bytes(b)

def cut(rng, b):
    return b[:rng.randrange(len(b) + 1)]

def giant_line(rng, b):
    pos = rng.randrange(len(b) + 1)
    line = b"Key=" + bytes([rng.choice(b"x%@\\\",=;[]")]) * rng.choice([1100, 5000, 70000]) + b"\r\n"
    return b[:pos] + line + b[pos:]

def odd_header(rng, b):
    heads = [b"[", b"]", b"[]", b"[[]]", b"[" + b"N" * 400 + b"]", b"[End", b"[ End ]",
             b"[Config]]", b"\t[Config]", b"[%s%n%x]", b"[\xff\xfe]", b"[\x00]", b"[" * 300]
    pos = rng.randrange(len(b) + 1)
    return b[:pos] + b"\r\n" + rng.choice(heads) + b"\r\n" + b[pos:]

def nul_high(rng, b):
    b = bytearray(b)
    for _ in range(rng.randint(1, 10)):
        if b:
            b[rng.randrange(len(b))] = rng.choice([0, 0x80, 0xff, 0x1a, 0x0d, 0x0a])
    return bytes(b)

def lone_lf(rng, b):
    return b.replace(b"\r\n", b"\n") if rng.random() < 0.5 else b.replace(b"\r\n", b"\r")

def enciphered(rng, b):
    return b"@" + bytes([rng.randrange(256)]) + b

def oversized(rng, b):
    return b + (b"; " + b"p" * 998 + b"\r\n") * 300 + b"[Tail]\r\nk=v\r\n"

def repeat(rng, b):
    return b * rng.randint(2, 50)

LIMIT = 1024 * 1024

MUTATIONS = [flip, cut, giant_line, odd_header, nul_high, lone_lf, enciphered, oversized, repeat]

def main():
    sample_dir, out_dir, count, seed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    rng = random.Random(seed)
    samples = [open(os.path.join(sample_dir, n), "rb").read()
               for n in sorted(os.listdir(sample_dir)) if n.upper().endswith(".INF")]
    os.makedirs(out_dir, exist_ok=True)
    for i in range(count):
        data = rng.choice(samples) or b"[Config]\r\n"
        for _ in range(rng.randint(1, 3)):
            data = rng.choice(MUTATIONS)(rng, data) or b"["
        # The loader reads at most 256 KB of a script; a megabyte is enough
        # to show the cut, and keeps the run's disk use small.
        data = data[:LIMIT]
        with open(os.path.join(out_dir, "M%04d.INF" % i), "wb") as f:
            f.write(data)

main()
