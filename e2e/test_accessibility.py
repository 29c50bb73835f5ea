"""What a screen reader finds in Kelvane, read through AT-SPI."""

import re
import unittest

from harness import DesktopTestCase, Listener, wait_until
from places import CHECK_BUTTON, FRONT_BOX, PING_BUTTON, SITE_BUTTON, TARGET_BOX


def find(objects, role, name=None):
    return [o for o in objects if o["role"] == role and (name is None or o["name"] == name)]


class AccessibilityTest(DesktopTestCase):
    accessibility = True

    def test_every_control_is_announced_by_what_it_shows_or_what_it_is(self):
        app = self.start()
        objects = self.desktop.accessible_objects()
        for role, name in (("push button", "PING"), ("push button", "检测网站存活"),
                           ("check box", "持续PING"), ("check box", "前端显示"),
                           ("label", "IP:端口"), ("label", "Kelvane"),
                           ("text", "IP:端口"), ("text", "PING日志")):
            with self.subTest(role=role, name=name):
                self.assertEqual(len(find(objects, role, name)), 1)
        self.assertEqual(find(objects, "text", "IP:端口")[0]["text"], "www.example.com:80")
        self.assertIn("checked", find(objects, "check box", "前端显示")[0]["states"])
        self.assertNotIn("checked", find(objects, "check box", "持续PING")[0]["states"])

    def test_tab_moves_through_the_controls_from_top_left_to_bottom_right(self):
        app = self.start()
        self.desktop.click(app.main, *TARGET_BOX)
        order = []
        for _ in range(6):
            focused = wait_until(lambda: [o for o in self.desktop.accessible_objects() if "focused" in o["states"]
                                          and o["role"] in ("text", "push button", "check box")], what="focus")
            order.append(focused[0]["name"])
            self.desktop.key("Tab")
        self.assertEqual(order, ["IP:端口", "PING", "持续PING", "检测网站存活", "前端显示", "PING日志"])

    def test_the_status_after_a_ping_and_a_verdict_are_read_out(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.desktop.replace_text(app.main, TARGET_BOX, f"127.0.0.1:{listener.port}")
        self.desktop.click(app.main, *PING_BUTTON)

        def status():
            labels = [o["name"] for o in find(self.desktop.accessible_objects(), "label")]
            return next((n for n in labels if "连接" in n), None)
        self.assertRegex(wait_until(status, what="the status text"), r"^ {18}连接成功！ 延迟:\d+Ms$")

        self.desktop.click(app.main, *FRONT_BOX)
        self.desktop.click(app.main, *SITE_BUTTON)
        site = self.desktop.find_window("^站点存活检测$")
        wait_until(lambda: self.desktop.outer_geometry(site)[2:] == (392, 292), what="the site window placed")
        objects = self.desktop.accessible_objects()
        self.assertEqual(len(find(objects, "text", "检测站点：")), 1)
        self.desktop.focus(site)
        self.desktop.click(site, *CHECK_BUTTON)  # nothing typed: the site cannot be reached
        self.assertEqual(self.desktop.message_box_text(), "站点无法连接")


if __name__ == "__main__":
    unittest.main()
