#include "fakes.h"
#include "closed_port.h"
#include "loopback_listener.h"

#include "probe/connect_timer.h"

#include <gtest/gtest.h>

namespace {

TEST(TimedConnect, AcceptedByAListener)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.listening());
    std::int32_t elapsed = -1;
    EXPECT_TRUE(timed_connect("127.0.0.1", listener.port(), elapsed));
    EXPECT_GE(elapsed, 0);
}

TEST(TimedConnect, RefusedByAClosedPortWithTheTimeWritten)
{
    ClosedPort closed;
    std::int32_t elapsed = -1;
    EXPECT_FALSE(timed_connect("127.0.0.1", closed.port(), elapsed));
    EXPECT_GE(elapsed, 0);
}

TEST(TimedConnect, UsesThePortModulo65536)
{
    LoopbackListener listener;
    ASSERT_TRUE(listener.listening());
    std::int32_t elapsed = 0;
    EXPECT_TRUE(timed_connect("127.0.0.1", listener.port() + 65536, elapsed));
    EXPECT_TRUE(timed_connect("127.0.0.1", listener.port() - 65536, elapsed));
    EXPECT_FALSE(timed_connect("127.0.0.1", 0, elapsed));
    EXPECT_FALSE(timed_connect("127.0.0.1", 65536, elapsed));
}

TEST(TimedConnect, MinusOneIsPort65535)
{
    LoopbackListener listener(65535);
    if (!listener.listening())
        GTEST_SKIP() << "port 65535 is in use here";
    std::int32_t elapsed = 0;
    EXPECT_TRUE(timed_connect("127.0.0.1", -1, elapsed));
}

TEST(TimedConnect, AnAddressThatDoesNotParseFails)
{
    for (const Text address : {"", "not an address", "127.0.0.1.5", "\xD6\xD0"}) {
        SCOPED_TRACE(address);
        std::int32_t elapsed = -1;
        EXPECT_FALSE(timed_connect(address, 80, elapsed));
        EXPECT_GE(elapsed, 0);
    }
}

TEST(TimedConnect, ElapsedSurvivesAWrapOfTheCounter)
{
    // The connect runs between the two readings; the counter wraps meanwhile.
    class WrappingClock final : public TickClock {
    public:
        std::uint32_t now_ms() override { return 0; }
        std::uint64_t now_us() override { return readings++ == 0 ? ~std::uint64_t{0} - 15'999u : 16'000u; }
        void sleep_ms(std::uint32_t) override {}
        int readings = 0;
    } clock;
    ClosedPort closed;
    std::int32_t elapsed = 0;
    timed_connect("127.0.0.1", closed.port(), elapsed, clock);
    EXPECT_EQ(elapsed, 32);
}

TEST(ElapsedMs, IsTheWrapSafeDifference)
{
    EXPECT_EQ(elapsed_ms(100, 150), 50);
    EXPECT_EQ(elapsed_ms(0xFFFFFFF0u, 16u), 32);
    EXPECT_EQ(elapsed_ms(150, 100), -50);
}

TEST(ElapsedMs, FromMicrosecondsRoundsToTheNearestMillisecond)
{
    EXPECT_EQ(elapsed_ms_from_us(1'000'000, 1'000'499), 0);
    EXPECT_EQ(elapsed_ms_from_us(1'000'000, 1'000'500), 1);
    EXPECT_EQ(elapsed_ms_from_us(1'000'000, 1'050'400), 50);
    EXPECT_EQ(elapsed_ms_from_us(~std::uint64_t{0} - 999u, 2'000u), 3);
    EXPECT_EQ(elapsed_ms_from_us(0, ~std::uint64_t{0} / 2), 0x7FFFFFFF);
}

} // namespace
