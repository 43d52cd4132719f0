#!/usr/bin/python3
"""Prints the header facts and first tempo, time signature and copyright of MIDI files, as
read by mido, one tab-separated line per file:
    name  ticks_per_beat  tracks  type  tempo  numerator/denominator  copyright(hex)
    note_ons  note_offs
(a note-on of velocity 0 counts as a note-off)
With --crc first, two more columns follow: the last copyright (hex) and the CRC-32 of the
whole file (zlib.crc32) in decimal.
A value that the file lacks is "-". Arguments: files or folders (their *.mid files).
Exit status 3 when mido is missing."""
import os
import sys
import zlib

try:
    import mido
except ImportError:
    sys.exit(3)


def first(mid, kind):
    for track in mid.tracks:
        for msg in track:
            if msg.type == kind:
                return msg
    return None


def facts(path):
    mid = mido.MidiFile(path, clip=True)
    tempo = first(mid, 'set_tempo')
    sig = first(mid, 'time_signature')
    copyright = first(mid, 'copyright')
    ons = offs = 0
    for track in mid.tracks:
        for msg in track:
            if msg.type == 'note_on' and msg.velocity > 0:
                ons += 1
            elif msg.type in ('note_on', 'note_off'):
                offs += 1
    return [os.path.basename(path), str(mid.ticks_per_beat), str(len(mid.tracks)),
            str(mid.type),
            str(tempo.tempo) if tempo else '-',
            '%d/%d' % (sig.numerator, sig.denominator) if sig else '-',
            copyright.text.encode('latin-1').hex() if copyright else '-',
            str(ons), str(offs)]


def main(args):
    crc = args[:1] == ['--crc']
    if crc:
        args = args[1:]
    paths = []
    for arg in args:
        if os.path.isdir(arg):
            paths += sorted(os.path.join(arg, n) for n in os.listdir(arg)
                            if n.lower().endswith('.mid'))
        else:
            paths.append(arg)
    for path in paths:
        try:
            line = facts(path)
            if crc:
                mid = mido.MidiFile(path, clip=True)
                last = [m for t in mid.tracks for m in t if m.type == 'copyright']
                line.append(last[-1].text.encode('latin-1').hex() if last else '-')
                line.append(str(zlib.crc32(open(path, 'rb').read())))
            print('\t'.join(line))
        except Exception as error:  # a file mido cannot read: say so, go on
            print('%s\tERROR %s' % (os.path.basename(path), error))


main(sys.argv[1:])
