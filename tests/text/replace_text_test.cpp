#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct ReplaceCase {
    std::string name;
    Text source;
    Text needle;
    Text replacement;
    Case mode;
    Text expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

class ReplaceText : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceText, ReplacesEveryMatchInOnePass)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replace_text(c.source, c.needle, c.replacement, c.mode), c.expected);
}

// Removing the scheme from a typed site address, case ignored.
const ReplaceCase kSchemeRemoval[] = {
    {"LowerCase", "http://example.org/a", "http://", "", Case::IgnoreAscii, "example.org/a"},
    {"UpperCase", "HTTP://X/", "http://", "", Case::IgnoreAscii, "X/"},
    {"MixedCaseTwice", "hTtP://hTtP://x", "http://", "", Case::IgnoreAscii, "x"},
    {"InsideQuery", "http://one.example/?u=http://two.example", "http://", "",
     Case::IgnoreAscii, "one.example/?u=two.example"},
    // The "http://" formed by joining the two sides of a removal stays.
    {"JoinedMatchIsNotRemoved", "htthttp://p://x", "http://", "", Case::IgnoreAscii, "http://x"},
    {"HttpsStays", "https://x/y", "http://", "", Case::IgnoreAscii, "https://x/y"},
    {"ExactKeepsOtherCase", "HTTP://x", "http://", "", Case::Exact, "HTTP://x"},
    {"NoScheme", "example.org", "http://", "", Case::IgnoreAscii, "example.org"},
    {"OnlyTheScheme", "http://", "http://", "", Case::IgnoreAscii, ""},
};
INSTANTIATE_TEST_SUITE_P(SchemeRemoval, ReplaceText, testing::ValuesIn(kSchemeRemoval),
                         [](const auto& info) { return info.param.name; });

// "\xCD\xF8\xD6\xB7" is the host placeholder of the request template.
const ReplaceCase kNoRescan[] = {
    {"PathIntoRequestLine", "GET / HTTP/1.1\r\n", "GET /", "GET /a/b?c", Case::IgnoreAscii,
     "GET /a/b?c HTTP/1.1\r\n"},
    {"ReplacementHoldingNeedleIsNotRescanned", "GET / HTTP/1.1", "GET /", "GET /GET /y",
     Case::IgnoreAscii, "GET /GET /y HTTP/1.1"},
    {"PlaceholderReplacedByItself", "Host: \xCD\xF8\xD6\xB7\r\n", "\xCD\xF8\xD6\xB7",
     "\xCD\xF8\xD6\xB7", Case::Exact, "Host: \xCD\xF8\xD6\xB7\r\n"},
    {"EveryPlaceholderReplaced", "GET /a\xCD\xF8\xD6\xB7 \r\nHost: \xCD\xF8\xD6\xB7\r\n",
     "\xCD\xF8\xD6\xB7", "h", Case::Exact, "GET /ah \r\nHost: h\r\n"},
    {"EmptyHostText", "Host: \xCD\xF8\xD6\xB7\r\n", "\xCD\xF8\xD6\xB7", "", Case::Exact,
     "Host: \r\n"},
    {"ReplacementWrapsNeedle", "a:b", ":", "[:]", Case::Exact, "a[:]b"},
    {"MatchesDoNotOverlap", "aaa", "aa", "b", Case::Exact, "ba"},
    {"AdjacentMatches", "aaaa", "aa", "b", Case::Exact, "bb"},
};
INSTANTIATE_TEST_SUITE_P(NoRescan, ReplaceText, testing::ValuesIn(kNoRescan),
                         [](const auto& info) { return info.param.name; });

const ReplaceCase kCharacters[] = {
    // "A" (41) is the second byte of B0 41; only the free-standing "A" goes.
    {"SecondByteIsNotMatched", "\xB0\x41" "A", "A", "x", Case::Exact, "\xB0\x41" "x"},
    // B0 A1 spans the characters C1 B0 and A1 A2.
    {"NoMatchAcrossCharacters", "\xC1\xB0\xA1\xA2", "\xB0\xA1", "x", Case::Exact,
     "\xC1\xB0\xA1\xA2"},
    {"ChineseTextAroundMatch", "\xC1\xAC/\xBD\xD3", "/", "-", Case::Exact, "\xC1\xAC-\xBD\xD3"},
    {"SecondByteIsNotFolded", "\xB0\x61\xB0\x41", "\xB0\x41", "x", Case::IgnoreAscii, "\xB0\x61x"},
    {"HighBytesAreNotFolded", "\xE1\xAC\xC1\xAC", "\xC1\xAC", "x", Case::IgnoreAscii, "\xE1\xACx"},
    {"NonLettersAreNotFolded", "[{", "{", "x", Case::IgnoreAscii, "[x"},
    // Fewer bytes left than the needle has: they pass unchanged.
    {"ShortTailKept", "abcab", "abc", "x", Case::Exact, "xab"},
    {"SourceShorterThanNeedle", "ab", "abc", "x", Case::Exact, "ab"},
    {"LoneLeadByteInShortTail", "ab\xB0", "abc", "x", Case::Exact, "ab\xB0"},
    // A lead byte with no byte after it is still a place where a match is tried.
    {"LoneLeadByteAtEndCanMatch", "ab\xB0", "\xB0", "x", Case::Exact, "abx"},
};
INSTANTIATE_TEST_SUITE_P(Characters, ReplaceText, testing::ValuesIn(kCharacters),
                         [](const auto& info) { return info.param.name; });

const ReplaceCase kEmpty[] = {
    {"EmptySource", "", "http://", "x", Case::IgnoreAscii, ""},
    {"EmptyNeedle", "abc", "", "x", Case::Exact, "abc"},
    {"EmptyReplacementRemoves", "a:b:c", ":", "", Case::Exact, "abc"},
};
INSTANTIATE_TEST_SUITE_P(Empty, ReplaceText, testing::ValuesIn(kEmpty),
                         [](const auto& info) { return info.param.name; });

} // namespace
