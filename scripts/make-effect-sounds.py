#!/usr/bin/env python3
"""Writes the drill's two effect sounds, data/Datas/Correct.wav and Incorrect.wav.

Both are synthesised here (standard library only) so the shipped files are our own and
can be regenerated: 16-bit PCM, mono, 22050 Hz, with short fades against clicks.
Usage: scripts/make-effect-sounds.py [output folder]   (default: data/Datas)
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
FADE_S = 0.006


def envelope(i, count, decay):
    """Exponential decay with a short linear fade in and out."""
    t = i / RATE
    fade = min(1.0, t / FADE_S, (count - i) / (RATE * FADE_S))
    return fade * math.exp(-decay * t)


def bell(freq, seconds, decay):
    """A bright bell-like note: the fundamental with two softer partials."""
    count = int(seconds * RATE)
    partials = ((1.0, 1.0), (2.0, 0.35), (3.01, 0.12))
    norm = sum(a for _, a in partials)
    return [
        envelope(i, count, decay)
        * sum(a * math.sin(2 * math.pi * freq * m * i / RATE) for m, a in partials)
        / norm
        for i in range(count)
    ]


def buzz(start_freq, end_freq, seconds):
    """A low, falling buzz: a band-limited square wave gliding down."""
    count = int(seconds * RATE)
    samples, phase = [], 0.0
    for i in range(count):
        freq = start_freq * (end_freq / start_freq) ** (i / count)
        phase += 2 * math.pi * freq / RATE
        square = sum(math.sin(k * phase) / k for k in (1, 3, 5, 7, 9)) * 4 / math.pi
        samples.append(0.55 * envelope(i, count, 2.0) * square)
    return samples


def correct():
    first = bell(1318.5, 0.12, 9.0)  # E6
    second = bell(1760.0, 0.23, 7.0)  # A6, a fourth above
    # The second note starts while the first rings out.
    offset = int(0.11 * RATE)
    out = first + [0.0] * (offset + len(second) - len(first))
    for i, s in enumerate(second):
        out[offset + i] += s
    return [0.7 * s for s in out]


def incorrect():
    return buzz(220.0, 130.0, 0.4)


def write(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = 0.8 * 32767 / max(peak, 1.0)
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "Datas")
    write(os.path.join(folder, "Correct.wav"), correct())
    write(os.path.join(folder, "Incorrect.wav"), incorrect())


if __name__ == "__main__":
    main()
