#include "sitecheck/speed_test.h"

#include <gtest/gtest.h>

#include "gbk_from_utf8.h"

namespace {

TEST(SpeedTestUrl, IsTheBaseFollowedByTheAddressAsTyped)
{
    EXPECT_EQ(speed_test_base_url, "http://tool.chinaz.com/speedtest/");
    struct Row {
        std::string address, url;
    };
    const std::string chinese = gbk_from_utf8(" 中文.example/a b ");
    for (const Row& row : {Row{"", "http://tool.chinaz.com/speedtest/"},
                           Row{"example.org", "http://tool.chinaz.com/speedtest/example.org"},
                           Row{"http://example.org/a", "http://tool.chinaz.com/speedtest/http://example.org/a"},
                           Row{chinese, "http://tool.chinaz.com/speedtest/" + chinese}}) {
        SCOPED_TRACE(row.address);
        EXPECT_EQ(speed_test_url(row.address), row.url);
    }
}

}  // namespace
