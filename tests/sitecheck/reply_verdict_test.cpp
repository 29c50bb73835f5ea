#include "sitecheck/reply_verdict.h"

#include <gtest/gtest.h>

#include "gbk_from_utf8.h"

namespace {

using namespace std::string_literals;

TEST(VerdictTexts, AreTheGbkMessages)
{
    EXPECT_EQ(site_reachable_text, gbk_from_utf8("站点正常连接"));
    EXPECT_EQ(site_unreachable_text, gbk_from_utf8("站点无法连接"));
    EXPECT_EQ(reply_ok_marker, " 200 OK");
}

TEST(TextOfReply, StopsAtTheFirstZeroByte)
{
    EXPECT_EQ(text_of_reply(""), "");
    EXPECT_EQ(text_of_reply("HTTP/1.1 200 OK"), "HTTP/1.1 200 OK");
    EXPECT_EQ(text_of_reply("ab\0cd\0e"s), "ab");
    EXPECT_EQ(text_of_reply("\0abc"s), "");
}

struct ReplyCase {
    const char* name;
    std::string data;
    bool reachable;
};

void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.name; }

class SiteVerdict : public testing::TestWithParam<ReplyCase> {};

TEST_P(SiteVerdict, JudgesTheFirstData)
{
    const ReplyCase& c = GetParam();
    EXPECT_EQ(site_verdict(c.data), c.reachable ? site_reachable_text : site_unreachable_text);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SiteVerdict,
    testing::Values(
        ReplyCase{"StatusLine200", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", true},
        ReplyCase{"LowerCaseOk", "HTTP/1.0 200 ok\r\n", true},
        ReplyCase{"MixedCaseOk", "HTTP/1.1 200 oK\r\n", true},
        ReplyCase{"MarkerInBodyOf404", "HTTP/1.1 404 Not Found\r\n\r\n<p>HTTP/1.1 200 OK</p>", true},
        ReplyCase{"TwoBlanksBefore200", "HTTP/1.1  200 OK\r\n", true},
        ReplyCase{"TwoBlanksBetween200AndOk", "HTTP/1.1 200  OK\r\n", false},
        ReplyCase{"Redirect301", "HTTP/1.1 301 Moved Permanently\r\nLocation: https://x/\r\n\r\n", false},
        ReplyCase{"Empty", "", false},
        ReplyCase{"MarkerCutShort", "HTTP/1.1 200 O", false},
        ReplyCase{"NoLeadingBlank", "200 OK", false},
        ReplyCase{"ZeroByteAheadOfMarker", "HTTP/1.1\0 200 OK\r\n"s, false},
        ReplyCase{"ZeroByteAfterMarker", "HTTP/1.1 200 OK\0junk"s, true},
        // The blank is then the second byte of a two-byte character.
        ReplyCase{"LeadByteDirectlyAhead", "HTTP/1.1\xB0 200 OK", false},
        ReplyCase{"WholeTwoByteCharacterAhead", "\xB0\xA1 200 OK", true},
        ReplyCase{"LeadByteAheadButMarkerAgainLater", "\xB0 200 OK 200 OK", true}),
    [](const testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

}  // namespace
