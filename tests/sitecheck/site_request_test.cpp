#include "sitecheck/site_request.h"

#include <gtest/gtest.h>

#include "gbk_from_utf8.h"

namespace {

// The request as it must go on the wire, typed out here line by line.
std::string expected_request(const std::string& request_line, const std::string& host)
{
    return request_line + "\r\n"
           "Accept: */*\r\n"
           "Accept-Language: zh-cn\r\n"
           "Accept-Encoding: gzip, deflate\r\n"
           "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n"
           "Host: " + host + "\r\n"
           "Connection: Keep-Alive\r\n"
           "\r\n"
           "\r\n"
           "\r\n";
}

TEST(SiteRequestTemplate, IsTheFixedRequestWithTheHostPlaceholder)
{
    EXPECT_EQ(site_request_template.size(), 196u);
    EXPECT_EQ(site_request_template, expected_request("GET / HTTP/1.1", gbk_from_utf8("网址")));
}

struct AddressCase {
    const char* name;
    std::string address;
    std::string host;
    std::string request_line;
};

void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.name; }

class BuildSiteRequest : public testing::TestWithParam<AddressCase> {};

TEST_P(BuildSiteRequest, YieldsHostAndFilledRequest)
{
    const AddressCase& c = GetParam();
    const SiteRequest built = build_site_request(c.address);
    EXPECT_EQ(built.host, c.host);
    EXPECT_EQ(built.request, expected_request(c.request_line, c.host));
}

const std::string placeholder = gbk_from_utf8("网址");
const std::string chinese_path = gbk_from_utf8("新闻/中 文");

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, BuildSiteRequest,
    testing::Values(
        AddressCase{"BareHost", "example.org", "example.org", "GET / HTTP/1.1"},
        AddressCase{"SchemeAndQuery", "http://example.org/a/b?c", "example.org", "GET /a/b?c HTTP/1.1"},
        AddressCase{"UpperCaseSchemeAndBareSlash", "HTTP://X/", "X", "GET / HTTP/1.1"},
        AddressCase{"HttpsIsKept", "https://x/y", "https:", "GET //x/y HTTP/1.1"},
        AddressCase{"Empty", "", "", "GET / HTTP/1.1"},
        AddressCase{"NoScheme", "a/b", "a", "GET /b HTTP/1.1"},
        AddressCase{"PlaceholderInPathBecomesHost", "a/" + placeholder, "a", "GET /a HTTP/1.1"},
        AddressCase{"LeadingSlashGivesEmptyHost", "/abc", "", "GET /abc HTTP/1.1"},
        AddressCase{"PortStaysInHost", "site.example:8080/p", "site.example:8080", "GET /p HTTP/1.1"},
        AddressCase{"SchemeRemovedInsideQuery", "http://one.example/?u=http://two.example", "one.example",
                    "GET /?u=two.example HTTP/1.1"},
        AddressCase{"RemovalIsOnePass", "htthttp://p://x", "http:", "GET //x HTTP/1.1"},
        AddressCase{"PlaceholderAsHostStays", placeholder + "/q", placeholder, "GET /q HTTP/1.1"},
        AddressCase{"GetInPathStays", "site.example/GET /y", "site.example", "GET /GET /y HTTP/1.1"}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, BuildSiteRequest,
    testing::Values(
        AddressCase{"MixedCaseSchemesAllGo", "hTtP://hTtP://x", "x", "GET / HTTP/1.1"},
        AddressCase{"SchemeAlone", "http://", "", "GET / HTTP/1.1"},
        AddressCase{"BlanksStay", " example.org ", " example.org ", "GET / HTTP/1.1"},
        AddressCase{"BlankInPath", "example.org/a b", "example.org", "GET /a b HTTP/1.1"},
        AddressCase{"ChinesePathAsRawBytes", "example.org/" + chinese_path, "example.org",
                    "GET /" + chinese_path + " HTTP/1.1"},
        AddressCase{"ChineseHost", gbk_from_utf8("中文.example/x"), gbk_from_utf8("中文.example"), "GET /x HTTP/1.1"},
        AddressCase{"OnlyFirstSlashSplits", "a/b/c/", "a", "GET /b/c/ HTTP/1.1"},
        AddressCase{"TrailingSlashOnly", "a/", "a", "GET / HTTP/1.1"},
        // After a lead byte the "/" is the second byte of a two-byte
        // character, so it does not split the address.
        AddressCase{"SlashInsideTwoByteCharacter", "\xB0/x", "\xB0/x", "GET / HTTP/1.1"},
        // The "h" is the second byte of a two-byte character: no scheme there.
        AddressCase{"SchemeBehindLeadByteStays", "\xB0http://x", "\xB0http:", "GET //x HTTP/1.1"},
        AddressCase{"PlaceholderTwiceInPath", "h/" + placeholder + placeholder, "h", "GET /hh HTTP/1.1"}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

TEST(BuildSiteRequest, LengthIsTemplateLessPlaceholderPlusPathAndHost)
{
    const std::string long_path(100'000, 'p');
    for (const std::string& address : {std::string{}, std::string("example.org"), std::string("http://a/b/c"),
                                      std::string("h/") + long_path, chinese_path}) {
        SCOPED_TRACE(address.substr(0, 40));
        const SiteRequest built = build_site_request(address);
        const std::string normalised = address.rfind("http://", 0) == 0 ? address.substr(7) : address;
        EXPECT_EQ(built.request.size(),
                  192 + path_of_address(normalised).size() + host_of_address(normalised).size());
    }
}

TEST(BuildSiteRequest, EmptyAddressGivesEmptyHostLine)
{
    const SiteRequest built = build_site_request("");
    EXPECT_EQ(built.request.size(), 192u);
    EXPECT_NE(built.request.find("\r\nHost: \r\n"), std::string::npos);
}

TEST(AddressParts, SplitAtTheFirstSlash)
{
    struct Row {
        std::string normalised, host, path;
    };
    for (const Row& row : {Row{"", "", ""}, Row{"abc", "abc", ""}, Row{"/", "", ""}, Row{"abc/", "abc", ""},
                           Row{"a/b/c", "a", "b/c"}, Row{"/x/", "", "x/"}, Row{"a//b", "a", "/b"}}) {
        SCOPED_TRACE(row.normalised);
        EXPECT_EQ(host_of_address(row.normalised), row.host);
        EXPECT_EQ(path_of_address(row.normalised), row.path);
    }
}

}  // namespace
