#include "probe/host_lookup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(LookupHost, ADottedAddressComesBackAsItIs)
{
    EXPECT_EQ(lookup_host("127.0.0.1"), "127.0.0.1");
    EXPECT_EQ(lookup_host("10.20.30.40"), "10.20.30.40");
}

TEST(LookupHost, ANameFromTheHostsFileResolves)
{
    EXPECT_EQ(lookup_host("localhost"), "127.0.0.1");
}

TEST(LookupHost, ANameThatDoesNotResolveGivesTheEmptyText)
{
    EXPECT_EQ(lookup_host("no-such-host.invalid"), "");
    EXPECT_EQ(lookup_host(Text(300, 'a')), "");
}

TEST(LookupHost, ConcurrentLookupsNeverSeeEachOthersAnswers)
{
    const std::vector<Text> names{"127.0.0.1", "10.0.0.2", "localhost", "192.168.7.9"};
    const std::vector<Text> answers{"127.0.0.1", "10.0.0.2", "127.0.0.1", "192.168.7.9"};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                const std::size_t which = (t + static_cast<std::size_t>(i)) % names.size();
                if (lookup_host(names[which]) != answers[which])
                    ++wrong;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

} // namespace
