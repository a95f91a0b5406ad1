"""The starter library's thumbnails as the build drew them, against a fresh export of each effect
with the same options: the same sheet and data byte for byte. Pillow then reads each sheet as
a viewer would and checks that the data's frames lie on it, one for every second frame of the
effect, and that no frame is empty."""

import argparse
import filecmp
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "output"))
import export_check  # noqa: E402


def frame_problems(stem, sheet_path, data_path, frames_expected):
    from PIL import Image

    problems = []
    with Image.open(sheet_path) as sheet:
        sheet = sheet.convert("RGBA")
        frames = json.load(open(data_path, encoding="utf-8"))["frames"]
        if len(frames) != frames_expected:
            problems.append(f"{stem}: {len(frames)} frames in the data, {frames_expected} expected")
        for entry in frames:
            f = entry["frame"]
            box = (f["x"], f["y"], f["x"] + f["w"], f["y"] + f["h"])
            if box[2] > sheet.width or box[3] > sheet.height:
                problems.append(f"{stem}: frame {entry['filename']} lies outside the {sheet.size} sheet")
                continue
            low, high = zip(*sheet.crop(box).convert("RGB").getextrema())
            if max(high) - min(low) < 8:
                problems.append(f"{stem}: frame {entry['filename']} shows nothing")
    return problems


def exported_frames(cli, project):
    """How many frames the thumbnail's export takes: every second one of the export range."""
    info = json.loads(subprocess.run([cli, "info", project], capture_output=True, text=True, check=True,
                                     timeout=60).stdout)["project"]
    return (info["g.write.end"] - info["g.write.start"] + 2) // 2


def main():
    parser = argparse.ArgumentParser()
    for name in ("--cli", "--library", "--built"):
        parser.add_argument(name, required=True)
    # The export options the build drew the thumbnails with follow the named arguments.
    args, options = parser.parse_known_args()
    if export_check.missing_reader():
        return export_check.SKIP
    stems = sorted(name[:-4] for name in os.listdir(args.library) if name.endswith(".stn"))
    problems = [] if stems else ["the library holds no effects"]
    with tempfile.TemporaryDirectory() as fresh:
        for stem in stems:
            project = os.path.join(args.library, stem + ".stn")
            export_check.export(args.cli, project, os.path.join(fresh, stem + ".png"), *options)
            built = os.path.join(args.built, "thumbnails", stem)
            for extension in (".png", ".json"):
                if not filecmp.cmp(built + extension, os.path.join(fresh, stem + extension), shallow=False):
                    problems.append(f"{stem}{extension}: the build's thumbnail differs from a fresh export")
            problems += frame_problems(stem, built + ".png", built + ".json", exported_frames(args.cli, project))
    return export_check.report(problems)


if __name__ == "__main__":
    sys.exit(main())
