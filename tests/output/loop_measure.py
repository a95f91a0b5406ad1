"""Seamless loops measured on the samples: each exported with --loop 1 as numbered files, and
the difference between its last and its first frame (mean absolute difference of the RGBA
bytes) is no larger than the largest difference between two consecutive frames inside the
loop. Exits 77 (skipped) without Pillow."""

import argparse
import glob
import os
import subprocess
import sys
import tempfile

SKIP = 77
SAMPLES = ("fire.stn", "sparks.stn", "magic_circle.stn")


def difference(a, b):
    from PIL import ImageChops, ImageStat
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 4


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--samples", required=True)
    options = parser.parse_args()
    try:
        from PIL import Image
    except ImportError:
        print("SKIPPED: Pillow is not installed (Debian: python3-pil)")
        return SKIP
    problems = []
    with tempfile.TemporaryDirectory(prefix="vintrel-loop-") as folder:
        for sample in SAMPLES:
            stem = os.path.splitext(sample)[0]
            output = os.path.join(folder, stem + ".png")
            result = subprocess.run([options.cli, "export", os.path.join(options.samples, sample), "-o", output,
                                     "--type", "files", "--size", "48x48", "--start", "11", "--end", "50",
                                     "--loop", "1"], capture_output=True, text=True, timeout=300)
            if result.returncode != 0:
                problems.append(f"{sample}: export failed: {result.stderr[-300:]}")
                continue
            files = sorted(glob.glob(os.path.join(folder, stem + "[0-9]*.png")))
            frames = [Image.open(f).convert("RGBA") for f in files]
            if len(frames) != 30:  # 40 frames, a quarter of them faded over the start
                problems.append(f"{sample}: {len(frames)} frames instead of 30")
                continue
            inside = max(difference(frames[j], frames[j + 1]) for j in range(len(frames) - 1))
            wrap = difference(frames[-1], frames[0])
            print(f"{sample}: last to first {wrap:.3f}, largest step inside {inside:.3f}")
            if wrap > inside:
                problems.append(f"{sample}: the jump from the last frame to the first ({wrap:.3f}) is larger "
                                f"than every step inside the loop (at most {inside:.3f})")
    if problems:
        print("FAILED:\n  " + "\n  ".join(problems))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
