"""The probe over a real network path: a userspace delay line between two
network namespaces of the test's own sets the round trip, or drops every
packet. Needs root and /dev/net/tun."""

import functools
import itertools
import os
import statistics
import subprocess
import unittest

KELVANE = os.environ.get("KELVANE_BIN", os.path.join(os.path.dirname(__file__), "..", "build", "kelvane"))
TOOLS = os.path.join(os.path.dirname(os.path.abspath(KELVANE)), "bench", "delay_line")
PROBE_TOOL = os.path.join(TOOLS, "probe_tool")
DELAY_LINE = os.path.join(TOOLS, "delay_line")
NETNS_PAIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench", "delay_line", "netns_pair.sh")

PEER = "10.99.0.2"  # the far side, in namespace b
PORT = 7000
SUCCESS = "                  连接成功！ 延迟:{}Ms"
FAILURE = "                  连接失败！"

# Accepts and closes every connection; says so once it listens.
LISTENER = f"""
import socket
server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("{PEER}", {PORT}))
server.listen(64)
print("listening", flush=True)
while True:
    server.accept()[0].close()
"""

_pair_numbers = itertools.count(1)


@functools.cache
def realtime_priority():
    """chrt for the probes when the system allows it: the delay line runs at
    real-time priority too, so a busy machine's scheduling delays stay out of
    the times measured."""
    allowed = subprocess.run(["chrt", "-f", "40", "true"], stderr=subprocess.DEVNULL).returncode == 0
    return ["chrt", "-f", "40"] if allowed else []


class NamespacePair:
    """Namespaces <prefix>-a and <prefix>-b joined by the delay line, with a
    listener on the far side; close() removes all of it."""

    def __init__(self, one_way_ms, drop=False):
        self.prefix = f"kdl{os.getpid()}n{next(_pair_numbers)}"
        self.listener = None
        env = dict(os.environ, DELAY_LINE_BIN=DELAY_LINE)
        try:
            subprocess.run([NETNS_PAIR, "up", self.prefix, str(one_way_ms)] + (["--drop"] if drop else []),
                           env=env, check=True, timeout=30)
            self.listener = subprocess.Popen(self.inside("b", ["/usr/bin/python3", "-c", LISTENER]),
                                             stdout=subprocess.PIPE, text=True)
            if self.listener.stdout.readline().strip() != "listening":
                raise RuntimeError("the listener did not start")
        except BaseException:
            self.close()
            raise

    def inside(self, side, argv):
        return ["ip", "netns", "exec", f"{self.prefix}-{side}"] + argv

    def run_in_a(self, argv, timeout=60):
        return subprocess.run(self.inside("a", realtime_priority() + argv), capture_output=True, text=True, check=True,
                              timeout=timeout).stdout

    def probe_once(self):
        """connected, elapsed and the status line of one probe from a."""
        fields = dict(line.split(": ", 1) for line in self.run_in_a([PROBE_TOOL, "once", PEER, str(PORT)]).splitlines())
        return fields["connected"] == "yes", int(fields["elapsed_ms"]), fields["status"]

    def continuous_run(self, probes):
        """(elapsed, period since the previous start or None) of each probe."""
        result = []
        for line in self.run_in_a([PROBE_TOOL, "run", PEER, str(PORT), str(probes)]).splitlines():
            words = line.split()
            period = None if words[7] == "-" else float(words[7])
            result.append((int(words[5]), period))
        return result

    def close(self):
        if self.listener:
            self.listener.kill()
            self.listener.wait()
            self.listener.stdout.close()
        subprocess.run([NETNS_PAIR, "down", self.prefix], check=False, timeout=30)


@unittest.skipUnless(os.path.exists("/dev/net/tun"), "no /dev/net/tun")
class DelayLineTest(unittest.TestCase):
    def pair(self, one_way_ms, drop=False):
        pair = NamespacePair(one_way_ms, drop)
        self.addCleanup(pair.close)
        return pair

    def test_a_probe_reports_the_round_trip_of_the_path(self):
        for one_way, round_trip in ((25, 50), (150, 300)):
            with self.subTest(round_trip=round_trip):
                pair = self.pair(one_way)
                # The median of five, so that one scheduling hiccup of a busy
                # machine does not decide.
                probes = [pair.probe_once() for _ in range(5)]
                for connected, elapsed, status in probes:
                    self.assertTrue(connected)
                    self.assertEqual(status, SUCCESS.format(elapsed))
                elapsed = statistics.median(elapsed for _, elapsed, _ in probes)
                self.assertLessEqual(abs(elapsed - round_trip), 2, f"elapsed {elapsed} ms")

    def test_after_a_connect_of_a_second_or_more_the_next_probe_follows_at_once(self):
        probes = self.pair(600).continuous_run(3)
        self.assertEqual(len(probes), 3)
        for elapsed, _ in probes:
            self.assertIn(elapsed, range(1199, 1240))
        for (elapsed, _), (_, period) in zip(probes, probes[1:]):
            # The connect (whole ticks, so up to 1 ms over) and a little
            # overhead, with no wait on top.
            self.assertGreater(period, elapsed - 1)
            self.assertLess(period, 1400)

    def test_a_path_that_drops_everything_fails_once_the_system_gives_up(self):
        pair = self.pair(25, drop=True)
        # One SYN retry: the system gives up after about 3 s instead of 2 min.
        pair.run_in_a(["sysctl", "-qw", "net.ipv4.tcp_syn_retries=1"])
        connected, elapsed, status = pair.probe_once()
        self.assertFalse(connected)
        self.assertEqual(status, FAILURE)
        self.assertIn(elapsed, range(2900, 4000), "elapsed is the time the connect waited")


if __name__ == "__main__":
    unittest.main()
