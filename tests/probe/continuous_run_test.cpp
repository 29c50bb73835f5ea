#include "fakes.h"

#include "probe/continuous_run.h"
#include "probe/probe_texts.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const Text kLogSuccessMid = " \xB3\xC9\xB9\xA6 \xD1\xD3\xB3\xD9: "; // " 成功 延迟: "
const Text kLogFailTail = " \xCA\xA7\xB0\xDC !\r\n";               // " 失败 !\r\n"
const Text kConnect = "\xC1\xAC\xBD\xD3 ";                          // "连接 "

struct LogCase {
    const char* name;
    std::vector<Text> parts;
    ProbeResult result;
    Text line;
};

class LogLineTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(LogLineTest, IsByteExact)
{
    EXPECT_EQ(log_line(GetParam().parts, GetParam().result), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Lines, LogLineTest,
    ::testing::Values(
        LogCase{"Success", {"host", "80"}, {true, 16}, kConnect + "host:80" + kLogSuccessMid + "16 ms\r\n"},
        LogCase{"Failure", {"host", "80"}, {false, 16}, kConnect + "host:80" + kLogFailTail},
        LogCase{"EmptyPortText", {"a", "", "80"}, {false, 0}, kConnect + "a:" + kLogFailTail},
        LogCase{"ThirdPartLeftOut", {"a", "b", "c"}, {false, 0}, kConnect + "a:b" + kLogFailTail},
        LogCase{"PortTextAsTyped", {"host", " 80"}, {true, 7}, kConnect + "host: 80" + kLogSuccessMid + "7 ms\r\n"},
        LogCase{"EmptyHost", {"", "80"}, {true, 0}, kConnect + ":80" + kLogSuccessMid + "0 ms\r\n"},
        LogCase{"NoPortText", {"host"}, {false, 0}, kConnect + "host:" + kLogFailTail}),
    [](const auto& info) { return info.param.name; });

TEST(WaitServingEvents, SleepsALittleMoreThanAskedWithoutPolling)
{
    FakeClock clock(1000);
    wait_serving_events(997, clock);
    EXPECT_EQ(clock.now, 1000u + 998u);
    EXPECT_LE(clock.readings, 3) << "a wait sleeps, it does not poll the clock";
}

TEST(WaitServingEvents, NothingOrLessReturnsAtOnce)
{
    for (std::int32_t ms : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        FakeClock clock;
        wait_serving_events(ms, clock);
        EXPECT_TRUE(clock.slept.empty());
    }
}

TEST(WaitServingEvents, ACounterWrapNeitherCutsItShortNorMakesItEndless)
{
    for (std::uint32_t start : {0xFFFFFFFFu - 500u, 0xFFFFFFFFu - 997u, 0xFFFFFFFFu}) {
        FakeClock clock(start);
        wait_serving_events(997, clock);
        EXPECT_EQ(clock.now - start, 998u);
    }
}

class ContinuousRunTest : public ::testing::Test {
protected:
    ContinuousRunTest()
    {
        controls.caption_text = kCaptionStop;
        network.clock = &clock;
    }

    // Runs until the caption changes during the given probe.
    void run_and_stop_during_probe(int last_probe, Text caption = kCaptionStart)
    {
        network.during_connect = [this, last_probe, caption](int probe) {
            if (probe == last_probe)
                controls.caption_text = caption;
        };
        continuous_run(context, parts);
    }

    FakeControls controls;
    FakeNetwork network;
    FakeClock clock;
    PingContext context{controls, network, clock};
    std::vector<Text> parts{"host", "80"};
};

TEST_F(ContinuousRunTest, PacesProbesOneSecondApartAfterTheConnectTime)
{
    network.outcomes = {{false, 3}};
    run_and_stop_during_probe(3);
    EXPECT_EQ(clock.slept, (std::vector<std::uint32_t>{998, 998, 998}));
}

TEST_F(ContinuousRunTest, ASlowConnectIsFollowedByNoWait)
{
    network.outcomes = {{false, 1000}, {true, 1500}, {true, 999}};
    run_and_stop_during_probe(3);
    EXPECT_EQ(clock.slept, std::vector<std::uint32_t>{2});
}

TEST_F(ContinuousRunTest, AStopEndsTheRunAfterTheProbeUnderWay)
{
    network.outcomes = {{true, 12}};
    run_and_stop_during_probe(2);
    EXPECT_EQ(network.connects.size(), 2u);
    EXPECT_EQ(controls.statuses.size(), 2u);
    ASSERT_EQ(controls.log.size(), 2u);
    EXPECT_EQ(controls.log[1], kConnect + "host:80" + kLogSuccessMid + "12 ms\r\n");
    EXPECT_EQ(controls.caption_text, kCaptionStart) << "the run leaves the caption as the stop left it";
}

TEST_F(ContinuousRunTest, UntickingContinuousModeEndsTheRun)
{
    run_and_stop_during_probe(1, kCaptionPing);
    EXPECT_EQ(network.connects.size(), 1u);
    EXPECT_EQ(controls.caption_text, kCaptionPing);
}

TEST_F(ContinuousRunTest, AStopBeforeTheFirstTestProbesNothing)
{
    controls.caption_text = kCaptionStart;
    continuous_run(context, parts);
    EXPECT_TRUE(network.connects.empty());
    EXPECT_TRUE(controls.log.empty());
}

TEST_F(ContinuousRunTest, AStopFollowedByAStartBeforeTheNextTestKeepsTheRunGoing)
{
    network.during_connect = [this](int probe) {
        if (probe == 1) {
            controls.caption_text = kCaptionStart; // stop click
            controls.caption_text = kCaptionStop;  // start click's worker
        } else if (probe == 3) {
            controls.caption_text = kCaptionStart;
        }
    };
    continuous_run(context, parts);
    EXPECT_EQ(network.connects.size(), 3u);
}

TEST_F(ContinuousRunTest, TestsTheCaptionOnceBeforeEachProbe)
{
    run_and_stop_during_probe(4);
    EXPECT_EQ(controls.caption_reads, 5);
}

TEST_F(ContinuousRunTest, ProbesTheSamePartsThroughout)
{
    network.during_connect = [this](int probe) {
        controls.target = "other:1";
        if (probe == 3)
            controls.caption_text = kCaptionStart;
    };
    continuous_run(context, parts);
    for (const auto& connect : network.connects)
        EXPECT_EQ(connect.port, 80);
}

} // namespace
