"""The frame shared by the test scripts of this folder: arguments, the skip when the AT-SPI client
is missing, and failures turned into a message and exit code 1 instead of a traceback."""

import argparse
import os
import shutil
import signal
import sys
import traceback

import atspi_session
from waiting import StopWaiting, WaitTimedOut

EXIT_PASSED = 0
EXIT_FAILED = 1


class CheckFailed(Exception):
    """The editor did not behave as the test expects; the message lists what was wrong."""


def copy_sample(options, name, folder):
    """Copies samples/<name> of the source tree into folder; returns the copy's path."""
    source = os.path.join(options.source_dir, "samples", name)
    if not os.path.isfile(source):
        raise CheckFailed(f"the sample {source} is missing (is --source-dir the repository root?)")
    copy = os.path.join(folder, name)
    shutil.copyfile(source, copy)
    return copy


def parse_arguments(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--editor", required=True, help="the vintrel executable")
    parser.add_argument("--source-dir", required=True, help="the repository root (for samples/)")
    return parser.parse_args()


def _stop_on_signal(number, frame):
    # Leaving through SystemExit runs the sessions' clean-up, as an error would.
    print(f"FAILED: stopped by signal {signal.Signals(number).name}")
    sys.exit(EXIT_FAILED)


def run(description, body):
    """Parses the arguments, runs body(options) and returns the exit code for sys.exit: 0 when it
    returns, 1 with its message when it raises CheckFailed or AtspiError, SKIP_EXIT_CODE when
    pyatspi cannot be imported."""
    options = parse_arguments(description)
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, _stop_on_signal)
    if not atspi_session.pyatspi_available():
        print(f"SKIPPED: pyatspi cannot be imported by {sys.executable} (Debian: python3-pyatspi)")
        return atspi_session.SKIP_EXIT_CODE
    try:
        body(options)
    except (CheckFailed, atspi_session.AtspiError, StopWaiting, WaitTimedOut) as failure:
        print(f"FAILED: {failure}")
        return EXIT_FAILED
    except Exception:
        print("FAILED with an unexpected error:")
        traceback.print_exc(file=sys.stdout)
        return EXIT_FAILED
    print("PASSED")
    return EXIT_PASSED
