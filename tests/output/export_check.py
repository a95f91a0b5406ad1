"""What the read-back checks of exported files share: their arguments, the skip when a reader
is missing, running vintrel-cli export, and the report of the problems found."""

import argparse
import importlib.util
import shutil
import subprocess

SKIP = 77


def arguments(*names):
    """--cli and the given options (for example "--sample"), all required."""
    parser = argparse.ArgumentParser()
    for name in ("--cli", *names):
        parser.add_argument(name, required=True)
    return parser.parse_args()


def missing_reader(pillow=True, programs=()):
    """True (after saying why the check is skipped) when Pillow or one of the programs is absent."""
    if pillow and importlib.util.find_spec("PIL") is None:
        print("SKIPPED: Pillow is not installed (Debian: python3-pil)")
        return True
    for program in programs:
        if shutil.which(program) is None:
            print(f"SKIPPED: {program} is not installed (Debian: ffmpeg)")
            return True
    return False


def run_export(cli, sample, output, *options):
    return subprocess.run([cli, "export", sample, "-o", output, *options], capture_output=True, text=True,
                          timeout=300)


def export(cli, sample, output, *options):
    """Exports, or ends the check as failed with the end of the error output."""
    result = run_export(cli, sample, output, *options)
    if result.returncode != 0:
        raise SystemExit(f"FAILED: export {' '.join(options)}: {result.stderr[-500:]}")


def report(problems):
    """The exit code: 1 after listing the problems, 0 without any."""
    if problems:
        print("FAILED:\n  " + "\n  ".join(problems))
        return 1
    return 0
