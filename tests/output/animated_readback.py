"""The animated formats as other programs read them: vintrel-cli exports a sample as APNG, WebP,
WebM and ProRes at 30 frames a second (60 with every second frame); Pillow reads the APNG and the
WebP, ffprobe and ffmpeg the two videos, and each has the six frames, the rate and pixels that
are not opaque. Exits 77 (skipped) without Pillow or ffprobe."""

import json
import os
import subprocess
import sys
import tempfile

import export_check
from export_check import SKIP, arguments, missing_reader, report

FRAMES = 6
RATE = 30
FORMATS = {"apng": ".png", "webp": ".webp", "webm": ".webm", "prores": ".mov"}


def export(cli, sample, output, kind):
    export_check.export(cli, sample, output, "--type", kind, "--start", "1", "--end", "12", "--step", "2",
                        "--size", "48x48")


def pillow_problems(path, kind):
    from PIL import Image
    image = Image.open(path)
    problems = []
    if getattr(image, "n_frames", 1) != FRAMES:
        problems.append(f"{kind}: {getattr(image, 'n_frames', 1)} frames instead of {FRAMES}")
    durations, translucent = [], False
    for index in range(getattr(image, "n_frames", 1)):
        image.seek(index)
        translucent |= image.convert("RGBA").getextrema()[3][0] < 255
        durations.append(image.info.get("duration"))  # set once the frame is read
    if any(d is None or abs(d - 1000 / RATE) > 1 for d in durations):
        problems.append(f"{kind}: frame durations {durations} ms instead of {1000 / RATE:.1f}")
    if not translucent:
        problems.append(f"{kind}: no pixel with alpha below 255")
    return problems


def video_problems(path, kind):
    probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                            "stream=codec_name,pix_fmt,r_frame_rate,nb_read_frames:stream_tags=alpha_mode",
                            "-of", "json", path], capture_output=True, text=True, timeout=120)
    stream = json.loads(probe.stdout)["streams"][0]
    problems = []
    if int(stream.get("nb_read_frames", 0)) != FRAMES:
        problems.append(f"{kind}: {stream.get('nb_read_frames')} frames instead of {FRAMES}")
    if stream.get("r_frame_rate") != f"{RATE}/1":
        problems.append(f"{kind}: rate {stream.get('r_frame_rate')} instead of {RATE}/1")
    has_alpha = stream.get("pix_fmt", "").startswith("yuva") or stream.get("tags", {}).get("alpha_mode") == "1"
    if not has_alpha:
        problems.append(f"{kind}: no alpha channel ({stream})")
    # Decoded with the decoder that keeps VP9's alpha, the first frame has translucent pixels.
    decoder = ["-c:v", "libvpx-vp9"] if kind == "webm" else []
    raw = subprocess.run(["ffmpeg", "-v", "error", *decoder, "-i", path, "-frames:v", "1", "-f", "rawvideo",
                          "-pix_fmt", "rgba", "-"], capture_output=True, timeout=120).stdout
    if not raw or min(raw[3::4]) == 255:
        problems.append(f"{kind}: the decoded first frame has no pixel with alpha below 255")
    return problems


def main():
    options = arguments("--sample")
    if missing_reader(programs=("ffprobe", "ffmpeg")):
        return SKIP
    problems = []
    with tempfile.TemporaryDirectory(prefix="vintrel-animated-") as folder:
        for kind, extension in FORMATS.items():
            path = os.path.join(folder, "out" + extension)
            export(options.cli, options.sample, path, kind)
            problems += pillow_problems(path, kind) if kind in ("apng", "webp") else video_problems(path, kind)
            if os.path.exists(path + ".part"):
                problems.append(f"{kind}: the partial file was left behind")
    if not problems:
        print(f"{len(FORMATS)} animated formats read back with {FRAMES} frames at {RATE} a second and alpha")
    return report(problems)


if __name__ == "__main__":
    sys.exit(main())
