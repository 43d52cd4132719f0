#!/usr/bin/python3
"""mido_read.py LIST: reads every file named in LIST (paths separated by NUL bytes) with
python3-mido in this one process, as the reference of the analysis benchmark. Prints the number
of files read and of files mido refused. Exit status 3 when mido is missing."""
import sys

try:
    import mido
except ImportError:
    sys.exit(3)

paths = [p for p in open(sys.argv[1], "rb").read().split(b"\0") if p]
refused = 0
for path in paths:
    try:
        mido.MidiFile(path.decode("utf-8", "surrogateescape"), clip=True)
    except Exception:  # a file mido cannot read still counts as work done
        refused += 1
print("%d %d" % (len(paths), refused))
