#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds a reproducible folder tree for the engine benchmarks.

    engine_tree.py DEST FILES FOLDERS [--sparse] [--seed N]

DEST must not exist yet. FOLDERS folders are spread over two levels below
DEST (about the square root of FOLDERS at the first level), and FILES files
over all of them. Sizes run from 1 to 4096 bytes; with --sparse the files are
only given their size (no data written), which is quick for very large trees.
About one name in twenty starts with a dot, as in real caches.
"""
import argparse
import math
import os
import random
import sys


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dest")
    parser.add_argument("files", type=int)
    parser.add_argument("folders", type=int)
    parser.add_argument("--sparse", action="store_true")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    if os.path.exists(args.dest):
        sys.exit(f"{args.dest} exists already")
    rng = random.Random(args.seed)
    os.makedirs(args.dest)

    folders = [args.dest]
    top = max(1, int(math.sqrt(args.folders)))
    made = 0
    for i in range(top):
        if made >= args.folders:
            break
        first = os.path.join(args.dest, f"{'.' if i % 20 == 19 else ''}cache{i:04d}")
        os.mkdir(first)
        folders.append(first)
        made += 1
        per = max(0, (args.folders - top) // top)
        for j in range(per):
            if made >= args.folders:
                break
            second = os.path.join(first, f"entry-{j:04d}-{rng.randrange(1 << 32):08x}")
            os.mkdir(second)
            folders.append(second)
            made += 1

    payload = os.urandom(4096)
    for n in range(args.files):
        folder = folders[n % len(folders)]
        dot = "." if rng.randrange(20) == 0 else ""
        name = f"{dot}f{n:07d}_{rng.randrange(1 << 24):06x}.tmp"
        size = rng.randint(1, 4096)
        path = os.path.join(folder, name)
        with open(path, "wb") as out:
            if args.sparse:
                out.truncate(size)
            else:
                out.write(payload[:size])
    print(f"{args.files} files in {len(folders)} folders under {args.dest}")


if __name__ == "__main__":
    main()
