#!/usr/bin/env python3
"""Writes the small population files of this folder: a few valid ones and
many damaged ones (truncated at and inside every field, wrong version text,
bad population sizes and generation counts, a record size that wraps around
in 32 bits, rule values outside their genes' ranges, settings that are not
numbers) and a few damaged ones that are still taken (numbers at the ends of
their ranges). Files named valid-* must load; every other file must be refused
with the program's state left as it was. Run it from anywhere; it writes
next to itself."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
VERSION = b"1.0.0.1"

# A spider entry: 19 rule values (each inside its gene's range), fitness,
# origin code, parentA, parentB.
RULES_LOW = [3, 0, 0, 10, 10, 10, 10, 2, 2, 5, 5, 5, 5, 2, 2, 2, 1, 3, 100]
RULES_HIGH = [20, 2, 150, 100, 100, 100, 100, 3, 3, 15, 15, 15, 15, 3, 3, 3, 2, 20, 102]
RULES_MID = [10, 1, 75, 50, 60, 70, 80, 2, 3, 10, 11, 12, 13, 3, 2, 2, 2, 6, 101]


def entry(rules, fitness, origin, a, b):
    return list(rules) + [fitness, origin, a, b]


def i32(v):
    return struct.pack("<i", v)


def f64(v):
    return struct.pack("<d", v)


def settings(num_prey=100, prey_size=4.0, prey_value=20.0, gravity=0, distance=1,
             selected=1, silk_cost=10.0, silk_limit=-1, time_penalty=0.0,
             crossover=80, mutation=2):
    return (i32(num_prey) + f64(prey_size) + f64(prey_value) +
            bytes([gravity, distance, 0, 0]) + bytes([distance, 0, 0, selected]) +
            f64(silk_cost) + i32(silk_limit) + f64(time_penalty) +
            i32(crossover) + i32(mutation))


def population_file(entries, n, g, version=VERSION, version_length=None, **kw):
    if version_length is None:
        version_length = len(version)
    record = b"".join(i32(v) for e in entries for v in e)
    return i32(version_length) + version + i32(n) + i32(g) + record + settings(**kw)


def two_by_two():
    return [entry(RULES_LOW, 0, 0, 0, 0), entry(RULES_HIGH, 40, 0, 1, 1),
            entry(RULES_MID, 20, 1, 1, 0), entry(RULES_HIGH, 60, 4, 1, 1)]


def field_boundaries(n, g):
    """(name, offset) of the start of every field of a file."""
    fields = [("version-length", 4), ("version", 7), ("population-size", 4),
              ("generation-count", 4)]
    fields += [("record-int-%d" % k, 4) for k in range(n * g * 23)]
    fields += [("num-prey", 4), ("prey-size", 8), ("prey-value", 8), ("gravity-field", 4),
               ("distance-field", 4), ("silk-cost", 8), ("silk-limit", 4),
               ("time-penalty", 8), ("crossover", 4), ("mutation", 4)]
    out, at = [], 0
    for name, size in fields:
        out.append((name, at, size))
        at += size
    return out


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    for old in os.listdir(HERE):
        if old.endswith(".axv"):
            os.remove(os.path.join(HERE, old))

    valid = population_file(two_by_two(), 2, 2)
    write("valid-n2-g2.axv", valid)
    write("valid-n1-g1.axv", population_file([entry(RULES_MID, 7, 2, 0, 0)], 1, 1))
    write("valid-trailing-bytes.axv", valid + b"\x00extra bytes after the settings")
    write("valid-unknown-origin-and-odd-parents.axv",
          population_file([entry(RULES_MID, -3, 77, -5, 123456)], 1, 1))
    write("valid-attack-off-and-silk-limit.axv",
          population_file([entry(RULES_LOW, 0, 0, 0, 0)], 1, 1, distance=0, silk_limit=2500))
    # Damaged numbers that are still taken: parents and fitness at the ends of
    # the 32-bit range (shown without overflow), and finite settings far
    # beyond anything the panel offers (the program shows the nearest whole
    # number; the command-line tool reads and breeds with them as they are).
    write("valid-parents-and-fitness-at-32-bit-limits.axv",
          population_file([entry(RULES_MID, 0x7FFFFFFF, 2, 0x7FFFFFFF, -0x80000000),
                           entry(RULES_LOW, -0x80000000, 3, -0x80000000, 0x7FFFFFFF)], 2, 1))
    write("valid-huge-finite-settings.axv",
          population_file([entry(RULES_MID, 0, 0, 0, 0)], 1, 1, prey_size=1e300,
                          prey_value=-1e300, silk_cost=1e300, time_penalty=-1e300,
                          crossover=0x7FFFFFFF, mutation=-0x80000000))
    # A prey size whose sprites in pixels are beyond a 32-bit integer.
    write("valid-prey-size-1e10.axv",
          population_file([entry(RULES_MID, 0, 0, 0, 0)], 1, 1, prey_size=1e10))
    write("valid-population-200.axv",
          population_file([entry(RULES_MID, 0, 0, 0, 0)] * 200, 200, 1))

    # Truncated at the start of every field of interest and inside it.
    seen = set()
    for name, at, size in field_boundaries(2, 2):
        if name.startswith("record-int-") and name not in (
                "record-int-0", "record-int-45", "record-int-91"):
            continue
        for cut, where in ((at, "before"), (at + size // 2, "inside")):
            if cut in seen or cut >= len(valid):
                continue
            seen.add(cut)
            write("bad-truncated-%s-%s.axv" % (where, name), valid[:cut])
    write("bad-truncated-last-byte.axv", valid[:-1])

    rec = two_by_two()
    write("bad-version-length-8.axv", population_file(rec, 2, 2, version=b"1.0.0.1x"))
    write("bad-version-length-6.axv", population_file(rec, 2, 2, version=b"1.0.0."))
    write("bad-version-length-negative.axv",
          population_file(rec, 2, 2, version_length=-1))
    write("bad-version-length-huge.axv",
          population_file(rec, 2, 2, version_length=0x7FFFFFFF))
    write("bad-version-text.axv", population_file(rec, 2, 2, version=b"1.0.0.2"))
    write("bad-version-text-nul.axv", population_file(rec, 2, 2, version=b"1.0.0\x001"))

    write("bad-population-zero.axv", population_file([], 0, 2))
    write("bad-population-201.axv", population_file([entry(RULES_MID, 0, 0, 0, 0)] * 201, 201, 1))
    write("bad-population-negative.axv", population_file(rec, -2, -2))
    write("bad-population-huge.axv", population_file(rec, 0x7FFFFFFF, 1))
    write("bad-generations-zero.axv", population_file([], 2, 0))
    write("bad-generations-negative.axv", population_file(rec, 2, -1))
    write("bad-generations-huge.axv", population_file(rec, 2, 0x7FFFFFFF))
    # 92 x 46684428 wraps around to 80 in 32-bit arithmetic: a reader that
    # computes the record size in 32 bits would take 80 bytes as the record.
    write("bad-record-size-wraps-32-bits.axv",
          i32(7) + VERSION + i32(1) + i32(46684428) + bytes(80) + settings())
    write("bad-record-one-spider-short.axv",
          population_file(rec[:3], 2, 2))

    low = list(RULES_LOW)
    low[0] = 2
    write("bad-rule-below-minimum.axv", population_file([entry(low, 0, 0, 0, 0)], 1, 1))
    high = list(RULES_HIGH)
    high[2] = 151
    write("bad-rule-above-maximum.axv", population_file([entry(high, 0, 0, 0, 0)], 1, 1))
    fixed = list(RULES_MID)
    fixed[15] = 4
    write("bad-rule-fixed-gene-4.axv", population_file([entry(fixed, 0, 0, 0, 0)], 1, 1))
    late = two_by_two()
    late[2][18] = -100
    write("bad-rule-out-of-range-in-earlier-generation.axv", population_file(late, 2, 2))

    one = [entry(RULES_MID, 0, 0, 0, 0)]
    write("bad-prey-size-nan.axv", population_file(one, 1, 1, prey_size=float("nan")))
    write("bad-silk-cost-infinite.axv", population_file(one, 1, 1, silk_cost=float("inf")))
    write("bad-prey-value-minus-infinite.axv",
          population_file(one, 1, 1, prey_value=float("-inf")))
    write("bad-time-penalty-nan.axv", population_file(one, 1, 1, time_penalty=float("nan")))
    write("bad-prey-count-negative.axv", population_file(one, 1, 1, num_prey=-1))
    write("bad-prey-count-huge.axv", population_file(one, 1, 1, num_prey=2000000000))
    write("bad-empty.axv", b"")


if __name__ == "__main__":
    main()
