#!/usr/bin/env bash
# Rebuilds the MP3 files in this folder: short sine clips encoded with lame, tagged with id3v2
# (2.3 and ID3v1) and mutagen (2.4, UTF-16, a cover picture, a long title), plus the hostile
# files in hostile/. The files are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One second of a quiet two-tone sine, 16-bit stereo PCM at 44.1 kHz.
"$PY" - "$work/sine.raw" <<'PYEOF'
import math, struct, sys
rate = 44100
with open(sys.argv[1], "wb") as f:
    for i in range(rate):
        l = int(3000 * math.sin(2 * math.pi * 440 * i / rate))
        r = int(3000 * math.sin(2 * math.pi * 554 * i / rate))
        f.write(struct.pack("<hh", l, r))
PYEOF
enc() { lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian "$@" "$work/sine.raw" "$work/out.mp3" 2>/dev/null; }

# MPEG-1 constant bit rate, no tag at all.
enc --resample 44.1 -b 48 -m j && cp "$work/out.mp3" untagged-cbr.mp3

# MPEG-1 stereo, ID3v2.3 and ID3v1 written by id3v2.
enc --resample 44.1 -b 48 -m s && cp "$work/out.mp3" id3v23-and-v1.mp3
id3v2 --artist 'AC/DC' --song 'Hells Bells' --album 'Back in Black' --year 1980 \
      --track 1/10 --genre 17 --comment 'Hello, world! 1999' id3v23-and-v1.mp3

# ID3v1 only, with a track number in the comment's last byte (ID3v1.1).
enc --resample 44.1 -b 48 -m j && cp "$work/out.mp3" id3v1-only.mp3
id3v2 --id3v1-only --artist 'Someone' --song 'My Song' --album 'Some Album' --year 2001 \
      --track 5 --genre 80 id3v1-only.mp3

# MPEG-1 variable bit rate with a Xing header, stereo and mono.
enc --resample 44.1 -V 6 -m j && cp "$work/out.mp3" vbr-xing.mp3
enc --resample 44.1 -V 6 -m m && cp "$work/out.mp3" vbr-mono.mp3

# MPEG-2 (22.05 kHz), constant bit rate.
enc --resample 22.05 -b 32 -m j && cp "$work/out.mp3" mpeg2.mp3
id3v2 --artist 'Low Rate' --song 'Half Speed' --album 'Twenty Two' --year 2010 --track 2 \
      --genre 52 mpeg2.mp3

# mutagen: ID3v2.4 in UTF-16 with a cover picture whose bytes hold frame sync patterns; a
# title longer than 255 bytes in ID3v2.3; the VBR file tagged in ID3v2.3.
cp untagged-cbr.mp3 id3v24-utf16.mp3
cp vbr-xing.mp3 "$work/vbr.mp3"
cp untagged-cbr.mp3 long-title.mp3
"$PY" - <<'PYEOF'
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TDRC, TRCK, TCON, APIC, TYER

def tag(path, version, frames):
    t = ID3()
    for f in frames:
        t.add(f)
    t.save(path, v2_version=version, v1=0)

# A cover whose bytes look like MPEG frame headers: the audio search must skip the tag.
cover = b"\x89PNG\r\n\x1a\n" + b"\xff\xfb\x90\x64" * 256 + b"\x00" * 64
tag("id3v24-utf16.mp3", 4, [
    TIT2(encoding=1, text=["Jóga – 日本語"]),
    TPE1(encoding=1, text=["Björk"]),
    TALB(encoding=1, text=["Homogenic"]),
    TDRC(encoding=1, text=["1997"]),
    TRCK(encoding=1, text=["3/10"]),
    TCON(encoding=1, text=["Electronic"]),
    APIC(encoding=0, mime="image/png", type=3, desc="", data=cover),
])
tag("long-title.mp3", 3, [
    TIT2(encoding=0, text=["A very long title " * 16 + "end"]),
    TPE1(encoding=0, text=["Verbose"]),
    TCON(encoding=0, text=["(17)Rock"]),
])
PYEOF
cp "$work/vbr.mp3" vbr-xing.mp3
"$PY" - <<'PYEOF'
from mutagen.id3 import ID3, TIT2, TPE1, TALB, TYER, TRCK, TCON
t = ID3()
for f in [TIT2(encoding=0, text=["Variable"]), TPE1(encoding=0, text=["Xing Band"]),
          TALB(encoding=0, text=["Rates"]), TYER(encoding=0, text=["2005"]),
          TRCK(encoding=0, text=["7"]), TCON(encoding=0, text=["Jazz"])]:
    t.add(f)
t.save("vbr-xing.mp3", v2_version=3, v1=0)
PYEOF

# Hostile files: each named after what it does to a careless reader.
"$PY" - <<'PYEOF'
import struct

def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])

def frame3(fid, data, size=None, flags=b"\x00\x00"):
    return fid + struct.pack(">I", len(data) if size is None else size) + flags + data

def tag3(body, size=None, flags=0):
    return b"ID3\x03\x00" + bytes([flags]) + synchsafe(len(body) if size is None else size) + body

audio = open("untagged-cbr.mp3", "rb").read()
files = {
    "empty.mp3": b"",
    "truncated-id3v2-header.mp3": b"ID3\x03\x00",
    "all-ff.mp3": b"\xff" * 65536,
    "tag-size-beyond-file.mp3":
        tag3(frame3(b"TIT2", b"\x00Too Big"), size=0x0FFFFFFF) + b"\x00" * 300,
    "excessive-alloc-frame-size.mp3":
        tag3(frame3(b"TIT2", b"\x00Short", size=0xFFFFFFF0) + b"\x00" * 64) + audio,
    "frame-size-beyond-tag.mp3":
        tag3(frame3(b"TPE1", b"\x00Fine") + frame3(b"TIT2", b"\x00Cut", size=4000)) + audio,
    "infloop-zero-length-frames.mp3":
        tag3(frame3(b"TIT2", b"") * 2000 + frame3(b"TPE1", b"\x00After Zeros")) + audio,
    "odd-length-utf16.mp3":
        tag3(frame3(b"TIT2", b"\x01\xff\xfeH\x00i\x00!")) + audio,
    "extended-header-beyond-tag.mp3":
        tag3(b"\x7f\xff\xff\xff" + frame3(b"TIT2", b"\x00Hidden"), flags=0x40) + audio,
    "unsync-tag-ending-in-ff.mp3":
        tag3(frame3(b"TIT2", b"\x00Sync\xff\x00\xe0", size=7) + b"\xff", flags=0x80) + audio,
    "truncated-frame-header.mp3": b"\x00" * 298 + b"\xff\xfb",
    "tag-only-no-audio.mp3": tag3(frame3(b"TIT2", b"\x00Only A Tag") + b"\x00" * 200),
}
for name, data in files.items():
    with open("hostile/" + name, "wb") as f:
        f.write(data)
PYEOF
