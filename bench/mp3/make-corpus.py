#!/usr/bin/env python3
"""Writes COUNT MP3 files into DIR: three-second clips encoded with lame and tagged with mutagen
in the mixes a music folder holds (ID3v2.3, ID3v2.4 in UTF-16 with a cover picture, ID3v1
only, VBR with a Xing header, MPEG-2, untagged). Usage: make-corpus.py DIR [COUNT]"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

from mutagen.id3 import ID3, APIC, TALB, TCON, TDRC, TIT2, TPE1, TRCK, TYER

out = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
os.makedirs(out, exist_ok=True)
work = tempfile.mkdtemp()
raw = os.path.join(work, "clip.raw")
rate = 44100
with open(raw, "wb") as f:
    for i in range(rate * 3):
        f.write(struct.pack("<hh", int(4000 * math.sin(2 * math.pi * 330 * i / rate)),
                            int(4000 * math.sin(2 * math.pi * 440 * i / rate))))


def encode(name, *options):
    path = os.path.join(work, name)
    subprocess.run(["lame", "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", "--signed",
                    "--little-endian", *options, raw, path], check=True,
                   stderr=subprocess.DEVNULL)
    return path


cbr = encode("cbr.mp3", "-b", "128")
vbr = encode("vbr.mp3", "-V", "2")
mpeg2 = encode("mpeg2.mp3", "--resample", "22.05", "-b", "64")
cover = os.urandom(30000)
genres = ["Rock", "(17)", "Jazz", "(8)Jazz", "52", "Electronic"]


def v1_block(title, artist, album, year, genre):
    def pad(s, n):
        return s.encode("latin1")[:n].ljust(n, b"\0")
    return b"TAG" + pad(title, 30) + pad(artist, 30) + pad(album, 30) + pad(year, 4) + \
        pad("", 28) + b"\0" + bytes([7]) + bytes([genre])


for i in range(count):
    kind = i % 10
    path = os.path.join(out, "%05d.mp3" % i)
    source = vbr if kind == 7 else mpeg2 if kind == 8 else cbr
    shutil.copyfile(source, path)
    title, artist, album = "Song %d" % i, "Artist %d" % (i % 97), "Album %d" % (i % 41)
    if kind in (0, 1, 2, 7, 8):
        t = ID3()
        for f in (TIT2(encoding=0, text=[title]), TPE1(encoding=0, text=[artist]),
                  TALB(encoding=0, text=[album]), TYER(encoding=0, text=["1999"]),
                  TRCK(encoding=0, text=["%d/12" % (i % 12 + 1)]),
                  TCON(encoding=0, text=[genres[i % len(genres)]])):
            t.add(f)
        t.save(path, v2_version=3, v1=0)
    elif kind in (3, 4, 5):
        t = ID3()
        for f in (TIT2(encoding=1, text=[title + " – ünïcode"]), TPE1(encoding=1, text=[artist]),
                  TALB(encoding=1, text=[album]), TDRC(encoding=1, text=["2004"]),
                  TRCK(encoding=1, text=[str(i % 12 + 1)]), TCON(encoding=1, text=["Pop"]),
                  APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=cover)):
            t.add(f)
        t.save(path, v2_version=4, v1=0)
    elif kind == 6:
        with open(path, "ab") as f:
            f.write(v1_block(title, artist, album, "2001", 17))
    # kind 9: untagged
shutil.rmtree(work)
