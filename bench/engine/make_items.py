#!/usr/bin/env python3
"""Makes the items of the gap measurement: six one-second tones per format (WAV, Ogg Vorbis, MP3), alternating
between 440 and 880 Hz, each its own file (a playlist keeps one entry per file).
Usage: make_items.py OUTPUT_FOLDER"""
import os
import subprocess
import sys

ITEMS = 6


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for item in range(ITEMS):
        hz = 880 if item % 2 else 440
        wav = os.path.join(out, f"item-{item}.wav")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "1", "sine", str(hz),
                        "vol", "0.5"], check=True)
        subprocess.run(["oggenc", "--quiet", "-q", "4", "-o", os.path.join(out, f"item-{item}.ogg"), wav], check=True)
        subprocess.run(["lame", "--quiet", "-b", "128", wav, os.path.join(out, f"item-{item}.mp3")], check=True)


if __name__ == "__main__":
    main()
