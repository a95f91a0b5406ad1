"""The sheet's data files as other programs read them: vintrel-cli exports a trimmed, padded,
extruded sheet of a sample with each data format, and the numbered files of the same frames;
Pillow cuts every rectangle a data file names out of the sheet and finds it equal to the part
of the numbered file that the frame's offset names. The premultiplied mode is checked against
the straight numbered files. Exits 77 (skipped) without Pillow."""

import json
import os
import re
import sys
import tempfile

from export_check import SKIP, arguments, missing_reader, report, run_export

FORMATS = {"texturepacker-hash": ".json", "texturepacker-array": ".json", "aseprite": ".json", "godot": ".tres"}
COMMON = ["--start", "1", "--end", "12", "--size", "48x48"]


def export(cli, sample, output, *options):
    result = run_export(cli, sample, output, *COMMON, *options)
    if result.returncode != 0:
        raise SystemExit(f"FAILED: export {options}: {result.stderr[-500:]}")


def frames_of(fmt, text):
    """[(x, y, w, h, offset_x, offset_y)] in the file's frame order."""
    if fmt == "godot":
        pattern = re.compile(r"region = Rect2\((\d+), (\d+), (\d+), (\d+)\)(?:\nmargin = Rect2\((\d+), (\d+), \d+, \d+\))?")
        return [tuple(int(v or 0) for v in m.groups()) for m in pattern.finditer(text)]
    data = json.loads(text)
    frames = data["frames"]
    entries = frames if isinstance(frames, list) else [frames[name] for name in sorted(frames)]
    return [(f["frame"]["x"], f["frame"]["y"], f["frame"]["w"], f["frame"]["h"],
             f["spriteSourceSize"]["x"], f["spriteSourceSize"]["y"]) for f in entries]


def main():
    options = arguments("--sample")
    if missing_reader():
        return SKIP
    from PIL import Image, ImageChops
    problems = []
    with tempfile.TemporaryDirectory(prefix="vintrel-atlas-") as folder:
        numbered = os.path.join(folder, "frame.png")
        export(options.cli, options.sample, numbered, "--type", "files")
        originals = [Image.open(os.path.join(folder, f"frame{k:05d}.png")).convert("RGBA") for k in range(12)]
        for fmt, extension in FORMATS.items():
            sheet_path = os.path.join(folder, f"{fmt}.png")
            export(options.cli, options.sample, sheet_path, "--atlas", fmt, "--trim", "frame", "--padding", "2",
                   "--extrude", "1", "--border", "1", "--columns", "5")
            with open(os.path.join(folder, fmt + extension), encoding="utf-8") as data:
                rects = frames_of(fmt, data.read())
            sheet = Image.open(sheet_path).convert("RGBA")
            if len(rects) != 12:
                problems.append(f"{fmt}: {len(rects)} frames instead of 12")
                continue
            for k, (x, y, w, h, ox, oy) in enumerate(rects):
                cut = sheet.crop((x, y, x + w, y + h))
                expected = originals[k].crop((ox, oy, ox + w, oy + h))
                if ImageChops.difference(cut, expected).getbbox() is not None:
                    problems.append(f"{fmt}: frame {k} at {(x, y, w, h)} differs from the numbered file")
        premultiplied = os.path.join(folder, "pm.png")
        export(options.cli, options.sample, premultiplied, "--type", "files", "--alpha", "premultiplied")
        for k in (0, 6, 11):
            written = Image.open(os.path.join(folder, f"pm{k:05d}.png")).convert("RGBA").getdata()
            for (r, g, b, a), (pr, pg, pb, pa) in zip(originals[k].getdata(), written):
                if (pr, pg, pb, pa) != tuple(round(c * a / 255) for c in (r, g, b)) + (a,):
                    problems.append(f"premultiplied frame {k}: {(pr, pg, pb, pa)} from straight {(r, g, b, a)}")
                    break
    if not problems:
        print(f"{len(FORMATS)} data formats read back with Pillow; premultiplied alpha as computed")
    return report(problems)


if __name__ == "__main__":
    sys.exit(main())
