#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct SplitCase {
    std::string name;
    Text text;
    Text delimiter;
    std::vector<Text> expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitText : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitText, YieldsParts)
{
    const SplitCase& c = GetParam();
    EXPECT_EQ(split_text(c.text, c.delimiter), c.expected);
}

const SplitCase kTargets[] = {
    {"HostAndPort", "host:80", ":", {"host", "80"}},
    {"EmptyHost", ":80", ":", {"", "80"}},
    {"EmptyMiddlePart", "a::80", ":", {"a", "", "80"}},
    {"ThreeParts", "a:b:c", ":", {"a", "b", "c"}},
    {"TrailingDelimiterDropsEmptyLastPart", "host:80:", ":", {"host", "80"}},
    {"HostOnly", "host:", ":", {"host"}},
    {"DelimiterOnly", ":", ":", {""}},
    {"TwoDelimitersOnly", "::", ":", {"", ""}},
    {"NoDelimiter", "host", ":", {"host"}},
    {"EmptyText", "", ":", {}},
    {"ChineseHost", "\xCD\xF8\xD6\xB7:80", ":", {"\xCD\xF8\xD6\xB7", "80"}},
    {"BlanksKept", " host : 80 ", ":", {" host ", " 80 "}},
};
INSTANTIATE_TEST_SUITE_P(Targets, SplitText, testing::ValuesIn(kTargets),
                         [](const auto& info) { return info.param.name; });

const SplitCase kDelimiters[] = {
    {"EmptyDelimiterGivesWholeText", "a:b", "", {"a:b"}},
    {"EmptyDelimiterAndEmptyText", "", "", {}},
    {"MultiByteDelimiter", "a--b--", "--", {"a", "b"}},
    {"MultiByteMatchesDoNotOverlap", "a---b", "--", {"a", "-b"}},
    // "A" (41) inside the character B0 41 is not a delimiter.
    {"SecondByteIsNotADelimiter", "\xB0\x41" "xAy", "A", {"\xB0\x41" "x", "y"}},
    // B0 A1 spans the characters C1 B0 and A1 A2.
    {"NoMatchAcrossCharacters", "\xC1\xB0\xA1\xA2", "\xB0\xA1", {"\xC1\xB0\xA1\xA2"}},
    {"TwoByteDelimiter", "a\xA3\xBA" "b", "\xA3\xBA", {"a", "b"}},
    {"LoneLeadByteAtEndKept", "a:\xB0", ":", {"a", "\xB0"}},
};
INSTANTIATE_TEST_SUITE_P(Delimiters, SplitText, testing::ValuesIn(kDelimiters),
                         [](const auto& info) { return info.param.name; });

} // namespace
