#!/usr/bin/env python3
"""Writes the seed notes files of fuzz-notes-file into this folder (run it from anywhere).

A notes file is 263 bytes, little-endian: "KVNT", version 1, the problem file's key, the
puzzle's index, 81 two-byte note masks, the 81 placed digits, and the CRC-32C (reflected
polynomial 0x82F63B78, initial and final XOR 0xFFFFFFFF) of everything before it. A game with
flags (paused 0x100, hint used 1, wrong digit placed 2) is version 2, 267 bytes: the flags come
as four more bytes before the checksum.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def crc32c(data):
    register = 0xFFFFFFFF
    for byte in data:
        register ^= byte
        for _ in range(8):
            register = (register >> 1) ^ 0x82F63B78 if register & 1 else register >> 1
    return register ^ 0xFFFFFFFF


def notes_file(key, index, notes, grid, version=1, magic=b"KVNT", flags=None):
    body = magic + struct.pack("<IIi", version, key, index)
    body += struct.pack("<81H", *notes) + bytes(grid)
    if flags is not None:
        body += struct.pack("<I", flags)
    return body + struct.pack("<I", crc32c(body))


def main():
    grid = [0] * 81
    grid[2], grid[3], grid[80] = 1, 2, 9
    notes = [0] * 81
    for cell in range(81):
        if grid[cell] == 0:
            notes[cell] = (cell * 37) & 0x1FF
    valid = notes_file(0x1234ABCD, 3, notes, grid)
    damaged = bytearray(valid)
    damaged[100] ^= 0x40
    note_on_digit = list(notes)
    note_on_digit[2] = 1
    seeds = {
        "valid.mem": valid,
        "no-notes.mem": notes_file(7, 0, [0] * 81, [0] * 81),
        "all-notes.mem": notes_file(0xFFFFFFFF, 29, [0x1FF] * 81, [0] * 81),
        "damaged.mem": bytes(damaged),
        "short.mem": valid[:200],
        "version-2.mem": notes_file(7, 0, notes, grid, version=2),
        "note-on-digit.mem": notes_file(7, 0, note_on_digit, grid),
        "index-30.mem": notes_file(7, 30, notes, grid),
        "paused.mem": notes_file(0x1234ABCD, 3, notes, grid, version=2, flags=0x103),
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
