"""The site window against a real web server on port 80 of a loopback of
the test's own, and a host that never answers."""

import os
import subprocess
import tempfile
import time
import unittest

from harness import DesktopTestCase, Listener, run_inside_network_namespace, wait_until
from places import (ADDRESS_BOX, CHECK_BUTTON, CONTINUOUS_BOX, FRONT_BOX, PING_BUTTON, SITE_BUTTON,
                    SPEED_TEST_BUTTON, TARGET_BOX)


SILENT_HOST = "10.77.0.2"
NGINX_CONF = """
daemon on;
pid {dir}/nginx.pid;
error_log {dir}/error.log;
events {{}}
http {{
    access_log {dir}/access.log;
    client_body_temp_path {dir};
    server {{
        listen 127.0.0.1:80;
        location = /ok {{ return 200 "alive\\n"; }}
        location = /moved {{ return 301 http://127.0.0.1/ok; }}
        location / {{ return 404; }}
    }}
}}
"""


def setUpModule():
    global nginx_dir
    nginx_dir = tempfile.mkdtemp(prefix="kelvane-nginx-")
    with open(os.path.join(nginx_dir, "nginx.conf"), "w") as conf:
        conf.write(NGINX_CONF.format(dir=nginx_dir))
    subprocess.run(["nginx", "-p", nginx_dir, "-c", "nginx.conf"], check=True)
    # A host on a link whose far end has no address: every packet to it is
    # swallowed, so a connect waits until the kernel gives up (1 + 2 + 4 s).
    silent_ns = os.environ["KELVANE_NETNS"] + "-silent"
    for command in (
        ["ip", "netns", "add", silent_ns],
        ["ip", "link", "add", "sv0", "type", "veth", "peer", "name", "sv1", "netns", silent_ns],
        ["ip", "addr", "add", "10.77.0.1/24", "dev", "sv0"],
        ["ip", "link", "set", "sv0", "up"],
        ["ip", "-n", silent_ns, "link", "set", "sv1", "up"],
        ["sysctl", "-q", "-w", "net.ipv4.tcp_syn_retries=2"],
    ):
        subprocess.run(command, check=True)
    mac = subprocess.run(["ip", "-n", silent_ns, "-br", "link", "show", "sv1"], capture_output=True,
                         text=True, check=True).stdout.split()[2]
    subprocess.run(["ip", "neigh", "add", SILENT_HOST, "lladdr", mac, "dev", "sv0", "nud", "permanent"], check=True)


def tearDownModule():
    with open(os.path.join(nginx_dir, "nginx.pid")) as pid:
        os.kill(int(pid.read()), 15)
    subprocess.run(["ip", "netns", "del", os.environ["KELVANE_NETNS"] + "-silent"], check=False)


def colours_in(image, geometry):
    x, y, w, h = geometry
    out = subprocess.run(["/usr/bin/convert", image, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-format", "%k", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return int(out)


class SiteWindowTest(DesktopTestCase):
    accessibility = True

    def open_site_window(self, app):
        self.desktop.click(app.main, *FRONT_BOX)  # else the main window stays in front of the site window
        self.desktop.click(app.main, *SITE_BUTTON)
        site = self.desktop.find_window("^站点存活检测$")
        wait_until(lambda: self.desktop.outer_geometry(site)[2:] == (392, 292), what="the site window placed")
        self.desktop.focus(site)
        return site

    def check(self, site, address):
        self.desktop.replace_text(site, ADDRESS_BOX, address)
        self.desktop.click(site, *CHECK_BUTTON)

    def dismiss_box(self):
        box = self.desktop.find_window("^信息：$")
        self.desktop.focus(box)
        self.desktop.key("Return")
        wait_until(lambda: not self.desktop.windows("^信息：$"), what="the box closed")

    def test_a_live_site_and_a_redirect(self):
        app = self.start()
        site = self.open_site_window(app)
        for address, verdict in (("127.0.0.1/ok", "站点正常连接"),
                                 ("http://127.0.0.1/moved", "站点无法连接"),
                                 ("localhost/ok", "站点正常连接"),
                                 ("", "站点无法连接")):
            with self.subTest(address=address):
                self.check(site, address)
                self.assertEqual(self.desktop.message_box_text(), verdict)
                self.dismiss_box()

    def test_the_site_button_twice_gives_one_window(self):
        app = self.start()
        self.open_site_window(app)
        self.desktop.click(app.main, *SITE_BUTTON)
        time.sleep(1)
        self.assertEqual(len(self.desktop.windows("^站点存活检测$")), 1)

    def test_the_site_window_outlives_the_main_window(self):
        app = self.start()
        site = self.open_site_window(app)
        self.desktop.focus(app.main)
        self.desktop.key("Escape")
        wait_until(lambda: not self.desktop.windows("^Kelvane "), what="the main window closed")
        self.assertIsNone(app.proc.poll())

        self.desktop.focus(site)
        self.check(site, "127.0.0.1/ok")
        self.assertEqual(self.desktop.message_box_text(), "站点正常连接")
        self.dismiss_box()
        self.desktop.focus(site)
        self.desktop.key("Escape")
        self.assertEqual(app.wait(), 0)

    def test_speed_test_hands_the_typed_address_to_the_browser(self):
        bin_dir = tempfile.mkdtemp(prefix="kelvane-browser-")
        record = os.path.join(bin_dir, "opened")
        with open(os.path.join(bin_dir, "xdg-open"), "w") as browser:
            browser.write(f'#!/bin/sh\nprintf "%s\\n" "$@" >> {record}\n')
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        app = self.start({"PATH": bin_dir + ":" + os.environ["PATH"]})
        site = self.open_site_window(app)
        self.desktop.click(site, *ADDRESS_BOX)
        self.desktop.type("example.org/a?b=1")
        self.desktop.click(site, *SPEED_TEST_BUTTON)
        self.desktop.click(site, *SPEED_TEST_BUTTON)
        def opened():
            if not os.path.exists(record):
                return []
            with open(record) as lines:
                return lines.read().splitlines()
        wait_until(lambda: len(opened()) == 2, what="two URLs handed to the browser")
        self.assertEqual(opened(), ["http://tool.chinaz.com/speedtest/example.org/a?b=1"] * 2)

    def test_windows_keep_painting_and_runs_keep_probing_while_a_connect_waits(self):
        listener = Listener()
        self.addCleanup(listener.close)
        app = self.start()
        self.desktop.click(app.main, *CONTINUOUS_BOX)
        self.desktop.replace_text(app.main, TARGET_BOX, f"127.0.0.1:{listener.port}")
        self.desktop.click(app.main, *PING_BUTTON)
        wait_until(lambda: listener.count >= 1, what="a continuous run")

        site = self.open_site_window(app)
        self.check(site, SILENT_HOST)
        time.sleep(1)
        probes_before = listener.count
        time.sleep(2.5)
        shot = os.path.join(self.desktop.tmp, "waiting.png")
        self.desktop.screenshot(shot)
        self.assertFalse(self.desktop.windows("^信息：$"), "the connect is still waiting")
        self.assertGreater(listener.count, probes_before, "the run went on probing")
        for window in (app.main, site):
            self.assertGreater(colours_in(shot, self.desktop.client_geometry(window)), 20, "painted")

        self.assertEqual(self.desktop.message_box_text(timeout=30), "站点无法连接")
        self.dismiss_box()


if __name__ == "__main__":
    run_inside_network_namespace()
    unittest.main()
