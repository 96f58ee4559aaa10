#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""mutagen on the other side of the interop tests.

    mutagen_tool.py dump FILE            the file's ID3v2 frames and ID3v1 fields, one per line
    mutagen_tool.py frames FILE          every ID3v2 frame as mutagen holds it, to compare
                                         before and after an edit
    mutagen_tool.py write FILE SCENARIO  gives FILE (audio only) the tag of a named scenario
                                         (mutagen orders frames by importance, then by size)
    mutagen_tool.py md5 FILE             the md5 digest of a file's bytes, as dumps show data
    mutagen_tool.py tags FILE            the tag of a FLAC, Ogg or MP4 file, one entry per key
    mutagen_tool.py genre FILE TEXT      gives such a file the genre TEXT (GENRE, MP4 "\xa9gen")
    mutagen_tool.py audio FILE           a digest of the audio of such a file: of its decoded
                                         samples (ffmpeg), and of its "mdat" bytes for MP4
    mutagen_tool.py comment FILE         the Vorbis comment of a FLAC, Ogg or Opus file as its
                                         bytes hold it: the vendor string, then every entry
    mutagen_tool.py set-comment FILE HEX...  gives such a file a comment of these entries
    mutagen_tool.py items FILE           the hex of each box of an MP4 file's "ilst", in order
    mutagen_tool.py set-items FILE HEX...  gives an MP4 file an "ilst" of these boxes
    mutagen_tool.py check                exits 0 when mutagen can be imported

Dump entries are KEY NUL VALUE NUL, sorted, so that values may hold any line break:
"version", "mp3.sample_rate", one entry per ID3v2 frame (text frames by id, COMM and USLT
as id:description:language, TXXX and WXXX as id:description, APIC and PRIV with a digest
of their data), and "v1.<id>" for the fields of an ID3v1 tag.

Tags entries are KEY NUL VALUE NUL in the file's order: Vorbis comment keys as the file
spells them, with every value in order (" | " between), and each picture as
"picture.N" (FLAC PICTURE blocks first, then METADATA_BLOCK_PICTURE) with its type, MIME
type, description and digest; MP4 atoms by name, "trkn" as "N/M", "covr.N" as format and
digest.

Comment lines are the hex of the vendor string and of each entry ("key=value"), in the
file's order, so that undecodable bytes and the case of keys show.

Frames entries are KEY NUL VALUE NUL, sorted: each frame mutagen parsed under its hash key
(a v2.2 frame under the key of the v2.3 frame it becomes), with the hex of its data as
mutagen writes it back (pictures as type, description and a digest of the data, since a
v2.2 picture names its format differently); each frame mutagen keeps unparsed (unknown
ids, encrypted frames) as "raw:" and the hex of its header and data, flags included.
"""
import hashlib
import sys

try:
    from mutagen import id3
    from mutagen.mp3 import MP3
except ImportError:  # the check command reports it
    id3 = None


def frame_line(frame):
    fid = frame.FrameID
    if fid in ("COMM", "USLT"):
        return f"{fid}:{frame.desc}:{frame.lang}", frame.text if fid == "USLT" else " | ".join(frame.text)
    if fid == "TXXX":
        return f"TXXX:{frame.desc}", " | ".join(frame.text)
    if fid == "WXXX":
        return f"WXXX:{frame.desc}", frame.url
    if fid == "APIC":
        return f"APIC:{frame.desc}", f"{frame.mime} {int(frame.type)} {hashlib.md5(frame.data).hexdigest()}"
    if fid == "PRIV":
        return f"PRIV:{frame.owner}", hashlib.md5(frame.data).hexdigest()
    if fid.startswith("T"):
        return fid, " | ".join(str(t) for t in frame.text)
    return frame.HashKey, repr(frame)


def dump(path):
    lines = []
    try:
        tags = id3.ID3(path, translate=False, load_v1=False)
        lines.append(("version", "2.%d" % tags.version[1]))
        for frame in tags.values():
            lines.append(frame_line(frame))
    except id3.ID3NoHeaderError:
        lines.append(("version", "none"))
    with open(path, "rb") as f:
        data = f.read()
    if len(data) >= 128 and data[-128:-125] == b"TAG":
        for fid, frame in id3.ParseID3v1(data[-128:]).items():
            lines.append(("v1." + fid, " | ".join(str(t) for t in frame.text)))
    lines.append(("mp3.sample_rate", MP3(path).info.sample_rate))
    for key, value in sorted(lines):
        sys.stdout.write(f"{key}\0{value}\0")


def frame_key(frame):
    key = frame.HashKey.replace("\0", "\\0")  # PRIV keys hold their data
    if len(frame.FrameID) == 3:
        return type(frame).__mro__[1].__name__ + key[3:]
    return key


def frames(path):
    tags = id3.ID3(path, translate=False, load_v1=False)
    lines = []
    for frame in tags.values():
        if isinstance(frame, id3.APIC):
            value = f"{int(frame.type)} {frame.desc} {hashlib.md5(frame.data).hexdigest()}"
        else:
            value = frame._writeData().hex()
        lines.append((frame_key(frame), value))
    for raw in tags.unknown_frames:
        lines.append(("raw:" + raw.hex(), ""))
    for key, value in sorted(lines):
        sys.stdout.write(f"{key}\0{value}\0")


def common_frames(enc, title, artist, year_frame, year):
    return [
        id3.TIT2(encoding=enc, text=title), id3.TPE1(encoding=enc, text=artist),
        id3.TALB(encoding=enc, text="Album"), year_frame(encoding=enc, text=year),
        id3.TRCK(encoding=enc, text="3/9"), id3.COMM(encoding=enc, lang="eng", desc="", text="Note"),
        id3.WXXX(encoding=enc, desc="", url="http://example.org/"), id3.TPUB(encoding=enc, text="Label"),
        id3.TOPE(encoding=enc, text="Orig"), id3.TCOP(encoding=enc, text="(c) 2001"),
        id3.TCOM(encoding=enc, text="Composer"), id3.TENC(encoding=enc, text="Encoder"),
        id3.USLT(encoding=enc, lang="eng", desc="", text="words\nmore words"),
    ]


def extras(enc):
    return [
        id3.APIC(encoding=enc, mime="image/png", type=3, desc="front", data=b"\x89PNG" + bytes(range(256)) * 8),
        id3.APIC(encoding=enc, mime="image/jpeg", type=4, desc="back", data=b"\xff\xd8\xff" + bytes(500)),
        id3.TXXX(encoding=enc, desc="MOOD", text="calm"), id3.TXXX(encoding=enc, desc="TEMPO", text="slow"),
        id3.PRIV(owner="tunewright.test", data=b"\x00\x01\x02private"),
        id3.COMM(encoding=enc, lang="eng", desc="iTunNORM", text="0000 1111"),
        id3.USLT(encoding=enc, lang="spa", desc="", text="Palabras, muchas palabras en otra lengua"),
    ]


SCENARIOS = {
    # name: (version, frames)
    "v23-latin1": (3, lambda: common_frames(0, "Café", "Artist", id3.TYER, "1999") + [id3.TCON(encoding=0, text="(17)Rock")]),
    "v23-utf16": (3, lambda: common_frames(1, "Жук", "Björk", id3.TYER, "1999") + [id3.TCON(encoding=1, text="Rock")]),
    "v24-utf8": (4, lambda: common_frames(3, "曲 🎵", "One", id3.TDRC, "2001-05-12")
                 + [id3.TCON(encoding=3, text=["Rock", "Pop"])]),
    "v24-utf16": (4, lambda: common_frames(1, "Ελληνικά", "Artist", id3.TDRC, "2001") + [id3.TCON(encoding=1, text="17")]),
    "rich-v23": (3, lambda: common_frames(1, "Rich", "Artist", id3.TYER, "1999") + [id3.TCON(encoding=1, text="Rock")]
                 + extras(1)),
    "rich-v24": (4, lambda: common_frames(3, "Rich", "Artist", id3.TDRC, "2001") + [id3.TCON(encoding=3, text="Rock")]
                 + extras(3)),
}


def write(path, scenario):
    version, frames = SCENARIOS[scenario]
    tags = id3.ID3()
    for frame in frames():
        tags.add(frame)
    tags.save(path, v2_version=version, v1=0)


def picture_line(picture):
    return f"{picture.type} {picture.mime} {picture.desc} {hashlib.md5(picture.data).hexdigest()}"


def tags(path):
    import base64
    import mutagen
    from mutagen.flac import Picture
    from mutagen.mp4 import MP4
    audio = mutagen.File(path)
    lines = []
    if isinstance(audio, MP4):
        for key, values in audio.tags.items():
            if key == "covr":
                for i, cover in enumerate(values):
                    lines.append((f"covr.{i}", f"{cover.imageformat} {hashlib.md5(bytes(cover)).hexdigest()}"))
            elif key == "trkn":
                lines.append((key, " | ".join(f"{a}/{b}" for a, b in values)))
            else:
                lines.append((key, " | ".join(str(v) for v in values)))
    else:
        pictures = list(getattr(audio, "pictures", []))
        grouped = {}
        for key, value in audio.tags:
            if key.upper() == "METADATA_BLOCK_PICTURE":
                pictures.append(Picture(base64.b64decode(value)))
            else:
                grouped.setdefault(key, []).append(value)
        lines += [(key, " | ".join(values)) for key, values in grouped.items()]
        lines += [(f"picture.{i}", picture_line(p)) for i, p in enumerate(pictures)]
    for key, value in lines:
        sys.stdout.write(f"{key}\0{value}\0")


def raw_comment_file(path):
    """The file as mutagen reads it, its Vorbis comment's undecodable bytes kept."""
    import mutagen
    from mutagen import _vorbis, flac
    _vorbis.VComment.load.__defaults__ = ("surrogateescape", True)
    flac.VCFLACDict.load.__defaults__ = ("surrogateescape", False)
    return mutagen.File(path)


def raw(text):
    return text.encode("utf-8", "surrogateescape")


def comment(path):
    audio = raw_comment_file(path)
    lines = [raw(audio.tags.vendor)] + [raw(key) + b"=" + raw(value) for key, value in audio.tags]
    sys.stdout.write("".join(line.hex() + "\n" for line in lines))


def set_comment(path, entries):
    audio = raw_comment_file(path)
    audio.tags.clear()
    for entry in entries:
        key, value = bytes.fromhex(entry).split(b"=", 1)
        audio.tags.append((key.decode("ascii"), value))
    audio.tags.validate = lambda: True  # the values are bytes, written as they are
    audio.save()


def items(path):
    from mutagen.mp4 import Atoms
    with open(path, "rb") as f:
        for child in Atoms(f).path(b"moov", b"udta", b"meta", b"ilst")[-1].children:
            f.seek(child.offset)
            sys.stdout.write(f.read(child.length).hex() + "\n")


def set_items(path, boxes):
    from mutagen.mp4 import MP4
    audio = MP4(path)
    audio.tags.clear()
    audio.tags._failed_atoms.clear()
    audio.tags["\xa9nam"] = ["stands for all of them"]
    raw = b"".join(bytes.fromhex(box) for box in boxes)
    audio.tags._render = lambda key, value: raw  # the boxes as they are, in this order
    audio.save()


def set_genre(path, text):
    import mutagen
    from mutagen.mp4 import MP4
    audio = mutagen.File(path)
    audio.tags["\xa9gen" if isinstance(audio, MP4) else "GENRE"] = [text]
    audio.save()


def mdat_digest(path):
    digest = hashlib.md5()
    with open(path, "rb") as f:
        data = f.read()
    at = 0
    while at + 8 <= len(data):
        size = int.from_bytes(data[at:at + 4], "big")
        head = 8
        if size == 1:
            size, head = int.from_bytes(data[at + 8:at + 16], "big"), 16
        elif size == 0:
            size = len(data) - at
        if data[at + 4:at + 8] == b"mdat":
            digest.update(data[at + head:at + size])
        at += max(size, 8)
    return digest.hexdigest()


def audio_digest(path):
    import subprocess
    pcm = subprocess.run(["ffmpeg", "-v", "error", "-nostdin", "-i", path, "-map", "0:a",
                          "-f", "s16le", "-"], check=True, capture_output=True).stdout
    digest = hashlib.md5(pcm).hexdigest()
    with open(path, "rb") as f:
        if f.read(8)[4:8] == b"ftyp":
            digest += " " + mdat_digest(path)
    sys.stdout.write(digest)


def md5(path):
    with open(path, "rb") as f:
        sys.stdout.write(hashlib.md5(f.read()).hexdigest())


# Each command: what it does with its arguments, and how many it takes (None: one or more).
COMMANDS = {
    "dump": (dump, 1),
    "frames": (frames, 1),
    "tags": (tags, 1),
    "comment": (comment, 1),
    "set-comment": (lambda path, *entries: set_comment(path, list(entries)), None),
    "items": (items, 1),
    "set-items": (lambda path, *boxes: set_items(path, list(boxes)), None),
    "audio": (audio_digest, 1),
    "md5": (md5, 1),
    "genre": (set_genre, 2),
    "write": (write, 2),
}


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "check":
        return 0 if id3 is not None else 1
    command = COMMANDS.get(sys.argv[1]) if len(sys.argv) >= 2 else None
    arguments = sys.argv[2:]
    if command is None or not arguments or (command[1] is not None and len(arguments) != command[1]):
        print(__doc__, file=sys.stderr)
        return 2
    command[0](*arguments)
    return 0


if __name__ == "__main__":
    sys.exit(main())
