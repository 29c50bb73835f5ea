#include "text/gbk_text.h"

#include <cstddef>

namespace {

bool is_lead_byte(char c)
{
    return static_cast<unsigned char>(c) >= 0x80;
}

// Bytes taken by the character that starts at index i: two for a lead byte
// that has a byte after it, else one (a lone lead byte at the end counts alone).
std::size_t char_size_at(const Text& text, std::size_t i)
{
    return is_lead_byte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

char ascii_lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether needle equals the bytes of text at index i. The needle is walked by
// characters so that the second byte of a two-byte character is always
// compared exactly, even if its value happens to be an ASCII letter.
bool matches_at(const Text& text, std::size_t i, const Text& needle, Case mode)
{
    if (text.size() - i < needle.size())
        return false;
    for (std::size_t j = 0; j < needle.size(); ++j) {
        const char n = needle[j];
        const char h = text[i + j];
        if (is_lead_byte(n)) {
            if (h != n)
                return false;
            if (j + 1 < needle.size()) {
                ++j;
                if (text[i + j] != needle[j])
                    return false;
            }
        } else if (mode == Case::IgnoreAscii ? ascii_lower(h) != ascii_lower(n) : h != n) {
            return false;
        }
    }
    return true;
}

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Full-width ASCII forms (A3 A1..A3 FE) and the ideographic space (A1 A1)
// become their one-byte ASCII counterparts; every other character is kept.
Text full_width_to_ascii(const Text& text)
{
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t size = char_size_at(text, i);
        if (size == 2) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
                out += static_cast<char>(trail - 0x80);
            else if (lead == 0xA1 && trail == 0xA1)
                out += ' ';
            else
                out.append(text, i, 2);
        } else {
            out += text[i];
        }
        i += size;
    }
    return out;
}

} // namespace

int find_text(const Text& haystack, const Text& needle, int start, Case mode)
{
    if (needle.empty() || start < 1 || static_cast<std::size_t>(start) > haystack.size())
        return -1;
    for (std::size_t i = static_cast<std::size_t>(start) - 1; i < haystack.size();) {
        if (is_lead_byte(haystack[i]) && i + 1 == haystack.size())
            return -1;
        if (matches_at(haystack, i, needle, mode))
            return static_cast<int>(i + 1);
        i += char_size_at(haystack, i);
    }
    return -1;
}

std::vector<Text> split_text(const Text& text, const Text& delimiter)
{
    std::vector<Text> parts;
    if (text.empty())
        return parts;
    if (delimiter.empty()) {
        parts.push_back(text);
        return parts;
    }
    std::size_t part_start = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (matches_at(text, i, delimiter, Case::Exact)) {
            parts.push_back(text.substr(part_start, i - part_start));
            i += delimiter.size();
            part_start = i;
        } else {
            i += char_size_at(text, i);
        }
    }
    // An empty final part is dropped.
    if (part_start < text.size())
        parts.push_back(text.substr(part_start));
    return parts;
}

Text replace_text(const Text& source, const Text& needle, const Text& replacement, Case mode)
{
    if (source.empty() || needle.empty())
        return source;
    Text out;
    std::size_t i = 0;
    while (source.size() - i >= needle.size()) {
        if (matches_at(source, i, needle, mode)) {
            out += replacement;
            i += needle.size();
        } else {
            const std::size_t size = char_size_at(source, i);
            out.append(source, i, size);
            i += size;
        }
    }
    // Too few bytes left for a match: they go through unchanged.
    out.append(source, i);
    return out;
}

Text left_text(const Text& text, int count)
{
    if (count <= 0)
        return {};
    return text.substr(0, static_cast<std::size_t>(count));
}

Text right_text(const Text& text, int count)
{
    if (count <= 0)
        return {};
    const auto n = static_cast<std::size_t>(count);
    return n >= text.size() ? text : text.substr(text.size() - n);
}

std::int32_t text_to_int(const Text& text)
{
    const Text ascii = full_width_to_ascii(text);
    std::size_t i = 0;
    while (i < ascii.size() && is_space(ascii[i]))
        ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) {
        negative = ascii[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps modulo 2^32 by definition; the conversion to
    // int32_t at the end is modular as well, so overflow is never undefined.
    std::uint32_t value = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(ascii[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

Text int_to_text(std::int32_t n)
{
    return std::to_string(n);
}
