"""Continuous PING: a probe a second with a running log, until stopped."""

import re
import subprocess
import time
import unittest

from harness import ClosedPort, DesktopTestCase, Listener, wait_until
from places import CONTINUOUS_BOX, LOG_BOX, PING_BUTTON, TARGET_BOX


class ContinuousRunTest(DesktopTestCase):
    def read_log(self, app):
        """Reads the log as a user does: select all, copy, paste elsewhere."""
        self.desktop.click(app.main, *LOG_BOX)
        self.desktop.key("ctrl+a")
        self.desktop.key("ctrl+c")
        time.sleep(0.3)
        return self.desktop.clipboard().decode("utf-8")

    def test_probes_once_a_second_logs_each_probe_and_stops_on_a_click(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        self.desktop.replace_text(app.main, TARGET_BOX, f"127.0.0.1: {listener.port}")

        self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count >= 1, what="the first probe")
        first = listener.times[0]
        time.sleep(10 - (time.monotonic() - first) - 0.01)
        in_ten_seconds = listener.count
        self.assertIn(in_ten_seconds, range(9, 12), "one probe a second")

        self.desktop.click(app.main, *PING_BUTTON)
        time.sleep(0.3)
        stopped_at = listener.count
        time.sleep(2.5)
        self.assertEqual(listener.count, stopped_at, "no probe after the one under way")

        lines = self.read_log(app).splitlines()
        self.assertEqual(len(lines), stopped_at)
        pattern = re.compile(rf"^连接 127\.0\.0\.1: {listener.port} 成功 延迟: (\d+) ms$")
        for line in lines:
            self.assertRegex(line, pattern)

        gaps = [b - a for a, b in zip(listener.times, listener.times[1:])]
        for gap in gaps:
            self.assertGreater(gap, 0.9)
            self.assertLess(gap, 1.2)

    def test_a_refused_port_logs_failures_and_unticking_stops_the_run(self):
        closed = ClosedPort()
        self.addCleanup(closed.close)
        port = closed.port
        app = self.start()
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        self.desktop.replace_text(app.main, TARGET_BOX, f"localhost:{port}")
        self.desktop.click(app.main, *PING_BUTTON)
        time.sleep(2.5)
        self.desktop.click(app.main, *CONTINUOUS_BOX)  # untick: the run ends
        self.desktop.click(app.main, *CONTINUOUS_BOX)  # tick again to see the log
        time.sleep(1.5)
        before = self.read_log(app)
        time.sleep(1.5)
        after = self.read_log(app)
        self.assertEqual(before, after, "the run ended")
        lines = after.splitlines()
        self.assertIn(len(lines), (3, 4))
        for line in lines:
            self.assertEqual(line, f"连接 localhost:{port} 失败 !")

    def test_user_text_in_the_log_stays_and_lines_follow_it(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        self.desktop.click(app.main, *LOG_BOX)
        self.desktop.type("note")
        self.desktop.key("Return")
        self.desktop.replace_text(app.main, TARGET_BOX, f"127.0.0.1:{listener.port}")
        self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count >= 2, what="two probes")
        self.desktop.click(app.main, *PING_BUTTON)
        time.sleep(1.5)
        lines = self.read_log(app).splitlines()
        self.assertEqual(lines[0], "note")
        self.assertEqual(len(lines) - 1, listener.count)

    def test_closing_the_window_during_a_run_ends_the_program(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        self.desktop.replace_text(app.main, TARGET_BOX, f"127.0.0.1:{listener.port}")
        for _ in range(3):  # start, stop, start: a run goes on
            self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count >= 2, what="a run")
        started = time.monotonic()
        self.desktop.key("Escape")
        self.assertEqual(app.wait(timeout=5), 0)
        self.assertLess(time.monotonic() - started, 2)


if __name__ == "__main__":
    unittest.main()
