#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Makes FLAC, Ogg Vorbis, Opus and MP4 files as users get them, tagged by mutagen.

    make_format_file.py KIND OUT SECONDS [--tags] [--moov-first]

KIND is flac (24 bits, 96 kHz, mono), vorbis (44.1 kHz stereo), opus (from 44.1 kHz
stereo), aac (48 kHz mono) or alac (48 kHz stereo, from 24 bits). The audio is a tone made by
sox and encoded by the tool users have for the format (flac, ffmpeg, opusenc). With --tags
mutagen gives the file the tag of the reading tests:

    Vorbis comment (FLAC, Ogg, Opus)   MP4
    TITLE    Title é                   ©nam
    ARTIST   Artist One, Artist Two    ©ART (two values)
    ALBUM    The Album                 ©alb
    DATE     1999-05-12                ©day
    TRACKNUMBER 3, TRACKTOTAL 12       trkn (3, 12)
    GENRE    Rock                      ©gen
    COMMENT  A comment                 ©cmt
    ALBUMARTIST Band; COMPOSER Writer  aART; ©wrt
    LYRICS   Line one / Line two       ©lyr
    COPYRIGHT 1999 Label; LABEL Label  cprt (no label atom)
    pictures: a front cover (PNG, 67 bytes, "Front") and a back cover (JPEG, 100 bytes,
    "Back"): FLAC as PICTURE blocks, Ogg as METADATA_BLOCK_PICTURE, MP4 as two covr images
    (PNG, then JPEG).

With --moov-first an MP4 file has its "moov" box before the audio (as streaming wants it),
so that every change of its tags' size moves the audio and its chunk offsets.

Exits non-zero when a tool or mutagen is missing (the tests then skip).
"""
import base64
import os
import subprocess
import sys
import tempfile

PNG = bytes.fromhex(
    "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
    "1f15c4890000000a49444154789c6300010000050001"
    "0d0a2db40000000049454e44ae426082")
JPEG = b"\xff\xd8\xff\xe0" + bytes(range(92)) + b"\xff\xd9\x00\x00"

SOURCES = {  # KIND: (sample rate, channels, bits)
    "flac": (96000, 1, 24),
    "vorbis": (44100, 2, 16),
    "opus": (44100, 2, 16),
    "aac": (48000, 1, 16),
    "alac": (48000, 2, 24),
}


def run(*args):
    subprocess.run(args, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def encode(kind, wav, out, mp4_flags):
    if kind == "flac":
        run("flac", "--silent", "--force", "-o", out, wav)
    elif kind == "vorbis":
        run("ffmpeg", "-nostdin", "-y", "-i", wav, "-c:a", "libvorbis", "-q:a", "3",
            "-f", "ogg", out)
    elif kind == "opus":
        run("opusenc", "--quiet", wav, out)
    elif kind == "aac":
        run("ffmpeg", "-nostdin", "-y", "-i", wav, "-c:a", "aac", "-b:a", "128k", *mp4_flags,
            "-f", "mp4", out)
    else:
        run("ffmpeg", "-nostdin", "-y", "-i", wav, "-c:a", "alac", *mp4_flags, "-f", "mp4", out)


TEXTS = {
    "TITLE": ["Title \u00e9"],
    "ARTIST": ["Artist One", "Artist Two"],
    "ALBUM": ["The Album"],
    "DATE": ["1999-05-12"],
    "TRACKNUMBER": ["3"],
    "TRACKTOTAL": ["12"],
    "GENRE": ["Rock"],
    "COMMENT": ["A comment"],
    "ALBUMARTIST": ["Band"],
    "COMPOSER": ["Writer"],
    "LYRICS": ["Line one\nLine two"],
    "COPYRIGHT": ["1999 Label"],
    "LABEL": ["Label"],
}


def flac_pictures():
    from mutagen.flac import Picture
    pictures = []
    for kind, mime, data, desc in ((3, "image/png", PNG, "Front"), (4, "image/jpeg", JPEG, "Back")):
        picture = Picture()
        picture.type, picture.mime, picture.data, picture.desc = kind, mime, data, desc
        pictures.append(picture)
    return pictures


def tag(kind, path):
    if kind == "flac":
        from mutagen.flac import FLAC
        audio = FLAC(path)
        audio.update(TEXTS)
        for picture in flac_pictures():
            audio.add_picture(picture)
    elif kind in ("vorbis", "opus"):
        from mutagen.oggopus import OggOpus
        from mutagen.oggvorbis import OggVorbis
        audio = (OggVorbis if kind == "vorbis" else OggOpus)(path)
        audio.update(TEXTS)
        audio["METADATA_BLOCK_PICTURE"] = [
            base64.b64encode(p.write()).decode("ascii") for p in flac_pictures()]
    else:
        from mutagen.mp4 import MP4, MP4Cover
        audio = MP4(path)
        audio.update({
            "\xa9nam": TEXTS["TITLE"], "\xa9ART": TEXTS["ARTIST"], "\xa9alb": TEXTS["ALBUM"],
            "\xa9day": TEXTS["DATE"], "trkn": [(3, 12)], "\xa9gen": TEXTS["GENRE"],
            "\xa9cmt": TEXTS["COMMENT"], "aART": TEXTS["ALBUMARTIST"],
            "\xa9wrt": TEXTS["COMPOSER"], "\xa9lyr": TEXTS["LYRICS"],
            "cprt": TEXTS["COPYRIGHT"],
            "covr": [MP4Cover(PNG, MP4Cover.FORMAT_PNG), MP4Cover(JPEG, MP4Cover.FORMAT_JPEG)],
        })
    audio.save()


def main():
    kind, out, seconds = sys.argv[1], sys.argv[2], sys.argv[3]
    rate, channels, bits = SOURCES[kind]
    with tempfile.TemporaryDirectory() as scratch:
        wav = os.path.join(scratch, "tone.wav")
        run("sox", "-n", "-r", str(rate), "-c", str(channels), "-b", str(bits), wav,
            "synth", seconds, "sine", "300-900", "vol", "0.5")
        encode(kind, wav, out,
               ["-movflags", "+faststart"] if "--moov-first" in sys.argv[4:] else [])
    if "--tags" in sys.argv[4:]:
        tag(kind, out)


if __name__ == "__main__":
    main()
