#!/usr/bin/env python3
"""Prints what a Windows module says of itself: its file version, from its version
resource, and the processor it is built for.

    pe_info.py MODULE      ->  1.0.0.0 x64

The version block's fixed part (VS_FIXEDFILEINFO) starts with the signature
0xFEEF04BD; the file version follows as two 32-bit words, most significant first.
The processor is the machine field of the PE header.
"""
import struct
import sys

SIGNATURE = struct.pack("<I", 0xFEEF04BD)
MACHINES = {0x014C: "x86", 0x8664: "x64"}


def describe(path):
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        raise ValueError("not a Windows module")
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        raise ValueError("not a Windows module")
    machine = struct.unpack_from("<H", data, header + 4)[0]
    where = data.find(SIGNATURE)
    if where < 0:
        raise ValueError("no version resource")
    _, _, high, low = struct.unpack_from("<IIII", data, where)
    version = f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"
    return version, MACHINES.get(machine, f"machine-{machine:#x}")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: pe_info.py MODULE")
    try:
        version, machine = describe(sys.argv[1])
    except (OSError, ValueError, struct.error) as error:
        sys.exit(f"pe_info.py: {sys.argv[1]}: {error}")
    print(version, machine)


if __name__ == "__main__":
    main()
