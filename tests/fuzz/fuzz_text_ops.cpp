// Fuzzes find_text, split_text, replace_text, left_text and right_text.
//
// Input: byte 0 is a separator, byte 1 a signed start position for the search,
// byte 2 a signed byte count for left/right; the rest is split at the
// separator into haystack, needle and replacement (missing pieces are empty).
// The separator is chosen by the input, so every byte value can appear in the
// pieces of some input.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "fuzz_check.h"
#include "text/gbk_text.h"

namespace {

bool is_lead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Bytes of the character at i: a lead byte takes the byte after it, if any.
std::size_t char_size(const Text& text, std::size_t i)
{
    return is_lead(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Whether the last character of text is a complete one (not a lone lead byte).
bool ends_on_character(const Text& text)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += char_size(text, i))
        last = i;
    return text.empty() || !(is_lead(text[last]) && last + 1 == text.size());
}

// Whether needle equals the bytes of haystack at index `at`. Folding, when
// asked for, applies only to one-byte characters of the needle.
bool bytes_match(const Text& haystack, std::size_t at, const Text& needle, Case mode)
{
    if (haystack.size() - at < needle.size())
        return false;
    for (std::size_t j = 0; j < needle.size(); j += char_size(needle, j)) {
        if (char_size(needle, j) == 2) {
            if (haystack.compare(at + j, 2, needle, j, 2) != 0)
                return false;
        } else if (mode == Case::IgnoreAscii
                       ? lower_ascii(haystack[at + j]) != lower_ascii(needle[j])
                       : haystack[at + j] != needle[j]) {
            return false;
        }
    }
    return true;
}

// The search written plainly: try each character start from `start`; a lone
// lead byte at the very end stops the search.
int reference_find(const Text& haystack, const Text& needle, int start, Case mode)
{
    if (needle.empty() || start < 1 || static_cast<std::size_t>(start) > haystack.size())
        return -1;
    for (std::size_t i = static_cast<std::size_t>(start) - 1; i < haystack.size();
         i += char_size(haystack, i)) {
        if (is_lead(haystack[i]) && i + 1 == haystack.size())
            return -1;
        if (bytes_match(haystack, i, needle, mode))
            return static_cast<int>(i + 1);
    }
    return -1;
}

bool is_character_start(const Text& text, int position)
{
    std::size_t i = 0;
    while (i + 1 < static_cast<std::size_t>(position))
        i += char_size(text, i);
    return i + 1 == static_cast<std::size_t>(position);
}

// Whether needle matches anywhere a character starts, the end included.
bool holds_at_character_start(const Text& text, const Text& needle)
{
    for (std::size_t i = 0; i < text.size(); i += char_size(text, i))
        if (bytes_match(text, i, needle, Case::Exact))
            return true;
    return false;
}

Text joined(const std::vector<Text>& parts, const Text& glue)
{
    Text out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? Text{} : glue) + parts[i];
    return out;
}

// ASCII letters that stand alone as characters become lower case; both bytes
// of a two-byte character stay.
Text folded(const Text& text)
{
    Text out = text;
    for (std::size_t i = 0; i < out.size(); i += char_size(out, i))
        out[i] = lower_ascii(out[i]);
    return out;
}

void check_find(const Text& haystack, const Text& needle, int start)
{
    for (const Case mode : {Case::Exact, Case::IgnoreAscii}) {
        const int from_one = find_text(haystack, needle, 1, mode);
        fuzz_check(from_one == reference_find(haystack, needle, 1, mode),
                   "find_text from 1 differs from a plain character scan");
        fuzz_check(from_one == -1 || is_character_start(haystack, from_one),
                   "find_text found a place that is not a character start");
        fuzz_check(from_one == -1 || bytes_match(haystack, static_cast<std::size_t>(from_one - 1),
                                                 needle, mode),
                   "find_text found a place where the needle is not");
        fuzz_check(find_text(haystack, needle, start, mode) ==
                       reference_find(haystack, needle, start, mode),
                   "find_text from a given start differs from a plain character scan");
    }
    const int exact = find_text(haystack, needle, 1, Case::Exact);
    const int ignoring = find_text(haystack, needle, 1, Case::IgnoreAscii);
    fuzz_check(exact == -1 || (ignoring != -1 && ignoring <= exact),
               "a search ignoring case found less than the exact one");
}

void check_split(const Text& text, const Text& delimiter)
{
    const std::vector<Text> parts = split_text(text, delimiter);
    if (text.empty()) {
        fuzz_check(parts.empty(), "split_text of an empty text gave parts");
        return;
    }
    if (delimiter.empty()) {
        fuzz_check(parts == std::vector<Text>{text}, "split_text at an empty delimiter");
        return;
    }
    const Text back = joined(parts, delimiter);
    fuzz_check(back == text || back + delimiter == text,
               "split parts joined again do not give the text");
    for (const Text& part : parts)
        fuzz_check(!holds_at_character_start(part, delimiter),
                   "a split part still holds the delimiter");
    fuzz_check(back != text || !parts.back().empty(), "split_text kept an empty final part");
}

void check_replace(const Text& source, const Text& needle, const Text& replacement)
{
    for (const Case mode : {Case::Exact, Case::IgnoreAscii}) {
        fuzz_check(replace_text(source, Text{}, replacement, mode) == source,
                   "replace_text with an empty needle changed the text");
        fuzz_check(replace_text(Text{}, needle, replacement, mode).empty(),
                   "replace_text of an empty text is not empty");
    }
    const Text exact = replace_text(source, needle, replacement, Case::Exact);
    fuzz_check(replace_text(source, needle, needle, Case::Exact) == source,
               "replacing a needle by itself changed the text");

    // Exact replacement puts the replacement where split_text cuts, and once
    // more for a trailing delimiter that split_text drops.
    const std::vector<Text> parts = split_text(source, needle);
    if (!needle.empty()) {
        const bool dropped_trailing = !source.empty() && joined(parts, needle) != source;
        fuzz_check(exact == joined(parts, replacement) + (dropped_trailing ? replacement : Text{}),
                   "replace_text and split_text disagree on where the needle is");
    }

    // Ignoring case is exact replacement on folded text, as long as no match
    // ends in the middle of a character and the replacement is whole.
    if (ends_on_character(needle) && ends_on_character(replacement))
        fuzz_check(folded(replace_text(source, needle, replacement, Case::IgnoreAscii)) ==
                       folded(replace_text(folded(source), folded(needle), replacement,
                                           Case::Exact)),
                   "replace_text ignoring case differs from replacing in folded text");
}

void check_left_right(const Text& text, int count)
{
    const int length = static_cast<int>(text.size());
    for (const int n : {count, 0, -1, length, length + 1, std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max()}) {
        const Text left = left_text(text, n);
        const Text right = right_text(text, n);
        if (n <= 0) {
            fuzz_check(left.empty() && right.empty(), "left/right of a count of 0 or less");
        } else if (n >= length) {
            fuzz_check(left == text && right == text, "left/right beyond the length");
        } else {
            fuzz_check(left == text.substr(0, static_cast<std::size_t>(n)), "left_text");
            fuzz_check(right == text.substr(text.size() - static_cast<std::size_t>(n)),
                       "right_text");
            fuzz_check(left_text(text, n) + right_text(text, length - n) == text,
                       "left and right do not make up the text");
        }
    }
}

std::vector<Text> pieces_of(const std::uint8_t* data, std::size_t size, char separator)
{
    std::vector<Text> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == separator && pieces.size() < 3)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    pieces.resize(3);
    return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const char separator = static_cast<char>(data[0]);
    const int start = static_cast<std::int8_t>(data[1]);
    const int count = static_cast<std::int8_t>(data[2]);
    const std::vector<Text> pieces = pieces_of(data + 3, size - 3, separator);
    const Text& haystack = pieces[0];
    const Text& needle = pieces[1];
    const Text& replacement = pieces[2];

    check_find(haystack, needle, start);
    check_split(haystack, needle);
    check_replace(haystack, needle, replacement);
    check_left_right(haystack, count);
    return 0;
}
