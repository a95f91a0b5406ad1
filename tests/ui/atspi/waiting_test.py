"""Bounded waits: what a probe's answers and errors do to the wait."""

import unittest

from waiting import StopWaiting, WaitTimedOut, wait_for

SHORT_S = 0.3


class WaitForTest(unittest.TestCase):
    def test_returns_the_first_answer_that_is_not_none_or_false(self):
        answers = iter([None, False, 0, "found"])
        # 0 is an answer: only None and False mean "not yet".
        self.assertEqual(wait_for(lambda: next(answers), SHORT_S * 10, "an answer"), 0)

    def test_errors_of_the_probe_mean_not_yet(self):
        calls = []

        def probe():
            calls.append(1)
            if len(calls) < 3:
                raise ConnectionError("bus not up yet")
            return "up"

        self.assertEqual(wait_for(probe, SHORT_S * 10, "the bus"), "up")
        self.assertEqual(len(calls), 3)

    def test_timing_out_names_what_was_awaited_and_the_last_error(self):
        def probe():
            raise LookupError("no such node")

        with self.assertRaises(WaitTimedOut) as raised:
            wait_for(probe, SHORT_S, "the file dialog")
        self.assertIn("the file dialog", str(raised.exception))
        self.assertIn("no such node", str(raised.exception))

    def test_stop_waiting_ends_the_wait_at_once(self):
        calls = []

        def probe():
            calls.append(1)
            raise StopWaiting("the editor ended")

        with self.assertRaises(StopWaiting):
            wait_for(probe, 60, "the editor")
        self.assertEqual(len(calls), 1)


if __name__ == "__main__":
    unittest.main()
