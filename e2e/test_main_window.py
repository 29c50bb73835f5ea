"""The main window and a single PING, driven as a user drives them."""

import subprocess
import time
import unittest

from harness import SCREEN, DesktopTestCase, Listener, SilentListener, wait_until
from places import CONTINUOUS_BOX, FRONT_BOX, PING_BUTTON, TARGET_BOX


class MainWindowTest(DesktopTestCase):
    def set_target(self, app, text):
        """Replaces the target box's text by pasting, as long texts are."""
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], env=self.desktop.env,
                       input=text.encode("utf-8"), check=True)
        self.desktop.click(app.main, *TARGET_BOX)
        self.desktop.key("ctrl+a")
        self.desktop.key("ctrl+v")
        time.sleep(0.2)

    def test_starts_centred_and_grows_with_continuous_mode(self):
        app = self.start()
        left, top = (SCREEN[0] - 325) // 2, (SCREEN[1] - 140) // 2
        wait_until(lambda: self.desktop.outer_geometry(app.main) == (left, top, 325, 140),
                   what="325 x 140 centred")

        self.desktop.click(app.main, *CONTINUOUS_BOX)
        wait_until(lambda: self.desktop.outer_geometry(app.main) == (left, top, 325, 297), what="297 high")
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        wait_until(lambda: self.desktop.outer_geometry(app.main) == (left, top, 325, 140), what="140 high again")

    def test_always_on_top_follows_front_display_without_moving(self):
        app = self.start()
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in self.desktop.net_wm_state(app.main), what="above at start")
        before = self.desktop.outer_geometry(app.main)

        self.desktop.click(app.main, *FRONT_BOX)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" not in self.desktop.net_wm_state(app.main), what="above cleared")
        self.assertEqual(self.desktop.outer_geometry(app.main), before)

        self.desktop.click(app.main, *FRONT_BOX)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in self.desktop.net_wm_state(app.main), what="above again")
        self.assertEqual(self.desktop.outer_geometry(app.main), before)

    def test_a_ping_click_makes_exactly_one_connection(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.set_target(app, f"127.0.0.1:{listener.port}")
        self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count == 1, what="one connection")
        time.sleep(1.5)
        self.assertEqual(listener.count, 1)

    def test_escape_ends_the_program_with_status_0(self):
        app = self.start()
        self.desktop.focus(app.main)
        self.desktop.key("Escape")
        self.assertEqual(app.wait(), 0)

    def test_any_target_text_never_crashes_or_hangs(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        targets = [
            "a" * 50000 + ":" + "9" * 50000,
            ":" * 1000,
            "中文主机名:八十",
            "😀🙂:😀",
            "\t\x01\x02\x7f:\x1b80",
            f"127.0.0.1:{listener.port}",
        ]
        for target in targets:
            self.set_target(app, target)
            self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count == 1, timeout=20, what="the last, sound target probed")
        self.assertIsNone(app.proc.poll())
        self.desktop.focus(app.main)
        self.desktop.key("Escape")
        self.assertEqual(app.wait(), 0)

    def test_closing_while_workers_wait_in_a_connect_ends_at_once(self):
        silent = SilentListener()
        self.addCleanup(silent.close)
        app = self.start()
        self.set_target(app, f"127.0.0.1:{silent.port}")
        for _ in range(5):
            self.desktop.click(app.main, *PING_BUTTON)
        time.sleep(0.5)
        self.assertIsNone(app.proc.poll())
        started = time.monotonic()
        self.desktop.focus(app.main)
        self.desktop.key("Escape")
        self.assertEqual(app.wait(timeout=5), 0)
        self.assertLess(time.monotonic() - started, 3)
        self.assertEqual(app.stdout, b"")
        self.assertEqual(app.stderr, b"")


if __name__ == "__main__":
    unittest.main()
