#!/usr/bin/env python3
"""Writes the seed records logs of fuzz-records-log into this folder (run it from anywhere).

A records log is "KVLG", version 1 (4 bytes, little-endian), then 24-byte records: the problem
file's key (4), the puzzle's index (1), the grade (1, signed), the flags (1: hint used 1, wrong
digit placed 2), a zero byte, the clear time in seconds (4), the date in seconds since 1970 (8,
signed) and the CRC-32C (reflected polynomial 0x82F63B78, initial and final XOR 0xFFFFFFFF) of
the record's first 20 bytes.
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


def record(key, index, grade, flags, seconds, date):
    body = struct.pack("<IBbBBIq", key, index, grade, flags, 0, seconds, date)
    return body + struct.pack("<I", crc32c(body))


def main():
    header = b"KVLG" + struct.pack("<I", 1)
    records = [
        record(0x1234ABCD, 0, 1, 0, 75, 1700000000),
        record(0x1234ABCD, 29, 10, 3, 3599, -1),
        record(0xFFFFFFFF, 5, -56, 1, 0, 0),
    ]
    whole = header + b"".join(records)
    damaged = bytearray(whole)
    damaged[8 + 24 + 3] ^= 0x40
    seeds = {
        "three.log": whole,
        "empty.log": header,
        "cut.log": whole[:-7],
        "damaged-middle.log": bytes(damaged),
        "bad-header.log": b"KVLG" + struct.pack("<I", 2) + records[0],
        "index-30.log": header + record(7, 30, 1, 0, 10, 0),
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
