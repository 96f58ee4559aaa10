#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the seed corpora of the tag, stream and journal fuzz targets (fuzz/corpus/<target>/).

    make_seeds.py [FUZZ_DIR]

Small, valid inputs of each kind, so that the fuzzers start inside the formats.
"""
import os
import struct
import sys
import zlib


def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame_v23(fid, body, flags=0):
    return fid.encode() + struct.pack(">IH", len(body), flags) + body


def frame_v24(fid, body, flags=0):
    return fid.encode() + synchsafe(len(body)) + struct.pack(">H", flags) + body


def frame_v22(fid, body):
    return fid.encode() + struct.pack(">I", len(body))[1:] + body


def tag(version, frames, flags=0, padding=16, ext=b""):
    body = ext + b"".join(frames) + b"\0" * padding
    return b"ID3" + bytes([version, 0, flags]) + synchsafe(len(body)) + body


def mpeg_frames(header, length, count):
    return (struct.pack(">I", header) + b"\0" * (length - 4)) * count


def seeds():
    text = lambda s, enc=0: bytes([enc]) + (s.encode("latin-1") if enc in (0, 3) else s.encode("utf-16"))
    comm = lambda lang, desc, s: b"\0" + lang + desc + b"\0" + s
    mp3 = mpeg_frames(0xFFFB9064, 417, 3)
    xing = bytearray(mpeg_frames(0xFFFB9064, 417, 1))
    xing[36:48] = b"Xing" + struct.pack(">II", 3, 100)
    yield "fuzz_mpeg_frame_search", "cbr", mp3
    yield "fuzz_mpeg_frame_search", "xing", bytes(xing) + mp3
    yield "fuzz_mpeg_frame_search", "mpeg2", mpeg_frames(0xFFF38064, 208, 3)
    yield "fuzz_mpeg_frame_search", "tagged", tag(3, [frame_v23("TIT2", text("T"))]) + mp3
    yield "fuzz_mpeg_frame_search", "junk", b"\xff\xfb\x00\xffjunk" + mp3
    vbri = bytearray(mpeg_frames(0xFFFB9064, 417, 1))
    vbri[36:54] = b"VBRI" + struct.pack(">HHHII", 1, 1105, 75, 2000, 100)
    yield "fuzz_mpeg_frame_search", "vbri", bytes(vbri) + mp3
    ape_item = struct.pack("<II", 1, 0) + b"Title\0x"
    ape = lambda flags: b"APETAGEX" + struct.pack("<IIII", 2000, len(ape_item) + 32, 1, flags) + b"\0" * 8
    yield "fuzz_mpeg_frame_search", "ape", mp3 + ape(0xA0000000) + ape_item + ape(0x80000000) + b"TAG" + b"\0" * 125

    v1 = b"TAG" + b"Title".ljust(30, b"\0") + b"Artist".ljust(30, b"\0") + b"Album".ljust(30, b"\0")
    yield "fuzz_id3v1_tag", "v10", v1 + b"1999" + b"Comment".ljust(30, b" ") + b"\x11"
    yield "fuzz_id3v1_tag", "v11", v1 + b"2001" + b"Comment".ljust(28, b"\0") + b"\0\x07" + b"\xfe"

    yield "fuzz_id3v2_tag", "v23", tag(3, [
        frame_v23("TIT2", text("Title")), frame_v23("TPE1", text("Artist", 1)),
        frame_v23("TCON", text("(17)Rock")), frame_v23("TRCK", text("5/12")),
        frame_v23("TYER", text("1999")), frame_v23("COMM", comm(b"eng", b"", b"c")),
        frame_v23("USLT", comm(b"eng", b"", b"words")), frame_v23("WXXX", b"\0\0http://x/"),
        frame_v23("APIC", b"\0image/png\0\x03\0" + b"\x89PNG"),
        frame_v23("TALB", b"\0\0\0\x10" + b"\x78\x9c\x03\0\0\0\0\x01", 0x0080)])
    yield "fuzz_id3v2_tag", "v23ext", tag(3, [frame_v23("TIT2", text("T"))], flags=0x40,
                                          ext=struct.pack(">IHI", 6, 0, 16))
    yield "fuzz_id3v2_tag", "v24", tag(4, [
        frame_v24("TIT2", text("Title", 3)), frame_v24("TCON", b"\0Rock\0Pop"),
        frame_v24("TDRC", text("1999-05-12")), frame_v24("TXXX", b"\0k\0v")], flags=0x10) + b"3DI\4\0\x10" + synchsafe(0)
    yield "fuzz_id3v2_tag", "v22", tag(2, [frame_v22("TT2", text("T")), frame_v22("TCO", text("(13)")),
                                           frame_v22("COM", comm(b"eng", b"", b"c"))])

    # Damaged and unusual tags from the wild: the walk must read past each of them.
    good = [frame_v23("TIT2", text("Title")), frame_v23("TPE1", text("Artist"))]
    yield "fuzz_id3v2_tag", "empty_first", tag(3, [frame_v23("TCOP", b"")] + good)
    yield "fuzz_id3v2_tag", "empty_middle", tag(4, [frame_v24("TIT2", text("T")), frame_v24("TPE2", b""),
                                                    frame_v24("TPE1", text("A"))])
    yield "fuzz_id3v2_tag", "bad_id", tag(3, [good[0], frame_v23("T!t3", text("x")), good[1]])
    yield "fuzz_id3v2_tag", "junk", tag(3, [good[0], b"\x01\x02junk!", good[1]])
    yield "fuzz_id3v2_tag", "oversized", tag(3, [good[0], b"TALB" + struct.pack(">IH", 5000, 0) + text("Al"),
                                                 good[1]])
    yield "fuzz_id3v2_tag", "ext_crc", tag(3, good, flags=0x40,
                                           ext=struct.pack(">IHII", 10, 0x8000, 16, 0x1234ABCD))
    yield "fuzz_id3v2_tag", "v22_dates", tag(2, [frame_v22("TT2", text("T")), frame_v22("TDA", text("1705")),
                                                 frame_v22("TIM", text("1230")),
                                                 frame_v22("RVA", bytes([3, 16, 1, 2, 3, 4, 0, 0, 0, 0])),
                                                 frame_v22("PIC", b"\0JPG\x03d\0" + b"\xff\xd8"),
                                                 frame_v22("CRM", b"o\0e\0data")])
    yield "fuzz_id3v2_tag", "encrypted", tag(3, [good[0], frame_v23("TIT3", b"\x80\x01\x02\x03", 0x0040),
                                                 good[1]])
    yield "fuzz_id3v2_tag", "compressed", tag(3, [frame_v23("TIT2", struct.pack(">I", 6) +
                                                            zlib.compress(text("Title")), 0x0080), good[1]])
    # Frames whose data is stored behind a group byte, a data length, or unsynchronised.
    unsynced = lambda b: b.replace(b"\xff", b"\xff\0")
    title = text("Title \xff\xe0")
    apic = b"\0image/png\0\x03cover\0\x89P\xff"
    yield "fuzz_id3v2_tag", "v24_flagged", tag(4, [
        frame_v24("TIT2", b"\x80" + title, 0x0040),
        frame_v24("TPE1", synchsafe(len(title)) + title, 0x0001),
        frame_v24("TALB", unsynced(title), 0x0002),
        frame_v24("TDRC", b"\x80" + synchsafe(5) + text("1999"), 0x0041),
        frame_v24("APIC", b"\x80" + synchsafe(len(apic)) + unsynced(apic), 0x0043)])
    yield "fuzz_id3v2_tag", "v23_grouped", tag(3, [frame_v23("TIT2", b"\x80" + title, 0x0020),
                                                   frame_v23("TYER", text("0000"), 0),
                                                   frame_v23("APIC", b"\x80" + apic, 0x0020)])
    yield "fuzz_picture_head", "apic_v24_flagged", frame_v24(
        "APIC", b"\x80" + synchsafe(len(apic)) + unsynced(apic), 0x0043)
    # Read as numbers and lengths that build records: two records of two regions each.
    yield "fuzz_undo_journal", "records", (struct.pack(">IIIIIII", 2, 1, 12, 0, 4096, 4224, 0)
                                           + b"/music/a.mp3" + struct.pack(">II", 2, 100) + b"\x07" * 64)
    yield "fuzz_id3v2_tag", "v24_plain_sizes", tag(4, [frame_v23("TIT2", text("x" * 200)),
                                                       frame_v23("TPE1", text("A"))])
    # Texts in every form, read straight from the bytes: values without a byte-order mark,
    # genre codes, a surrogate pair, invalid UTF-8, a URL without the end of a description.
    yield "fuzz_id3v2_tag", "text_forms", tag(4, [
        frame_v24("TIT2", b"\1\xfe\xff\0A\0\0\0B\xd8\x3c\xdf\xb5"),
        frame_v24("TCON", b"\0(4)Rock\0(abc)\0(17)Rock"), frame_v24("TPE1", b"\3a\xc3b"),
        frame_v24("COMM", b"\1eng\xff\xfed\0\0\0\xff\xfet\0"), frame_v24("WXXX", b"\1\xff\xfeu\0"),
        frame_v24("USLT", b"\2eng\0\0\0w"), frame_v24("APIC", b"\0image/png\0\x03\0\x89PNG")])


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for target, name, data in seeds():
        folder = os.path.join(root, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
