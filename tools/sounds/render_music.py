#!/usr/bin/env python3
"""Renders a MIDI tune of the game to Ogg Opus for the browser page.

    python3 tools/sounds/render_music.py [--soundfont SF2] [--bitrate KBPS] TUNE.mid OUT.opus

The tune is played with fluidsynth and the soundfont the desktop plays it
with (TimGM6mb), at the desktop's loudness, cut at the tune's own end (the
end of its longest track, where the desktop starts it again) and encoded
with opusenc. Cutting the synthesiser's trailing reverb keeps a repeating
tune in time: the page loops the file as it is.
"""
import argparse
import array
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 48000  # Opus's own rate: the encoder need not resample
# The desktop sets the mixer's music volume to 72 of 128, which the
# synthesiser takes as a gain of 72 * 1.2 / 128: the tune then peaks a few
# dB below full scale, as loud as the effects.
GAIN = 72 * 1.2 / 128
FADE_SECONDS = 0.005  # the cut ends in silence, so a loop does not click
DEFAULT_SOUNDFONT = "/usr/share/sounds/sf2/TimGM6mb.sf2"


def _varlen(data, pos):
    value = 0
    while True:
        b = data[pos]
        pos += 1
        value = (value << 7) | (b & 0x7F)
        if not b & 0x80:
            return value, pos


def _track_events(data, pos, end):
    """The tempo changes (tick, microseconds a beat) and the end tick of one track."""
    tick, status, tempos = 0, 0, []
    while pos < end:
        delta, pos = _varlen(data, pos)
        tick += delta
        kind = data[pos]
        if kind == 0xFF:
            meta = data[pos + 1]
            length, pos = _varlen(data, pos + 2)
            if meta == 0x51:
                tempos.append((tick, int.from_bytes(data[pos:pos + 3], "big")))
            pos += length
            if meta == 0x2F:
                break
        elif kind in (0xF0, 0xF7):
            length, pos = _varlen(data, pos + 1)
            pos += length
        else:
            if kind & 0x80:  # else running status: the byte is the first data byte
                status = kind
                pos += 1
            pos += 1 if (status & 0xF0) in (0xC0, 0xD0) else 2
    return tempos, tick


def midi_seconds(path):
    """How long a standard MIDI file plays: the end of its longest track, in
    seconds, through its tempo changes (120 beats a minute until the first)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"MThd":
        raise ValueError(f"{path}: not a MIDI file")
    header = struct.unpack(">I", data[4:8])[0]
    _, tracks, division = struct.unpack(">HHH", data[8:14])
    if division & 0x8000:
        raise ValueError(f"{path}: SMPTE timing is not supported")
    pos, tempos, end = 8 + header, [], 0
    for _ in range(tracks):
        if data[pos:pos + 4] != b"MTrk":
            raise ValueError(f"{path}: a track is missing")
        length = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        track_tempos, track_end = _track_events(data, pos + 8, pos + 8 + length)
        tempos += track_tempos
        end = max(end, track_end)
        pos += 8 + length
    seconds, tick, tempo = 0.0, 0, 500000
    for at, value in sorted(tempos):
        if at >= end:
            break
        seconds += (at - tick) * tempo / division / 1e6
        tick, tempo = at, value
    return seconds + (end - tick) * tempo / division / 1e6


def cut(src, dst, seconds):
    """Copies the 16-bit WAV src to dst, cut after `seconds`, the last few
    milliseconds faded out."""
    with wave.open(src, "rb") as w:
        params = w.getparams()
        frames = min(w.getnframes(), round(seconds * w.getframerate()))
        samples = array.array("h", w.readframes(frames))
    if params.sampwidth != 2:
        raise ValueError(f"{src}: not 16-bit")
    if sys.byteorder == "big":
        samples.byteswap()
    channels = params.nchannels
    fade = min(frames, round(FADE_SECONDS * params.framerate))
    for k in range(fade):
        frame = frames - fade + k
        for c in range(channels):
            i = frame * channels + c
            samples[i] = int(samples[i] * (fade - 1 - k) / fade)
    if sys.byteorder == "big":
        samples.byteswap()
    with wave.open(dst, "wb") as w:
        w.setparams(params)
        w.writeframes(samples.tobytes())


def render(tune, out, soundfont, bitrate):
    for tool in ("fluidsynth", "opusenc"):
        if not shutil.which(tool):
            raise SystemExit(f"render_music.py: {tool} is not installed (scripts/install-deps.sh)")
    seconds = midi_seconds(tune)
    with tempfile.TemporaryDirectory(prefix="glim-music-") as tmp:
        raw, trimmed = os.path.join(tmp, "raw.wav"), os.path.join(tmp, "cut.wav")
        subprocess.run(["fluidsynth", "-ni", "-g", f"{GAIN:.4f}", "-r", str(RATE), "-F", raw, soundfont, tune],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        cut(raw, trimmed, seconds)
        os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
        # A fixed stream serial number: the same tune always gives the same file.
        subprocess.run(["opusenc", "--quiet", "--music", "--bitrate", str(bitrate), "--serial", "1", trimmed, out + ".part"], check=True)
    os.replace(out + ".part", out)
    return seconds


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("tune")
    ap.add_argument("out")
    ap.add_argument("--soundfont", default=DEFAULT_SOUNDFONT)
    ap.add_argument("--bitrate", type=int, default=64, help="kbit/s (default 64)")
    args = ap.parse_args()
    seconds = render(args.tune, args.out, args.soundfont, args.bitrate)
    print(f"{args.out}: {seconds:.2f} s, {os.path.getsize(args.out)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
