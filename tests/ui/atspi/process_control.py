"""Ending the processes of a test session, and only those, with bounded waits, leaving neither
running processes nor zombies behind.

Processes are found in two ways: a marker variable that every process of the session inherits
in its environment (the editor, editors the editor starts, services the buses start), and, with
this process made the subreaper of its descendants, orphans that the kernel hands back to it.
"""

import ctypes
import os
import signal
import subprocess
import time

from waiting import POLL_INTERVAL_S, Deadline

STOP_TIMEOUT_S = 10.0
PR_SET_CHILD_SUBREAPER = 36


def become_subreaper():
    """Orphaned descendants become children of this process instead of init's, so that they can
    be found and reaped. Without it (not Linux) they go to init, which reaps them."""
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    except (OSError, AttributeError):
        pass


def _stat_fields(pid):
    """The fields of /proc/PID/stat after the command name, or None when the process is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()
    except (OSError, IndexError):
        return None


def _process_ids():
    return [int(entry) for entry in os.listdir("/proc") if entry.isdigit()]


def processes_with_marker(variable, value):
    """Ids of the processes (other than this one) whose environment holds variable=value; the
    environments of other users' processes cannot be read and are not looked at."""
    needle = f"{variable}={value}".encode()
    found = []
    for pid in _process_ids():
        if pid == os.getpid():
            continue
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if needle in f.read().split(b"\0"):
                    found.append(pid)
        except OSError:
            continue
    return found


def _reap(pid):
    try:
        os.waitpid(pid, os.WNOHANG)
    except ChildProcessError:
        pass  # not a child of this process: its parent reaps it


def is_running(pid):
    """False once the process has ended (reaping it when it is a child of this one)."""
    _reap(pid)
    fields = _stat_fields(pid)
    return fields is not None and fields[0] != "Z"


def end_processes(pids, seconds=STOP_TIMEOUT_S):
    """SIGTERM, a bounded wait, then SIGKILL and another bounded wait. Returns the ids still
    running at the end: none unless the kernel could not end them."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        for pid in pids:
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        deadline = Deadline(seconds)
        while not deadline.expired() and any(is_running(p) for p in pids):
            time.sleep(POLL_INTERVAL_S)
        pids = [p for p in pids if is_running(p)]
        if not pids:
            break
    return pids


def end_child(process):
    """Ends a process started through subprocess.Popen by its own methods, so that its exit code
    stays readable through process.returncode."""
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=STOP_TIMEOUT_S)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=STOP_TIMEOUT_S)


def _children_of_this_process():
    me = str(os.getpid())
    return [pid for pid in _process_ids() if (fields := _stat_fields(pid)) and fields[1] == me]


def _reap_all_children():
    try:
        while os.waitpid(-1, os.WNOHANG)[0] > 0:
            pass
    except ChildProcessError:
        pass


def end_descendants(seconds=STOP_TIMEOUT_S):
    """Waits, bounded, for the processes handed to this one as orphans (a bus started by a killed
    launcher, services a bus started) to end, reaps them, and ends those still running at the
    deadline. Returns the ids that would not end. Call it only once every Popen of this process
    has been waited for, since it reaps any child."""
    deadline = Deadline(seconds)
    while True:
        _reap_all_children()
        remaining = _children_of_this_process()
        if not remaining:
            return []
        if deadline.expired():
            stubborn = end_processes(remaining)
            _reap_all_children()
            return stubborn
        time.sleep(POLL_INTERVAL_S)
