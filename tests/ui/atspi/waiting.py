"""Waiting with a deadline: every wait of these tests is bounded, so that a failure ends the test
with a message instead of hanging it."""

import time

POLL_INTERVAL_S = 0.1


class WaitTimedOut(Exception):
    """The deadline of a wait passed; the message names what was waited for."""


class Deadline:
    def __init__(self, seconds):
        self.end = time.monotonic() + seconds

    def remaining(self):
        return max(0.0, self.end - time.monotonic())

    def expired(self):
        return time.monotonic() >= self.end


class StopWaiting(Exception):
    """Raised by a probe to end the wait at once: waiting longer cannot help (the process that
    should answer has ended). wait_for() passes it on."""


def wait_for(probe, seconds, what):
    """Calls probe() until it returns something other than None or False, and returns that.
    Raises WaitTimedOut naming `what` when `seconds` pass first. Other errors of the probe (a bus
    or an application still starting, a node that went away) count as "not yet"; the last one is
    named in the message."""
    deadline = Deadline(seconds)
    last_error = None
    while True:
        try:
            value = probe()
            if value is not None and value is not False:
                return value
        except StopWaiting:
            raise
        except Exception as error:
            last_error = error
        if deadline.expired():
            detail = f" (last error: {last_error})" if last_error else ""
            raise WaitTimedOut(f"timed out after {seconds:.0f} s waiting for {what}{detail}")
        time.sleep(POLL_INTERVAL_S)
