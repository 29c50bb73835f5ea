// Fuzzes text_to_int and int_to_text. The whole input is the text; its first
// four bytes, when there are four, also give a number for the round trip.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "fuzz_check.h"
#include "text/gbk_text.h"

namespace {

bool is_ascii(const Text& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_white(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of ASCII text of the form: white space, an optional sign, at
// least one digit, then anything that is not a digit. Computed in 64 bits,
// reduced modulo 2^32 after every digit, and read into 32 bits at the end.
// Other text gives nothing.
std::optional<std::int32_t> reference_value(const Text& text)
{
    std::size_t i = 0;
    while (i < text.size() && is_white(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t first_digit = i;
    std::uint64_t value = 0;
    for (; i < text.size() && is_digit(text[i]); ++i)
        value = (value * 10 + static_cast<std::uint64_t>(text[i] - '0')) % (std::uint64_t{1} << 32);
    if (i == first_digit)
        return std::nullopt;
    if (negative)
        value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
    // Two's complement reading of the low 32 bits.
    const auto low = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(low >= (std::int64_t{1} << 31) ? low - (std::int64_t{1} << 32)
                                                                     : low);
}

// For up to 18 digits the exact value fits in 64 bits: read it with
// from_chars and wrap it, as a second, independent reference.
std::optional<std::int32_t> wrapped_exact_value(const Text& text)
{
    std::size_t i = 0;
    while (i < text.size() && is_white(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::size_t end = i;
    while (end < text.size() && is_digit(text[end]))
        ++end;
    if (end == i || end - i > 18)
        return std::nullopt;
    std::int64_t value = 0;
    std::from_chars(text.data() + i, text.data() + end, value);
    if (negative)
        value = -value;
    const std::int64_t modulus = std::int64_t{1} << 32;
    std::int64_t low = ((value % modulus) + modulus) % modulus;
    if (low >= (std::int64_t{1} << 31))
        low -= modulus;
    return static_cast<std::int32_t>(low);
}

// ASCII text with some of its printable bytes in their full-width GBK forms:
// A3 plus (byte + 80 hex) for 21..7E, the ideographic space A1 A1 for a blank.
Text widened(const Text& ascii, bool every_other)
{
    Text out;
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        const char c = ascii[i];
        const bool widen = !every_other || i % 2 == 0;
        if (widen && c > ' ' && c < 0x7F) {
            out += '\xA3';
            out += static_cast<char>(static_cast<unsigned char>(c) + 0x80);
        } else if (widen && c == ' ') {
            out += "\xA1\xA1";
        } else {
            out += c;
        }
    }
    return out;
}

bool is_decimal_text(const Text& text)
{
    std::size_t i = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (i == text.size() || (text[i] == '0' && text.size() > i + 1))
        return false;
    for (; i < text.size(); ++i)
        if (!is_digit(text[i]))
            return false;
    return true;
}

void check_round_trip(std::int32_t n)
{
    const Text digits = int_to_text(n);
    fuzz_check(is_decimal_text(digits), "int_to_text gave something other than decimal digits");
    fuzz_check(text_to_int(digits) == n, "text_to_int does not read back int_to_text");
    fuzz_check(int_to_text(text_to_int(digits)) == digits, "int_to_text round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Text text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = text_to_int(text);
    check_round_trip(value);

    if (size >= 4) {
        std::int32_t n = 0;
        std::memcpy(&n, data, sizeof n);
        check_round_trip(n);
    }

    if (!is_ascii(text))
        return 0;
    if (const auto expected = reference_value(text))
        fuzz_check(value == *expected, "text_to_int differs from 64-bit arithmetic modulo 2^32");
    else
        fuzz_check(value == 0, "text_to_int of text without digits is not 0");
    if (const auto exact = wrapped_exact_value(text))
        fuzz_check(value == *exact, "text_to_int differs from the wrapped exact value");
    fuzz_check(text_to_int(text + "x") == value, "text after the number changed its value");
    fuzz_check(text_to_int(widened(text, false)) == value,
               "full-width forms read differently from ASCII");
    fuzz_check(text_to_int(widened(text, true)) == value,
               "mixed full-width and ASCII forms read differently from ASCII");
    return 0;
}
