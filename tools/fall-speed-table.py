#!/usr/bin/env python3
"""Prints the fall speed table of tests/game/speed_table_test.cpp.

Worked out with exact rational arithmetic, independent of any compiler's
floating point: p = (lines mod 30) / 30 rounded to float32, the product m p
rounded to float32, then m p + c rounded to float32 (nearest, ties to even).
"""
from fractions import Fraction
import struct

# (first level, last level or None, multiplier m, addend c)
BANDS = [
    (0, 1, 1, Fraction(1, 2)),
    (2, 3, 2, Fraction(1, 2)),
    (4, 5, 3, Fraction(1)),
    (6, 7, 4, Fraction(1)),
    (8, None, 5, Fraction(2)),
]
LINES_PER_LEVEL = 30


def round_to_float32(x: Fraction) -> Fraction:
    """The float32 nearest to x (ties to even); x is zero or a positive normal."""
    if x == 0:
        return Fraction(0)
    assert x > 0
    exponent = 0
    while x >= Fraction(2) ** (exponent + 1):
        exponent += 1
    while x < Fraction(2) ** exponent:
        exponent -= 1
    ulp = Fraction(2) ** (exponent - 23)
    units, rest = divmod(x, ulp)
    units = int(units)
    if rest * 2 > ulp or (rest * 2 == ulp and units % 2 == 1):
        units += 1
    return units * ulp


def float32_bits(x: Fraction) -> int:
    # x is a float32 value, so its conversion to a Python float is exact.
    return struct.unpack("<I", struct.pack("<f", float(x)))[0]


def main() -> None:
    for first, last, m, c in BANDS:
        speeds = []
        for k in range(LINES_PER_LEVEL):
            p = round_to_float32(Fraction(k, LINES_PER_LEVEL))
            product = round_to_float32(m * p)
            speeds.append(round_to_float32(product + c))
        levels = f"{first} to {last}" if last is not None else f"{first} and above"
        print(f"levels {levels}: {m}p + {float(c)}")
        for row in range(0, LINES_PER_LEVEL, 10):
            print("    " + ", ".join(f"0x{float32_bits(s):08X}" for s in speeds[row:row + 10]) + ",")
        print("    " + " ".join(f"{float(s):.9g}" for s in speeds))


if __name__ == "__main__":
    main()
