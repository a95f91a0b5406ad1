"""Seamless loops measured on the samples: each exported with --loop 1 as numbered files, and
the difference between its last and its first frame (mean absolute difference of the RGBA
bytes) is no larger than the largest difference between two consecutive frames inside the
loop. Exits 77 (skipped) without Pillow."""

import glob
import os
import sys
import tempfile

from export_check import SKIP, arguments, missing_reader, report, run_export

SAMPLES = ("fire.stn", "sparks.stn", "magic_circle.stn")


def difference(a, b):
    from PIL import ImageChops, ImageStat
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 4


def main():
    options = arguments("--samples")
    if missing_reader():
        return SKIP
    from PIL import Image
    problems = []
    with tempfile.TemporaryDirectory(prefix="vintrel-loop-") as folder:
        for sample in SAMPLES:
            stem = os.path.splitext(sample)[0]
            output = os.path.join(folder, stem + ".png")
            result = run_export(options.cli, os.path.join(options.samples, sample), output, "--type", "files",
                                "--size", "48x48", "--start", "11", "--end", "50", "--loop", "1")
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
    return report(problems)


if __name__ == "__main__":
    sys.exit(main())
