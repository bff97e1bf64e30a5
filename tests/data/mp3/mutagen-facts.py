#!/usr/bin/env python3
"""Prints, as one JSON object per file name, what mutagen reads from each MP3 file given."""
import json
import os
import sys

from mutagen.id3 import ID3, ID3NoHeaderError
from mutagen.mp3 import MP3, BitrateMode

MODES = {0: "stereo", 1: "joint stereo", 2: "dual channel", 3: "single channel"}


def text(tags, frame_id):
    frame = tags.get(frame_id)
    return str(frame.text[0]) if frame is not None and frame.text else ""


out = {}
for path in sys.argv[1:]:
    audio = MP3(path)
    tags = audio.tags or ID3()
    try:
        has_v2 = ID3(path, load_v1=False) is not None
    except ID3NoHeaderError:
        has_v2 = False
    genre = tags.get("TCON")
    out[os.path.basename(path)] = {
        "Songname": text(tags, "TIT2"),
        "Artist": text(tags, "TPE1"),
        "Album": text(tags, "TALB"),
        "Year": text(tags, "TDRC"),
        "Track": text(tags, "TRCK") if has_v2 else "",
        "Genre": genre.genres[0] if genre is not None and genre.genres else "",
        "Frequency": str(audio.info.sample_rate),
        "Mode": MODES[audio.info.mode],
        "MpegVersion": "%g" % audio.info.version,
        "MpegLayer": str(audio.info.layer),
        "VBR": audio.info.bitrate_mode == BitrateMode.VBR,
    }
print(json.dumps(out, ensure_ascii=False))
