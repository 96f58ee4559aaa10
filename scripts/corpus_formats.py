# SPDX-License-Identifier: GPL-2.0-or-later
"""The FLAC, Ogg Vorbis, Opus and MP4 (AAC, ALAC) files of `make-corpus --formats`.

Each kind has a few encoder settings; the audio of a (setting, length) pair is made by sox
and encoded once by the tool users have for the format (flac, ffmpeg, opusenc), then copied
and tagged by mutagen with the texts make-corpus gives the file's ID3v2 tag. The manifest
row states what the file holds: its stream facts and every field.
"""
import hashlib
import os
import shutil
import subprocess

KINDS = ("mp3", "flac", "vorbis", "opus", "aac", "alac")
EXTENSIONS = {"flac": "flac", "vorbis": "ogg", "opus": "opus", "aac": "m4a", "alac": "m4a"}
TOOLS = {"flac": "flac", "vorbis": "ffmpeg", "opus": "opusenc", "aac": "ffmpeg", "alac": "ffmpeg"}
CODECS = {"flac": "FLAC", "vorbis": "Vorbis", "opus": "Opus", "aac": "AAC", "alac": "ALAC"}

# kind -> [(setting id, sample rate, channels, bits of the source, encoder arguments)]
SETTINGS = {
    "flac": [("flac-16-44k-stereo", 44100, 2, 16, ["-5"]),
             ("flac-24-96k-mono", 96000, 1, 24, ["-8"])],
    "vorbis": [("vorbis-q3-44k-stereo", 44100, 2, 16, ["-q:a", "3"]),
               ("vorbis-q6-48k-mono", 48000, 1, 16, ["-q:a", "6"])],
    "opus": [("opus-96k-48k-stereo", 48000, 2, 16, ["--bitrate", "96"]),
             ("opus-64k-44k-mono", 44100, 1, 16, ["--bitrate", "64"])],
    "aac": [("aac-128k-48k-stereo", 48000, 2, 16, ["-b:a", "128k"]),
            ("aac-96k-44k-mono", 44100, 1, 16, ["-b:a", "96k"])],
    "alac": [("alac-16-44k-stereo", 44100, 2, 16, []),
             ("alac-24-48k-stereo", 48000, 2, 24, [])],
}


def parse_kinds(text):
    kinds = [k.strip() for k in text.split(",") if k.strip()]
    if kinds == ["all"]:
        return list(KINDS)
    unknown = [k for k in kinds if k not in KINDS]
    if unknown or not kinds:
        raise ValueError("unknown kind %s (of %s, or all)" % (",".join(unknown), ",".join(KINDS)))
    return kinds


def missing_tools(kinds):
    """The tools the kinds need that are not installed."""
    others = [k for k in kinds if k != "mp3"]
    missing = sorted({TOOLS[k] for k in others if not shutil.which(TOOLS[k])})
    try:
        import mutagen  # noqa: F401
    except ImportError:
        if others:
            missing.append("mutagen (python3-mutagen)")
    return missing


def setting_of(kind, i):
    settings = SETTINGS[kind]
    return settings[(i // len(KINDS)) % len(settings)]


def run(args):
    subprocess.run(args, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def encode(kind, setting, samples, cache):
    """The encoded audio of a setting and a length, made once into the cache."""
    sid, rate, channels, bits, args = setting
    path = os.path.join(cache, "%s-%d.%s" % (sid, samples, EXTENSIONS[kind]))
    if os.path.exists(path):
        return path
    wav = path + ".wav"
    # The source rate and channels go before "-n": synth counts samples at the input's rate.
    run(["sox", "-R", "-r", str(rate), "-c", str(channels), "-n", "-b", str(bits), wav,
         "synth", "%ds" % samples, "sine", "110-%d" % min(5000, rate // 2 - 500),
         "synth", "pinknoise", "mix", "tremolo", "3", "60", "gain", "-n", "-3"])
    part = path + ".part." + EXTENSIONS[kind]
    if kind == "flac":
        run(["flac", "--silent", "--force", *args, "-o", part, wav])
    elif kind == "opus":
        run(["opusenc", "--quiet", *args, wav, part])
    else:
        codec = {"vorbis": "libvorbis", "aac": "aac", "alac": "alac"}[kind]
        container = "ogg" if kind == "vorbis" else "mp4"
        run(["ffmpeg", "-nostdin", "-y", "-bitexact", "-i", wav, "-map_metadata", "-1",
             "-c:a", codec, *args, "-f", container, part])
    os.remove(wav)
    os.replace(part, path)
    return path


def genre_names(raw, genre_name):
    return [g for g in genre_name(raw).split("; ") if g]


def tag(kind, path, f, genres, png):
    """Writes the fields `f` of a make-corpus plan into the file's own tag."""
    number, _, total = f["track"].partition("/")
    if kind in ("aac", "alac"):
        from mutagen.mp4 import MP4, MP4Cover
        audio = MP4(path)
        audio.update({"\xa9nam": [f["title"]], "\xa9ART": [f["artist"]],
                      "\xa9alb": [f["album"]], "\xa9day": [f["year"]],
                      "trkn": [(int(number), int(total or 0))], "\xa9gen": genres,
                      "\xa9cmt": [f["comment"]]})
        if f["lyrics"]:
            audio["\xa9lyr"] = [f["lyrics"]]
        if png:
            audio["covr"] = [MP4Cover(png, MP4Cover.FORMAT_PNG)]
    else:
        from mutagen.flac import FLAC, Picture
        from mutagen.oggopus import OggOpus
        from mutagen.oggvorbis import OggVorbis
        audio = {"flac": FLAC, "vorbis": OggVorbis, "opus": OggOpus}[kind](path)
        audio.update({"TITLE": [f["title"]], "ARTIST": [f["artist"]], "ALBUM": [f["album"]],
                      "DATE": [f["year"]], "TRACKNUMBER": [f["track"]], "GENRE": genres,
                      "COMMENT": [f["comment"]]})
        if f["lyrics"]:
            audio["LYRICS"] = [f["lyrics"]]
        if png:
            picture = Picture()
            picture.type, picture.mime, picture.data = 3, "image/png", png
            if kind == "flac":
                audio.add_picture(picture)
            else:
                import base64
                audio["METADATA_BLOCK_PICTURE"] = [base64.b64encode(picture.write()).decode()]
    audio.save()


def make(p, kind, out, cache, png, genre_name):
    """Makes the file of plan `p` as a file of `kind`; its manifest row."""
    setting = setting_of(kind, p["i"])
    sid, rate, channels, bits, args = setting
    samples = int(round(p["length"] * rate))
    source = encode(kind, setting, samples, cache)
    with open(source, "rb") as fh:
        audio_md5 = hashlib.md5(fh.read()).hexdigest()
    fname = p["fname"][:-len(".mp3")] + "." + EXTENSIONS[kind]
    path = os.path.join(out, fname)
    shutil.copyfile(source, path)
    f = p["f"]
    genres = genre_names(f["genre"], genre_name)
    picture = png if p["i"] % 13 == 4 else None
    tag(kind, path, f, genres, picture)
    # Opus is decoded at 48 kHz whatever the rate of its source.
    stream_rate = 48000 if kind == "opus" else rate
    return fname, {
        "format": kind, "codec": CODECS[kind],
        "bits_per_sample": bits if kind in ("flac", "alac") else "",
        "encoder_setting": sid, "lame_args": " ".join(args),
        "sample_rate": stream_rate, "channels": channels,
        "input_samples": samples, "duration_s": "%.6f" % (samples / rate),
        "duration_whole_floor": samples // rate,
        "duration_whole_round": int(samples / rate + 0.5),
        "tags": "mp4" if kind in ("aac", "alac") else "vorbis", "text_lang": p["lang"],
        "v2_title": f["title"], "v2_artist": f["artist"], "v2_album": f["album"],
        "v2_year": f["year"], "v2_track": f["track"], "v2_genre_raw": "; ".join(genres),
        "v2_genre_name": "; ".join(genres), "v2_comment": f["comment"],
        "v2_lyrics": f["lyrics"], "v2_lyrics_chars": len(f["lyrics"]),
        "v2_apic_bytes": len(png) if picture else 0, "audio_md5": audio_md5,
    }
