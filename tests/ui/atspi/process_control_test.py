"""Ending a session's processes: found by their marker, ended even when they ignore SIGTERM, and
reaped so that none is left as a zombie."""

import os
import subprocess
import sys
import unittest
import uuid

import process_control

MARKER_VARIABLE = "VINTREL_PROCESS_CONTROL_TEST"
# A child that ignores SIGTERM, as a hung program might; it says when it does.
STUBBORN_CHILD = [
    sys.executable, "-c",
    "import signal, time; signal.signal(signal.SIGTERM, signal.SIG_IGN); print('ready', flush=True); "
    "time.sleep(60)",
]
SHORT_WAIT_S = 1.0


def start(command, marker=None):
    env = dict(os.environ)
    if marker:
        env[MARKER_VARIABLE] = marker
    return subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True)


class ProcessControlTest(unittest.TestCase):
    def setUp(self):
        self.started = []

    def tearDown(self):
        for process in self.started:
            if process.poll() is None:
                process.kill()
                process.wait()
            process.stdout.close()

    def launch(self, command, marker=None):
        process = start(command, marker)
        self.started.append(process)
        return process

    def test_finds_only_the_processes_with_its_marker(self):
        marker = uuid.uuid4().hex
        marked = self.launch(["sleep", "60"], marker)
        other = self.launch(["sleep", "60"], uuid.uuid4().hex)
        unmarked = self.launch(["sleep", "60"])
        found = process_control.processes_with_marker(MARKER_VARIABLE, marker)
        self.assertIn(marked.pid, found)
        self.assertNotIn(other.pid, found)
        self.assertNotIn(unmarked.pid, found)

    def test_a_process_that_ignores_sigterm_is_killed_and_reaped(self):
        stubborn = self.launch(STUBBORN_CHILD)
        self.assertEqual(stubborn.stdout.readline().strip(), "ready")
        self.assertEqual(process_control.end_processes([stubborn.pid], SHORT_WAIT_S), [])
        self.assertFalse(process_control.is_running(stubborn.pid))
        # Reaped by end_processes: no zombie is left in the process table.
        self.assertFalse(os.path.exists(f"/proc/{stubborn.pid}"))

    def test_end_child_keeps_the_exit_status(self):
        child = self.launch(["sleep", "60"])
        process_control.end_child(child)
        self.assertEqual(child.returncode, -15)

    def test_a_process_that_has_ended_is_not_running(self):
        child = self.launch(["true"])
        child.wait()
        self.assertFalse(process_control.is_running(child.pid))


if __name__ == "__main__":
    unittest.main()
