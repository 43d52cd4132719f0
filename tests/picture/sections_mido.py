#!/usr/bin/python3
"""Reads style and MIDI files with python3-mido, independently of the program, and prints what
`kelvane-cli sections` should print for each, after a line "FILE <path>":
  style (-s):  NAME<TAB>FIRST_BAR<TAB>BARS<TAB>N9 ... N16 per section marker
  song  (-m):  CHANNEL<TAB>PROGRAM<TAB>NOTES<TAB>LOWEST-HIGHEST per channel with notes
A bar lasts numerator * 4 / denominator quarter notes of the time signature in force (4/4
before the first); a time signature inside a bar ends that bar early. A section marker is a
marker whose text starts with Intro, Main, Fill In, Break or Ending; a section runs to the next
one or to the end of the MIDI data (the latest track end). Usage: sections_mido.py -s|-m FILE...
"""
import io
import os
import struct
import sys

import mido

PREFIXES = ("Intro", "Main", "Fill In", "Break", "Ending")


def midi_part(data):
    """The header and track chunks at the start of a file (the style's sections follow)."""
    length, _, tracks, _ = struct.unpack(">IHHH", data[4:14])
    pos = 8 + length
    for _ in range(tracks):
        if data[pos:pos + 4] != b"MTrk":
            break
        pos += 8 + struct.unpack(">I", data[pos + 4:pos + 8])[0]
    return data[:pos]


def timed_events(midi):
    """(tick, track, index, message) of every track, merged by tick, then track, then file
    order; and the latest track end."""
    events, end = [], 0
    for number, track in enumerate(midi.tracks):
        tick = 0
        for index, message in enumerate(track):
            tick += message.time
            events.append((tick, number, index, message))
        end = max(end, tick)
    events.sort(key=lambda e: (e[0], e[1], e[2]))
    return events, end


def meter_points(events, per_quarter):
    """[(tick, bar_ticks, bars_before)] from the time signatures."""
    points = [[0, per_quarter * 4, 0]]
    for tick, _, _, m in events:
        if m.type != "time_signature" or m.numerator == 0:
            continue
        bar = max(per_quarter * m.numerator * 4 // m.denominator, 1)
        last = points[-1]
        if tick == last[0]:
            last[1] = bar
            continue
        before = last[2] + -(-(tick - last[0]) // last[1])
        points.append([tick, bar, before])
    return points


def point_at(points, tick):
    found = points[0]
    for point in points:
        if point[0] <= tick:
            found = point
    return found


def bar_at(points, tick):
    start, bar, before = point_at(points, tick)
    return before + max(tick - start, 0) // bar + 1


def bars_between(points, start, end):
    if end <= start:
        return 0
    p_start, bar, before = point_at(points, end)
    return before + -(-max(end - p_start, 0) // bar) - (bar_at(points, start) - 1)


def style_lines(midi):
    events, end = timed_events(midi)
    points = meter_points(events, midi.ticks_per_beat)
    sections = [(tick, m.text) for tick, _, _, m in events
                if m.type == "marker" and m.text.startswith(PREFIXES)]
    lines = []
    for i, (start, name) in enumerate(sections):
        stop = sections[i + 1][0] if i + 1 < len(sections) else end
        last = i + 1 == len(sections)
        counts = [0] * 8
        for tick, _, _, m in events:
            if (m.type == "note_on" and m.velocity > 0 and m.channel >= 8 and tick >= start
                    and (tick < stop or (last and tick <= stop))):
                counts[m.channel - 8] += 1
        lines.append("%s\t%d\t%d\t%s" % (name, bar_at(points, start),
                                         bars_between(points, start, stop),
                                         " ".join(str(c) for c in counts)))
    return lines


def song_lines(midi):
    events, _ = timed_events(midi)
    program, notes = {}, {}
    for _, _, _, m in events:
        if m.type == "program_change":
            program.setdefault(m.channel, m.program)
        elif m.type == "note_on" and m.velocity > 0:
            notes.setdefault(m.channel, []).append(m.note)
    return ["%d\t%s\t%d\t%d-%d" % (ch + 1, program.get(ch, "-"), len(notes[ch]),
                                   min(notes[ch]), max(notes[ch])) for ch in sorted(notes)]


def main():
    # Texts were decoded as latin-1: encoded so again they are printed as the bytes they were;
    # paths as the file system names them.
    out = sys.stdout.buffer
    style = sys.argv[1] == "-s"
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            data = f.read()
        # Marker texts are bytes; latin-1 keeps each one a character.
        midi = mido.MidiFile(file=io.BytesIO(midi_part(data)), charset="latin-1")
        out.write(b"FILE " + os.fsencode(path) + b"\n")
        for line in style_lines(midi) if style else song_lines(midi):
            out.write(line.encode("latin-1") + b"\n")


main()
