#!/usr/bin/env python3
"""Writes the seed save files of fuzz-save-file into this folder (run it from anywhere).

Each seed is a save file for the problem file easy.dat that the fuzz target lays beside it:
the layout is a 164-byte header (name, record count, current puzzle, stored-game flag, clock,
81-cell grid, 3 padding bytes) and 64-byte records (file key, 30 clear times), little-endian.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The difficulty texts of the fuzz target's easy.dat, whose CRC-32C register is the file key.
DIFFICULTY_TEXTS = [b"1", b"2", b" 3 hard"]


def file_key(texts):
    table = []
    for n in range(256):
        c = n
        for _ in range(8):
            c = (c >> 1) ^ 0x82F63B78 if c & 1 else c >> 1
        table.append(c)
    register = 0xFFFFFFFF
    for text in texts:
        for byte in text:
            register = (register >> 8) ^ table[(register ^ byte) & 0xFF]
    return register


def header(name, count, index, flag, seconds, grid=bytes(81), padding=bytes(3)):
    return (name.ljust(64, b"\0") + struct.pack("<iiii", count, index, flag, seconds)
            + grid + padding)


def record(key, times=()):
    times = list(times) + [0] * (30 - len(times))
    return struct.pack("<I30h", key, *times)


def main():
    key = file_key(DIFFICULTY_TEXTS)
    grid = bytearray(81)
    grid[2], grid[3], grid[80] = 1, 2, 9
    seeds = {
        "header-only.sav": header(b"easy.dat", 0, 1, 1, 130),
        "resume.sav": header(b"easy.dat", 1, 1, 1, 130, bytes(grid)) + record(key, [75]),
        "solved.sav": header(b"easy.dat", 2, 2, -1, 60) + record(key ^ 1) + record(key, [75, 80]),
        "huge-count.sav": header(b"easy.dat", 0x7FFFFFFF, 0, 1, 5000) + record(key),
        "negative-count.sav": header(b"easy.dat", -1, 7, 1, -3) + record(key) + record(7),
        "bad-grid.sav": header(b"easy.dat", 1, 0, 1, 10, bytes([10] * 81)) + record(key),
        "short.sav": header(b"easy.dat", 1, 0, 1, 10)[:100],
        "missing-problem-file.sav": header(b"other.dat", 1, 0, 1, 10) + record(key),
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
