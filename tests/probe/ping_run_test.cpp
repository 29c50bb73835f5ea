#include "fakes.h"

#include "probe/ping_run.h"
#include "probe/probe_texts.h"

#include <gtest/gtest.h>

namespace {

const Text kSuccess16 = "                  \xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6\xA3\xA1 \xD1\xD3\xB3\xD9:16Ms";
const Text kFailure = "                  \xC1\xAC\xBD\xD3\xCA\xA7\xB0\xDC\xA3\xA1";

class PingRunTest : public ::testing::Test {
protected:
    void click() { ping_run(context); }

    FakeControls controls;
    FakeNetwork network;
    FakeClock clock;
    PingContext context{controls, network, clock};
};

TEST_F(PingRunTest, StatusTextsAreByteExact)
{
    EXPECT_EQ(status_text({true, 16}), kSuccess16);
    EXPECT_EQ(status_text({true, 0}).size(), 34u + 1u + 2u);
    EXPECT_EQ(status_text({false, 16}), kFailure);
    EXPECT_EQ(kFailure.size(), 28u);
}

TEST_F(PingRunTest, SingleProbeWritesTheStatusAndNoLog)
{
    controls.target = "host:80";
    network.outcomes = {{true, 16}};
    click();

    ASSERT_EQ(network.connects.size(), 1u);
    EXPECT_EQ(network.looked_up[0], "host");
    EXPECT_EQ(network.connects[0].address, "addr(host)");
    EXPECT_EQ(network.connects[0].port, 80);
    EXPECT_EQ(controls.statuses, std::vector<Text>{kSuccess16});
    EXPECT_TRUE(controls.log.empty());
    EXPECT_EQ(controls.caption_text, kCaptionPing);
}

TEST_F(PingRunTest, FailedProbeShowsTheFailureText)
{
    controls.target = "host:80";
    network.outcomes = {{false, 3}};
    click();
    EXPECT_EQ(controls.statuses, std::vector<Text>{kFailure});
}

TEST_F(PingRunTest, TargetWithoutColonDoesNothingWhateverTheCaption)
{
    for (const Text& caption : {kCaptionPing, kCaptionStart, kCaptionStop, Text("other")}) {
        SCOPED_TRACE(caption);
        controls.target = "host 80";
        controls.caption_text = caption;
        click();
        EXPECT_TRUE(network.connects.empty());
        EXPECT_TRUE(controls.statuses.empty());
        EXPECT_EQ(controls.caption_text, caption);
    }
}

TEST_F(PingRunTest, AnyOtherCaptionBecomesStartAndProbesNothing)
{
    for (const Text& caption : {kCaptionStop, Text(), Text("ping"), Text("PING ")}) {
        SCOPED_TRACE(caption);
        controls.target = "host:80";
        controls.caption_text = caption;
        click();
        EXPECT_EQ(controls.caption_text, kCaptionStart);
        EXPECT_TRUE(network.connects.empty());
    }
}

TEST_F(PingRunTest, StartCaptionBecomesStopAndRunsUntilItChanges)
{
    controls.target = "host:80";
    controls.caption_text = kCaptionStart;
    network.during_connect = [this](int probe) {
        if (probe == 2)
            controls.caption_text = kCaptionStart; // a stop click lands
    };
    click();
    EXPECT_EQ(network.connects.size(), 2u);
    EXPECT_EQ(controls.log.size(), 2u);
    EXPECT_EQ(controls.caption_text, kCaptionStart);
}

struct TargetCase {
    const char* name;
    Text target;
    Text host;
    std::int32_t port;
};

class PingTargetTest : public PingRunTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(PingTargetTest, HostAndPortComeFromTheFirstTwoParts)
{
    controls.target = GetParam().target;
    click();
    ASSERT_EQ(network.connects.size(), 1u);
    EXPECT_EQ(network.looked_up[0], GetParam().host);
    EXPECT_EQ(network.connects[0].port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Targets, PingTargetTest,
    ::testing::Values(
        TargetCase{"HostAndPort", "host:80", "host", 80},
        TargetCase{"EmptyHost", ":80", "", 80},
        TargetCase{"EmptyPortText", "a::80", "a", 0},
        TargetCase{"ThirdPartIgnored", "a:b:c", "a", 0},
        TargetCase{"TrailingColonDropped", "host:80:", "host", 80},
        TargetCase{"NoPortText", "host:", "host", 0},
        TargetCase{"LoneColon", ":", "", 0},
        TargetCase{"BlankBeforePort", "host: 80", "host", 80},
        TargetCase{"FullWidthPort", "host:\xA3\xB8\xA3\xB0", "host", 80},
        TargetCase{"NegativePort", "host:-1", "host", -1},
        TargetCase{"ChineseHost", "\xD6\xD0\xCE\xC4:80", "\xD6\xD0\xCE\xC4", 80}),
    [](const auto& info) { return info.param.name; });

TEST(CaptionAfterClick, FollowsTheThreeCaptions)
{
    EXPECT_EQ(caption_after_click(kCaptionPing), std::nullopt);
    EXPECT_EQ(caption_after_click(kCaptionStart), kCaptionStop);
    EXPECT_EQ(caption_after_click(kCaptionStop), kCaptionStart);
    EXPECT_EQ(caption_after_click(""), kCaptionStart);
}

} // namespace
