"""At two device pixels per logical pixel the windows keep their layout in
logical pixels and the banner is drawn from its double-size picture."""

import os
import subprocess
import unittest

from harness import SCREEN, DesktopTestCase, wait_until

BANNER_2X = os.path.join(os.path.dirname(__file__), "..", "src", "app", "resources", "banner@2x.png")
CONTINUOUS_BOX = (20, 202)  # device pixels: twice the logical place


def crop(image, x, y, w, h, out):
    subprocess.run(["/usr/bin/convert", image, "-crop", f"{w}x{h}+{x}+{y}", "+repage", out], check=True)


def differing_pixels(a, b):
    result = subprocess.run(["/usr/bin/compare", "-metric", "AE", a, b, "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def pixel(image, x, y):
    return subprocess.run(["/usr/bin/convert", image, "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                          capture_output=True, text=True, check=True).stdout


def near(size, expected):
    # The client is a whole number of logical pixels, and the window manager's
    # frame (1 + 1 by 20 + 1 device pixels here) is not: the outer size can
    # miss twice the logical size by the frame's odd device pixels.
    return all(abs(a - b) <= 2 for a, b in zip(size, expected))


class HighDpiTest(DesktopTestCase):
    def test_layout_in_logical_pixels_and_a_sharp_banner(self):
        app = self.start({"QT_SCALE_FACTOR": "2"})
        wait_until(lambda: near(self.desktop.outer_geometry(app.main)[2:], (650, 280)), what="650 x 280 outer")
        left, top, _, _ = self.desktop.outer_geometry(app.main)
        self.assertLessEqual(abs(left - (SCREEN[0] - 650) // 2), 2)
        self.assertLessEqual(abs(top - (SCREEN[1] - 280) // 2), 2)

        self.desktop.click(app.main, *CONTINUOUS_BOX)
        wait_until(lambda: near(self.desktop.outer_geometry(app.main)[2:], (650, 594)), what="594 high")
        cx, cy, _, _ = self.desktop.client_geometry(app.main)
        shot = os.path.join(self.desktop.tmp, "dpr2.png")
        self.desktop.screenshot(shot)
        self.desktop.screenshot(os.path.join(os.environ.get("KELVANE_SHOTS", self.desktop.tmp), "main-dpr2.png"))

        # The log's light blue, in the middle of where the log lies.
        self.assertEqual(pixel(shot, cx + 2 * 160, cy + 2 * 190), "srgb(187,233,255)")
        # The banner tiles from the label's corner at (-1, 1) logical, one
        # picture pixel to one device pixel.
        on_screen = os.path.join(self.desktop.tmp, "banner-screen.png")
        expected = os.path.join(self.desktop.tmp, "banner-expected.png")
        crop(shot, cx, cy + 2, 300, 60, on_screen)
        crop(BANNER_2X, 2, 0, 300, 60, expected)
        self.assertLess(differing_pixels(on_screen, expected), 30)


if __name__ == "__main__":
    unittest.main()
