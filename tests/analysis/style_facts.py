#!/usr/bin/python3
"""Reads style files independently of the program and prints what their bytes show, one line
per file (the expectations of the corpus test were written from this output):
    name  variations  casm  ots  mdb  sff  stray  songs  first-song-title
variations: "<Main>M <Intro>I <Ending>E <Fill In>F <Break>B" marker counts; casm: Y/N;
ots: N or "Y <tracks>" (at most 10 counted); mdb: N or "Y <records>"; sff: 1, 2 or 0;
stray: bytes behind the MIDI data that start no known section; songs: distinct Music Finder
titles (ignoring case). Arguments: files or folders."""
import os
import struct
import sys

SECTIONS = (b"CASM", b"OTSc", b"FNRc", b"XFIH", b"MHhd", b"MHtr")


def varlen(data, pos):
    value = 0
    for _ in range(4):
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            break
    return value, pos


def markers(track):
    """The marker texts of one track's events."""
    found, pos, running = [], 0, None
    while pos < len(track):
        _, pos = varlen(track, pos)
        status = track[pos]
        if status < 0x80:
            status = running
        else:
            pos += 1
        if status == 0xFF:
            kind = track[pos]
            length, pos = varlen(track, pos + 1)
            if kind == 0x06:
                found.append(track[pos:pos + length].decode("latin-1"))
            pos += length
        elif status in (0xF0, 0xF7):
            length, pos = varlen(track, pos)
            pos += length
        else:
            running = status
            pos += 1 if status & 0xF0 in (0xC0, 0xD0) else 2
    return found


def midi_part(data):
    """Marker texts of all tracks and the position where the MIDI data end."""
    pos = data.find(b"MThd")
    length, _, tracks, _ = struct.unpack(">IHHH", data[pos + 4:pos + 14])
    pos += 8 + length
    texts = []
    for _ in range(tracks):
        length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        texts += markers(data[pos + 8:pos + 8 + length])
        pos += 8 + length
    return texts, pos


def sections(data, pos):
    casm, ots, mdb, stray, titles = 0, None, None, 0, []
    while pos < len(data):
        tag = data[pos:pos + 4]
        if tag not in SECTIONS:
            stray += 1
            pos += 1
            continue
        length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + length]
        if tag == b"CASM" and length:
            casm += 1
        elif tag == b"OTSc" and length:
            ots = min(body.count(b"MTrk"), 10)
        elif tag == b"FNRc":
            mdb, p = 0, 0
            while body[p:p + 4] == b"FNRP":
                record_length = struct.unpack(">I", body[p + 4:p + 8])[0]
                title_length = struct.unpack(">I", body[p + 17:p + 21])[0]
                titles.append(body[p + 21:p + 21 + title_length].decode("latin-1"))
                mdb += 1
                p += 8 + record_length
        pos += 8 + length
    return casm, ots, mdb, stray, titles


def facts(path):
    data = open(path, "rb").read()
    texts, end = midi_part(data)
    counts = [sum(1 for t in texts if t.startswith(word))
              for word in ("Main", "Intro", "Ending", "Fill In", "Break")]
    sff = 1 if any(t.startswith("SFF1") for t in texts) else \
        2 if any(t.startswith("SFF2") for t in texts) else 0
    casm, ots, mdb, stray, titles = sections(data, end)
    distinct = []
    for title in titles:
        if title.lower() not in [d.lower() for d in distinct]:
            distinct.append(title)
    return [os.path.basename(path), "%dM %dI %dE %dF %dB" % tuple(counts), "Y" if casm else "N",
            "N" if ots is None else "Y %d" % ots, "N" if mdb is None else "Y %d" % mdb,
            str(sff), str(stray), str(len(distinct)), distinct[0] if distinct else "-"]


def main(args):
    for arg in args:
        paths = sorted(os.path.join(arg, n) for n in os.listdir(arg)) \
            if os.path.isdir(arg) else [arg]
        for path in paths:
            if os.path.splitext(path)[1].lower() in (".sty", ".prs", ".sst", ".bcs", ".pcs",
                                                     ".pst"):
                print("\t".join(facts(path)))


main(sys.argv[1:])
