"""Takes the README's screenshots of both windows from the real program on
a virtual desktop: python3 scripts/screenshots.py KELVANE_BINARY OUT_DIR"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import harness  # noqa: E402
import places  # noqa: E402
from harness import Desktop, Kelvane, Listener, wait_until  # noqa: E402


def grab(desktop, window, path):
    x, y, w, h = desktop.outer_geometry(window)
    shot = os.path.join(desktop.tmp, "screen.png")
    desktop.screenshot(shot)
    subprocess.run(["/usr/bin/convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", path], check=True)


def main():
    harness.KELVANE = sys.argv[1]
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    listener = Listener()
    desktop = Desktop()
    try:
        app = Kelvane(desktop)
        desktop.click(app.main, *places.CONTINUOUS_BOX)
        desktop.replace_text(app.main, places.TARGET_BOX, f"127.0.0.1:{listener.port}")
        desktop.click(app.main, *places.PING_BUTTON)
        wait_until(lambda: listener.count >= 4, what="four probes")
        desktop.click(app.main, *places.PING_BUTTON)
        time.sleep(1.2)
        grab(desktop, app.main, os.path.join(out, "main-window.png"))

        desktop.click(app.main, *places.FRONT_BOX)  # not on top, so the site window shows whole
        desktop.click(app.main, *places.SITE_BUTTON)
        site = desktop.find_window("^站点存活检测$")
        wait_until(lambda: desktop.outer_geometry(site)[2:] == (392, 292), what="the site window")
        desktop.focus(site)
        desktop.replace_text(site, places.ADDRESS_BOX, "www.example.com")
        time.sleep(0.5)
        grab(desktop, site, os.path.join(out, "site-window.png"))
        app.kill()
    finally:
        desktop.close()
        listener.close()


if __name__ == "__main__":
    main()
