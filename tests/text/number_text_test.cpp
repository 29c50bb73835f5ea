#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct ToIntCase {
    std::string name;
    Text text;
    std::int32_t expected;
};

void PrintTo(const ToIntCase& c, std::ostream* os) { *os << c.name; }

class TextToInt : public testing::TestWithParam<ToIntCase> {};

TEST_P(TextToInt, ReadsLeadingDecimalNumber)
{
    const ToIntCase& c = GetParam();
    EXPECT_EQ(text_to_int(c.text), c.expected);
}

const ToIntCase kAscii[] = {
    {"Plain", "80", 80},
    {"LeadingBlank", " 80", 80},
    {"AllWhiteSpaceKinds", " \t\n\v\f\r80", 80},
    {"Plus", "+80", 80},
    {"Minus", "-1", -1},
    {"LeadingZeros", "0080", 80},
    {"TrailingTextIgnored", "80abc", 80},
    {"StopsAtBlank", "8 0", 8},
    {"StopsAtDot", "1.5", 1},
    {"Empty", "", 0},
    {"Letters", "abc", 0},
    {"SignOnly", "-", 0},
    {"TwoSigns", "+-80", 0},
    {"BlankAfterSign", "- 80", 0},
    {"TextBeforeDigits", "x80", 0},
    {"ControlByteIsNotWhiteSpace", "\x01" "80", 0},
};
INSTANTIATE_TEST_SUITE_P(Ascii, TextToInt, testing::ValuesIn(kAscii),
                         [](const auto& info) { return info.param.name; });

// Values outside the 32-bit range wrap modulo 2^32.
const ToIntCase kWrap[] = {
    {"Largest", "2147483647", kMax},
    {"OnePastLargest", "2147483648", kMin},
    {"Smallest", "-2147483648", kMin},
    {"OneBelowSmallest", "-2147483649", kMax},
    {"AllOnes", "4294967295", -1},
    {"TwoToThe32", "4294967296", 0},
    {"TwoToThe32Plus80", "4294967376", 80},
    {"ManyDigits", "99999999999", 1215752191},
    {"NegatedWrap", "-4294967297", -1},
};
INSTANTIATE_TEST_SUITE_P(Wrap, TextToInt, testing::ValuesIn(kWrap),
                         [](const auto& info) { return info.param.name; });

// Full-width forms: A3 B0..A3 B9 digits, A3 AB plus, A3 AD minus, A1 A1 the
// ideographic space.
const ToIntCase kFullWidth[] = {
    {"Digits", "\xA3\xB8\xA3\xB0", 80},
    {"MixedWithAscii", "\xA3\xB8" "0", 80},
    {"IdeographicSpace", "\xA1\xA1" "80", 80},
    {"IdeographicSpaceBeforeFullWidthDigits", "\xA1\xA1\xA1\xA1\xA3\xB8\xA3\xB0", 80},
    {"Minus", "\xA3\xAD\xA3\xB8\xA3\xB0", -80},
    {"MinusBeforeAsciiDigits", "\xA3\xAD" "1", -1},
    {"Plus", "\xA3\xAB" "5", 5},
    {"FullWidthTextEndsNumber", "80\xA3\xE1", 80},
    {"FullWidthBlankIsNotASpaceForm", "\xA3\xA0" "80", 0},
    {"OtherChineseCharacterEndsNumber", "8\xC1\xAC" "0", 8},
    {"ChineseCharacterBeforeDigits", "\xC1\xAC" "80", 0},
    {"LoneLeadByteAtEnd", "80\xA3", 80},
    {"OnlyALoneLeadByte", "\xA3", 0},
};
INSTANTIATE_TEST_SUITE_P(FullWidth, TextToInt, testing::ValuesIn(kFullWidth),
                         [](const auto& info) { return info.param.name; });

struct ToTextCase {
    std::string name;
    std::int32_t n;
    Text expected;
};

void PrintTo(const ToTextCase& c, std::ostream* os) { *os << c.name; }

class IntToText : public testing::TestWithParam<ToTextCase> {};

TEST_P(IntToText, WritesDecimalDigits)
{
    const ToTextCase& c = GetParam();
    EXPECT_EQ(int_to_text(c.n), c.expected);
}

const ToTextCase kToText[] = {
    {"Zero", 0, "0"},
    {"TwoDigits", 16, "16"},
    {"RoundNumber", 1000, "1000"},
    {"MinusOne", -1, "-1"},
    {"Largest", kMax, "2147483647"},
    {"Smallest", kMin, "-2147483648"},
};
INSTANTIATE_TEST_SUITE_P(Values, IntToText, testing::ValuesIn(kToText),
                         [](const auto& info) { return info.param.name; });

} // namespace
