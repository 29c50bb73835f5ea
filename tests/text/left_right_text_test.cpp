#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

struct SliceCase {
    std::string name;
    Text text;
    int count;
    Text left;
    Text right;
};

void PrintTo(const SliceCase& c, std::ostream* os) { *os << c.name; }

class LeftRightText : public testing::TestWithParam<SliceCase> {};

TEST_P(LeftRightText, TakesCountBytesFromEachEnd)
{
    const SliceCase& c = GetParam();
    EXPECT_EQ(left_text(c.text, c.count), c.left);
    EXPECT_EQ(right_text(c.text, c.count), c.right);
}

const SliceCase kSlices[] = {
    {"Zero", "abc", 0, "", ""},
    {"Negative", "abc", -1, "", ""},
    {"MostNegative", "abc", INT_MIN, "", ""},
    {"One", "abc", 1, "a", "c"},
    {"AllButOne", "abc", 2, "ab", "bc"},
    {"ExactLength", "abc", 3, "abc", "abc"},
    {"BeyondLength", "abc", 4, "abc", "abc"},
    {"Largest", "abc", INT_MAX, "abc", "abc"},
    {"EmptyText", "", 2, "", ""},
    // Counts are bytes, not characters.
    {"CountsBytes", "\xCD\xF8\xD6\xB7", 2, "\xCD\xF8", "\xD6\xB7"},
};
INSTANTIATE_TEST_SUITE_P(Counts, LeftRightText, testing::ValuesIn(kSlices),
                         [](const auto& info) { return info.param.name; });

} // namespace
