/* Directories and disk space; application set-up and the destination. */
