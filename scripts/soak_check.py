#!/usr/bin/env python3
"""Checks what a soak run left behind; prints its figures, exit status 1 on any difference.

    soak_check.py --sent SENT --log JRT1 --record CSV --resources FILE [--exit-status N]

SENT is the simulator's --sent-log: every byte it wrote to the port, "A HEX" where an answer
(or bytes sent unasked) begins, "+ HEX" for the rest of one. Each line of the measurement
log must be what the program makes of the bytes it read in one poll: a read starts where an
answer (or garbage) starts and takes up to 32 bytes of what followed, the record's bytes past
the read being 0. So every log line must equal the decoding of the sent bytes at such a
start, later than the previous line's, with some read length of 1 to 32 bytes; answers that
were sent but never logged (lost in an unplug, or read together with a late one) are
skipped and counted. The numbering must run 1, 2, 3, ... without a gap. The dated record
must hold the same samples, row for row, with the values of the very bytes the log line
came from. The resources sampled at quiet moments (no fault going on, measuring) must stay
flat from the first quiet stretch after the first round of faults to the last.
Standard library only.
"""

import argparse
import csv
import statistics
import sys
from decimal import Decimal

RECORD_SIZE = 32
# How far past the last matched answer a line's bytes are looked for: a day's unplugs lose
# a few answers each, never thousands.
SEARCH_AHEAD = 5000


def s16(record, at):
    value = record[at] << 8 | record[at + 1]
    return value - 0x10000 if value & 0x8000 else value


def u16(record, at):
    return record[at] << 8 | record[at + 1]


def fixed2(hundredths):
    """Two decimals; four significant digits from 100.00 up, ties away from zero."""
    magnitude = abs(hundredths)
    if magnitude >= 10000:
        magnitude = (magnitude + 5) // 10 * 10
    sign = "-" if hundredths < 0 else ""
    return "%s%d.%02d" % (sign, magnitude // 100, magnitude % 100)


def decode(read):
    """The sample of one poll's read (at most 32 bytes; the rest of the record is 0)."""
    record = bytes(read[:RECORD_SIZE]).ljust(RECORD_SIZE, b"\0")
    return {
        "dew_point": s16(record, 0),
        "head_temperature": s16(record, 5),
        "mirror_dew_level": record[7],
        "peltier_power": record[8],
        "relative_humidity": s16(record, 10),
        "frost_level": s16(record, 12),
        "ambient_temperature": s16(record, 14),
        "mirror_temperature": s16(record, 16),
        "aux_value_1": s16(record, 18),
        "aux_value_2": s16(record, 20),
        "aux_value_3": s16(record, 22),
        "aux_value_4": s16(record, 24),
        "run_half_days": u16(record, 26),
        "run_hours": u16(record, 28),
        "run_seconds": u16(record, 30),
    }


def log_fields(sample):
    """Fields 3 to 11 of a log line for a sample."""
    return [
        str(sample["dew_point"]),
        str(sample["relative_humidity"]),
        str(sample["ambient_temperature"]),
        fixed2(sample["dew_point"]),
        fixed2(sample["relative_humidity"]),
        fixed2(sample["ambient_temperature"]),
        fixed2(sample["mirror_temperature"]),
        str(sample["mirror_dew_level"]),
        str(sample["frost_level"]),
    ]


def read_sent(path):
    stream = bytearray()
    starts = []
    with open(path, encoding="ascii") as file:
        for number, line in enumerate(file, 1):
            line = line.rstrip("\n")
            kind, _, digits = line.partition(" ")
            if kind not in ("A", "+"):
                raise ValueError("%s:%d: not a record of sent bytes: %r" % (path, number, line))
            if kind == "A":
                starts.append(len(stream))
            stream += bytes.fromhex(digits)
    return bytes(stream), starts


def read_log(path):
    with open(path, "rb") as file:
        data = file.read()
    lines = data.split(b"\r\n")
    tail = lines.pop()
    problems = []
    if tail:
        problems.append("jrt1.txt ends inside a line: %r" % tail[:80])
    return [line.decode("utf-8", "replace").split("\t") for line in lines], problems


def match_log(lines, stream, starts):
    """Each log line's start and read length in the sent bytes; None where none fits."""
    matches = []
    cursor = 0
    unmatched = 0
    for fields in lines:
        wanted = fields[2:]
        found = None
        # Past a few lines that fit nothing, the rest are looked for near by only, so a
        # broken log is reported in seconds rather than hours.
        ahead = SEARCH_AHEAD if unmatched < 20 else 50
        for k in range(cursor, min(len(starts), cursor + ahead)):
            start = starts[k]
            available = min(RECORD_SIZE, len(stream) - start)
            for length in [available] + list(range(1, available)):
                sample = decode(stream[start : start + length])
                if log_fields(sample) == wanted:
                    found = (k, start, length, sample)
                    break
            if found:
                break
        matches.append(found)
        if found:
            cursor = found[0] + 1
        else:
            unmatched += 1
    return matches


def check_log(lines, matches, starts, problems):
    print("jrt1.txt: %d lines; the simulator began %d answers (garbage included)" % (
        len(lines), len(starts)))
    bad_shape = [i for i, f in enumerate(lines) if len(f) != 11]
    for i in bad_shape[:5]:
        problems.append("jrt1.txt line %d has %d fields, not 11" % (i + 1, len(lines[i])))
    numbers = []
    for i, fields in enumerate(lines):
        try:
            numbers.append(int(fields[0]))
        except ValueError:
            problems.append("jrt1.txt line %d: sample number %r" % (i + 1, fields[0]))
            numbers.append(None)
    gaps = []
    for i, number in enumerate(numbers):
        if number != i + 1:
            gaps.append((i + 1, number))
    if gaps:
        problems.append("jrt1.txt numbering is not 1, 2, 3, ...: %d lines out of place, "
                        "first at line %d (sample %s)" % (len(gaps), gaps[0][0], gaps[0][1]))
        # Where the numbering jumps: the samples lost.
        lost = []
        previous = 0
        for number in numbers:
            if number is not None and number > previous + 1:
                lost.append((previous + 1, number - 1))
            if number is not None:
                previous = number
        for first, last in lost[:10]:
            problems.append("  samples %d to %d are not in jrt1.txt (%d lines)" % (
                first, last, last - first + 1))
    unmatched = [i for i, m in enumerate(matches) if m is None]
    for i in unmatched[:5]:
        problems.append("jrt1.txt line %d is nothing the simulator sent: %s" % (
            i + 1, "\t".join(lines[i])))
    if len(unmatched) > 5:
        problems.append("  ... %d such lines in all" % len(unmatched))
    matched = [m for m in matches if m]
    short = sum(1 for m in matched if m[2] < RECORD_SIZE)
    skipped = (matched[-1][0] + 1 - len(matched)) if matched else 0
    print("  every line equal to sent bytes: %d of %d (%d from reads under 32 bytes); "
          "numbering %s; answers sent but not logged: %d" % (
              len(matched), len(lines), short, "without a gap" if not gaps else "BROKEN",
              skipped))


RECORD_TWO_DECIMALS = ("dew_point", "ambient_temperature", "relative_humidity",
                       "head_temperature", "mirror_temperature")
RECORD_INTEGERS = ("mirror_dew_level", "peltier_power", "frost_level", "aux_value_1",
                   "aux_value_2", "aux_value_3", "aux_value_4", "run_half_days", "run_hours",
                   "run_seconds")


def check_record(path, lines, matches, problems):
    with open(path, newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    if not rows:
        problems.append("%s is empty" % path)
        return
    header = rows[0]
    rows = rows[1:]
    missing = [c for c in ("sample",) + RECORD_TWO_DECIMALS + RECORD_INTEGERS if c not in header]
    if missing:
        problems.append("the dated record has no column %s" % ", ".join(missing))
        return
    column = {name: header.index(name) for name in header}
    print("dated record: %d rows" % len(rows))
    torn = [i for i, row in enumerate(rows) if len(row) != len(header)]
    for i in torn[:5]:
        problems.append("the dated record's row %d has %d fields, not %d: %s" % (
            i + 1, len(rows[i]), len(header), ",".join(rows[i])[:120]))
    record_numbers = [row[column["sample"]] if len(row) == len(header) else "(torn row)"
                      for row in rows]
    log_numbers = [fields[0] for fields in lines]
    if record_numbers != log_numbers:
        only_record = sorted(set(record_numbers) - set(log_numbers) - {"(torn row)"}, key=len)
        only_log = sorted(set(log_numbers) - set(record_numbers), key=len)
        problems.append("the dated record's samples differ from jrt1.txt's: %d rows, %d lines; "
                        "%d samples only in the record, %d only in jrt1.txt" % (
                            len(rows), len(lines), len(only_record), len(only_log)))
        if only_log:
            problems.append("  first samples missing from the record: %s" % ", ".join(
                sorted(only_log, key=lambda n: int(n) if n.isdigit() else 0)[:10]))
        if only_record:
            problems.append("  first samples missing from jrt1.txt: %s" % ", ".join(
                sorted(only_record, key=lambda n: int(n) if n.isdigit() else 0)[:10]))
    gaps = [i for i, n in enumerate(record_numbers) if n != str(i + 1)]
    if gaps:
        problems.append("the dated record's numbering is not 1, 2, 3, ...: first at row %d "
                        "(sample %s)" % (gaps[0] + 1, record_numbers[gaps[0]]))
    # Row by row under the same sample number, so one lost row does not hide the rest.
    by_number = {fields[0]: (fields, match) for fields, match in zip(lines, matches)}
    differ = 0
    compared = 0
    for row in rows:
        if len(row) != len(header) or row[column["sample"]] not in by_number:
            continue
        fields, match = by_number[row[column["sample"]]]
        if match is None:
            continue
        compared += 1
        sample = match[3]
        wrong = []
        for name in RECORD_TWO_DECIMALS:
            try:
                if Decimal(row[column[name]]) * 100 != sample[name]:
                    wrong.append(name)
            except ArithmeticError:
                wrong.append(name)
        for name in RECORD_INTEGERS:
            if row[column[name]] != str(sample[name]):
                wrong.append(name)
        if wrong:
            differ += 1
            if differ <= 5:
                problems.append("record row of sample %s differs from its bytes in %s: %s" % (
                    fields[0], ", ".join(wrong), ",".join(row)))
    print("  rows equal to jrt1.txt's line of their sample and its bytes: %d of %d compared" % (
        compared - differ, compared))


def check_resources(path, tolerance_kb, per_hour_kb, problems):
    stretches = {}
    order = []
    with open(path) as file:
        for line in file:
            label, seconds, rss, threads, fds = line.split()
            if label not in stretches:
                stretches[label] = []
                order.append(label)
            stretches[label].append((float(seconds), int(rss), int(threads), int(fds)))
    print("process (quiet moments): stretch  seconds  VmRSS kB  threads  descriptors")
    for label in order:
        samples = stretches[label]
        print("  %-8s %6.0f-%-6.0f %7d-%-7d %2d-%-2d %3d-%-3d" % (
            label, samples[0][0], samples[-1][0], min(s[1] for s in samples),
            max(s[1] for s in samples), min(s[2] for s in samples), max(s[2] for s in samples),
            min(s[3] for s in samples), max(s[3] for s in samples)))
    if len(order) < 3:
        problems.append("too short to compare the resources: %d quiet stretches, 3 needed "
                        "(one before the faults, one after their first round, one at the end)"
                        % len(order))
        return
    base = stretches[order[1]]
    end = stretches[order[-1]]
    hours = (end[-1][0] - base[0][0]) / 3600.0
    allowed = tolerance_kb + per_hour_kb * hours
    growth = statistics.median(s[1] for s in end) - statistics.median(s[1] for s in base)
    print("  from %s to %s (%.2f h): VmRSS %+d kB (allowed %d), threads %d -> %d, "
          "descriptors %d -> %d" % (
              order[1], order[-1], hours, growth, allowed, max(s[2] for s in base),
              max(s[2] for s in end), max(s[3] for s in base), max(s[3] for s in end)))
    if growth > allowed:
        problems.append("memory grew %d kB, more than %d kB" % (growth, allowed))
    if max(s[2] for s in end) > max(s[2] for s in base):
        problems.append("threads grew from %d to %d" % (max(s[2] for s in base),
                                                          max(s[2] for s in end)))
    if max(s[3] for s in end) > max(s[3] for s in base):
        problems.append("descriptors grew from %d to %d" % (max(s[3] for s in base),
                                                              max(s[3] for s in end)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sent", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--record", required=True)
    parser.add_argument("--resources", required=True)
    parser.add_argument("--counted", type=int, default=None,
                        help="hygrometer_samples_total shortly before the end")
    parser.add_argument("--rss-tolerance-kb", type=int, default=2048)
    parser.add_argument("--rss-per-hour-kb", type=int, default=1024)
    args = parser.parse_args()

    stream, starts = read_sent(args.sent)
    lines, problems = read_log(args.log)
    matches = match_log(lines, stream, starts)
    check_log(lines, matches, starts, problems)
    check_record(args.record, lines, matches, problems)
    if args.counted is not None:
        last = lines[-1][0] if lines else "0"
        print("samples counted by the program before the end: %d; last in jrt1.txt: %s" % (
            args.counted, last))
        if not last.isdigit() or int(last) < args.counted:
            problems.append("the program counted %d samples, jrt1.txt ends at %s" % (
                args.counted, last))
    check_resources(args.resources, args.rss_tolerance_kb, args.rss_per_hour_kb, problems)
    if problems:
        print("DIFFERENCES:")
        for problem in problems:
            print("  " + problem)
        return 1
    print("no difference")
    return 0


if __name__ == "__main__":
    sys.exit(main())
