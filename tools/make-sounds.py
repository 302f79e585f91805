#!/usr/bin/env python3
"""Writes the program's eight sound clips to resources/sounds/.

Everything is synthesised here from fixed seeds, so running the script again
gives the same bytes. Standard library only.

    tools/make-sounds.py [output folder]
"""

import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 22050


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def mix(track, sound, at):
    """Adds sound into track starting at `at` seconds, growing the track as needed."""
    start = int(at * RATE)
    end = start + len(sound)
    if end > len(track):
        track.extend([0.0] * (end - len(track)))
    for k, v in enumerate(sound):
        track[start + k] += v
    return track


def click(rng, seconds, modes, noise_ms, noise_level, thump_hz=0.0, thump_level=0.0):
    """A hard knock: a short noise burst exciting a few damped resonances.

    modes: (frequency Hz, decay time constant s, level) of each resonance.
    """
    n = int(seconds * RATE)
    out = [0.0] * n
    noise_n = max(1, int(noise_ms * RATE / 1000))
    for k in range(n):
        t = k / RATE
        v = 0.0
        for freq, tau, level in modes:
            v += level * math.exp(-t / tau) * math.sin(2 * math.pi * freq * t)
        if thump_level:
            v += thump_level * math.exp(-t / 0.012) * math.sin(2 * math.pi * thump_hz * t)
        if k < noise_n:
            # Linear fall keeps the attack sharp without a step at its end.
            v += noise_level * (1 - k / noise_n) * (rng.random() * 2 - 1)
        out[k] = v
    return out


def bell(freq, seconds, level, decay=0.35):
    """A soft bell note: a few partials, quick but not clicking attack."""
    partials = ((1.0, 1.0, 1.0), (2.0, 0.35, 0.6), (3.0, 0.12, 0.4), (4.16, 0.05, 0.25))
    n = int(seconds * RATE)
    attack = int(0.006 * RATE)
    out = [0.0] * n
    for k in range(n):
        t = k / RATE
        env = min(1.0, k / attack) if attack else 1.0
        v = 0.0
        for ratio, amp, tau_scale in partials:
            v += amp * math.exp(-t / (decay * tau_scale)) * math.sin(2 * math.pi * freq * ratio * t)
        out[k] = level * env * v
    return out


def finish(samples, peak, fade_seconds=0.01):
    """Scales to the wanted peak and fades the tail so the clip ends at zero."""
    top = max(abs(v) for v in samples) or 1.0
    scaled = [v * peak / top for v in samples]
    fade = min(len(scaled), int(fade_seconds * RATE))
    for k in range(fade):
        scaled[len(scaled) - 1 - k] *= k / fade
    return scaled


def write(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples)
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def stone_click(rng, seconds=0.1, level=1.0, pitch=1.0):
    # Slate on a wooden board: a dry high crack over a short body resonance.
    modes = (
        (1150 * pitch, 0.010, 0.55),
        (2450 * pitch, 0.006, 0.45),
        (3900 * pitch, 0.004, 0.30),
        (6100 * pitch, 0.0025, 0.20),
    )
    return [v * level for v in click(rng, seconds, modes, 1.6, 0.9, 210 * pitch, 0.35)]


def stone_clack(rng, level, pitch):
    # Stones knocking on each other ring higher and shorter than on wood.
    modes = (
        (2900 * pitch, 0.005, 0.5),
        (4700 * pitch, 0.0035, 0.4),
        (7300 * pitch, 0.002, 0.25),
    )
    return [v * level for v in click(rng, 0.04, modes, 0.8, 0.6)]


def make_play():
    rng = random.Random(1)
    return finish(stone_click(rng), 0.9, 0.004)


def make_take():
    rng = random.Random(2)
    track = stone_click(rng, 0.1)
    # The taken stones drop into the lid one after another, quieter and
    # thicker at first, then a last few settling.
    at = 0.14
    level = 0.55
    while at < 0.66:
        mix(track, stone_clack(rng, level * (0.6 + 0.4 * rng.random()), 0.85 + 0.3 * rng.random()), at)
        at += 0.025 + 0.07 * rng.random()
        level *= 0.9
    track.extend(silence(0.75 - len(track) / RATE))
    return finish(track[: int(0.75 * RATE)], 0.9)


def chime(notes, seconds, peak=0.6, decay=0.35):
    """notes: (start s, frequency Hz, level)."""
    track = silence(seconds)
    for at, freq, level in notes:
        note = bell(freq, seconds - at, level, decay)
        mix(track, note, at)
    return finish(track[: int(seconds * RATE)], peak, 0.05)


# Equal-tempered pitches around A4 = 440 Hz.
def pitch(semitones_from_a4):
    return 440.0 * 2 ** (semitones_from_a4 / 12)


C5, D5, E5, G5, A5, C6, E6, G6 = (pitch(n) for n in (3, 5, 7, 10, 12, 15, 19, 22))

SOUNDS = {
    "play.wav": make_play,
    "take.wav": make_take,
    # A game begins: a rising major triad.
    "newgame.wav": lambda: chime(((0.0, C5, 1.0), (0.12, E5, 0.9), (0.24, G5, 0.9), (0.36, C6, 0.8)), 1.1),
    # The opponent resigns: a brighter, fuller arpeggio held a little longer.
    "cheer.wav": lambda: chime(
        ((0.0, G5, 0.9), (0.09, C6, 0.9), (0.18, E6, 0.9), (0.27, G6, 0.9), (0.45, C6, 0.6), (0.45, E6, 0.6)), 1.3, 0.65, 0.45
    ),
    # A notice: one soft ding.
    "info.wav": lambda: chime(((0.0, A5, 1.0),), 0.7, 0.5),
    # A friend arrives: two notes upwards.
    "online.wav": lambda: chime(((0.0, E5, 1.0), (0.13, A5, 0.9)), 0.8),
    # The connection is gone: the same two notes downwards.
    "offline.wav": lambda: chime(((0.0, A5, 0.9), (0.13, E5, 1.0)), 0.8),
    # A proposal waits for an answer: two quick pings on the same note.
    "request.wav": lambda: chime(((0.0, D5 * 2, 0.9), (0.16, D5 * 2, 0.8)), 0.8, 0.55, 0.25),
}


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "sounds"
    out.mkdir(parents=True, exist_ok=True)
    for name, make in SOUNDS.items():
        write(out / name, make())
        print(f"{out / name}: {(out / name).stat().st_size} bytes")


if __name__ == "__main__":
    main()
