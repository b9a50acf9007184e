#!/usr/bin/env python3
"""The README's pictures of the zoo: each program's main window at its start, skinned beside
native, cut out of the zoo's screenshots (run the zoo first) and scaled down.

Usage: zoo_pictures.py ZOO_OUT_DIR DOCS_DIR   (e.g. build/win32/zoo docs/screenshots)
Writes DOCS_DIR/zoo-<program>.png for every program the zoo has run both ways.
"""
import json
import os
import subprocess
import sys
import tempfile


def crop(shot, rect, out, margin=3):
    left, top, right, bottom = rect
    left, top = max(left - margin, 0), max(top - margin, 0)
    w, h = right + margin - left, bottom + margin - top
    subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{left}+{top}", "+repage", out], check=True)


def main():
    zoo, docs = sys.argv[1], sys.argv[2]
    os.makedirs(docs, exist_ok=True)
    for name in sorted(os.listdir(zoo)):
        records = os.path.join(zoo, name, "records.json")
        if not os.path.exists(records):
            continue
        with open(records) as f:
            steps = json.load(f)
        if not all("start" in steps.get(look, {}) for look in ("skinned", "native")):
            continue
        with tempfile.TemporaryDirectory() as tmp:
            parts = []
            for look in ("skinned", "native"):
                shots = sorted(p for p in os.listdir(os.path.join(zoo, name, look)) if p.endswith("-start.png"))
                main_window = max((w for w in steps[look]["start"]["windows"] if w["class"] != "#32768"),
                                  key=lambda w: (w["rect"][2] - w["rect"][0]) * (w["rect"][3] - w["rect"][1]))
                part = os.path.join(tmp, f"{look}.png")
                crop(os.path.join(zoo, name, look, shots[0]), main_window["rect"], part)
                parts.append(part)
            out = os.path.join(docs, f"zoo-{name}.png")
            subprocess.run(["convert", *parts, "-background", "white", "-gravity", "north", "-splice", "0x0",
                            "-bordercolor", "white", "-border", "6", "+append", "-resize", "60%", out], check=True)
            print(out)


if __name__ == "__main__":
    main()
