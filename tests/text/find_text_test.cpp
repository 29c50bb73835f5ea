#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// GBK bytes are written as hex escapes; a literal is split where an escape
// would otherwise swallow a following hex digit.
struct FindCase {
    std::string name;
    Text haystack;
    Text needle;
    int start;
    Case mode;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindText : public testing::TestWithParam<FindCase> {};

TEST_P(FindText, YieldsPositionOfFirstMatchAtACharacterStart)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(find_text(c.haystack, c.needle, c.start, c.mode), c.expected);
}

const FindCase kPlain[] = {
    {"ColonInTarget", "host:80", ":", 1, Case::Exact, 5},
    {"FirstOfSeveral", "a:b:c", ":", 1, Case::Exact, 2},
    {"MatchAtFirstByte", ":80", ":", 1, Case::Exact, 1},
    {"MatchAtLastByte", "host:", ":", 1, Case::Exact, 5},
    {"MultiByteNeedle", "xxhttp://y", "http://", 1, Case::Exact, 3},
    {"NotPresent", "host80", ":", 1, Case::Exact, -1},
    {"NeedleLongerThanHaystack", "ab", "abc", 1, Case::Exact, -1},
    {"NeedleRunsPastEnd", "xab", "abc", 1, Case::Exact, -1},
    {"EmptyNeedle", "abc", "", 1, Case::Exact, -1},
    {"EmptyHaystack", "", ":", 1, Case::Exact, -1},
};
INSTANTIATE_TEST_SUITE_P(Plain, FindText, testing::ValuesIn(kPlain),
                         [](const auto& info) { return info.param.name; });

const FindCase kStart[] = {
    {"StartOnMatch", "a:b:c", ":", 2, Case::Exact, 2},
    {"StartPastFirstMatch", "a:b:c", ":", 3, Case::Exact, 4},
    {"StartPastLastMatch", "a:b:c", ":", 5, Case::Exact, -1},
    {"StartAtLastByte", "ab", "b", 2, Case::Exact, 2},
    {"StartZero", "a:b", ":", 0, Case::Exact, -1},
    {"StartNegative", "a:b", ":", -3, Case::Exact, -1},
    {"StartOnePastEnd", "a:b", "b", 4, Case::Exact, -1},
    {"StartFarPastEnd", "a:b", ":", 100, Case::Exact, -1},
    {"StartAfterTwoByteCharacter", "\xCD\xF8:\xCD\xF8:", ":", 4, Case::Exact, 6},
};
INSTANTIATE_TEST_SUITE_P(Start, FindText, testing::ValuesIn(kStart),
                         [](const auto& info) { return info.param.name; });

const FindCase kCharacterStarts[] = {
    // "A" (41) is the second byte of the character B0 41, not a character.
    {"SecondByteIsNotACharacter", "\xB0\x41", "A", 1, Case::Exact, -1},
    {"LetterAfterTwoByteCharacter", "\xB0\x41" "A", "A", 1, Case::Exact, 3},
    // B0 A1 spans the characters C1 B0 and A1 A2.
    {"NeedleAcrossCharacterBoundary", "\xC1\xB0\xA1\xA2", "\xB0\xA1", 1, Case::Exact, -1},
    {"TwoByteNeedleAfterStraddle", "\xC1\xB0\xA1\xA2\xB0\xA1", "\xB0\xA1", 1, Case::Exact, 5},
    {"TwoByteNeedleAtStart", "\xCD\xF8\xD6\xB7/q", "\xCD\xF8\xD6\xB7", 1, Case::Exact, 1},
    // A lone lead byte at the end ends the search, even when it equals the needle.
    {"LoneLeadByteAtEndIsNotMatched", "ab\xB0", "\xB0", 1, Case::Exact, -1},
    {"LeadByteAtEndAfterMatchingText", "a:\xB0", ":", 1, Case::Exact, 2},
    {"OnlyALoneLeadByte", "\xB0", "\xB0", 1, Case::Exact, -1},
    {"LeadByteAtEndStopsBeforeOddTail", "a\xC1\xB0\xA1", "\xA1", 1, Case::Exact, -1},
};
INSTANTIATE_TEST_SUITE_P(CharacterStarts, FindText, testing::ValuesIn(kCharacterStarts),
                         [](const auto& info) { return info.param.name; });

const FindCase kIgnoreCase[] = {
    {"ExactIsCaseSensitive", "HTTP://x", "http://", 1, Case::Exact, -1},
    {"UpperHaystackLowerNeedle", "HTTP://x", "http://", 1, Case::IgnoreAscii, 1},
    {"MixedCase", "xhTtP://", "HtTp://", 1, Case::IgnoreAscii, 2},
    {"StatusText", "HTTP/1.1 200 ok\r\n", " 200 OK", 1, Case::IgnoreAscii, 9},
    // Bytes that differ by 0x20 but are not letters stay distinct.
    {"AtSignIsNotBacktick", "`", "@", 1, Case::IgnoreAscii, -1},
    {"BracketIsNotBrace", "[", "{", 1, Case::IgnoreAscii, -1},
    {"CaretIsNotTilde", "^", "~", 1, Case::IgnoreAscii, -1},
    // Bytes of 0x80 and above are never folded (C1 and E1 differ by 0x20).
    {"HighBytesAreNotFolded", "\xC1\xAC", "\xE1\xAC", 1, Case::IgnoreAscii, -1},
    {"HighBytesStillMatchExactly", "x\xC1\xAC", "\xC1\xAC", 1, Case::IgnoreAscii, 2},
    // A second byte with the value of a letter belongs to a Chinese character.
    {"SecondByteIsNotFolded", "\xB0\x41", "\xB0\x61", 1, Case::IgnoreAscii, -1},
    {"LetterAfterCharacterIsFolded", "\xB0\x41" "a", "\xB0\x41" "A", 1, Case::IgnoreAscii, 1},
};
INSTANTIATE_TEST_SUITE_P(IgnoreCase, FindText, testing::ValuesIn(kIgnoreCase),
                         [](const auto& info) { return info.param.name; });

TEST(FindTextDefaults, StartsAtFirstByteAndComparesExactly)
{
    EXPECT_EQ(find_text("a:b", ":"), 2);
    EXPECT_EQ(find_text("ABC", "b"), -1);
}

} // namespace
