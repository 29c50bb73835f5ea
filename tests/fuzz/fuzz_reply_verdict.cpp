// Fuzzes site_verdict and text_of_reply. The whole input is the first data
// that a site sent back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sitecheck/reply_verdict.h"
#include "text/gbk_text.h"

namespace {

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Looks for " 200 OK" at each character start of the bytes before the first
// zero byte, O and K in either case. A byte of 0x80 or above starts a
// two-byte character, and a lone one at the end ends the search.
bool reference_finds_marker(const std::string& data)
{
    const std::string marker = " 200 ok";
    std::size_t end = 0;
    while (end < data.size() && data[end] != '\0')
        ++end;
    std::size_t i = 0;
    while (i < end) {
        const bool lead = static_cast<unsigned char>(data[i]) >= 0x80;
        if (lead && i + 1 == end)
            return false;
        if (end - i >= marker.size()) {
            bool same = true;
            for (std::size_t j = 0; j < marker.size() && same; ++j)
                same = lower_ascii(data[i + j]) == marker[j];
            if (same)
                return true;
        }
        i += lead ? 2 : 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string reply(reinterpret_cast<const char*>(data), size);

    const Text text = text_of_reply(reply);
    fuzz_check(text.find('\0') == Text::npos, "text_of_reply kept a zero byte");
    fuzz_check(reply.compare(0, text.size(), text) == 0, "text_of_reply is not a prefix");
    fuzz_check(text.size() == reply.size() || reply[text.size()] == '\0',
               "text_of_reply stopped before the first zero byte");

    const Text verdict = site_verdict(reply);
    const Text expected = reference_finds_marker(reply) ? site_reachable_text : site_unreachable_text;
    fuzz_check(verdict == expected, "site_verdict differs from a plain search for \" 200 OK\"");
    return 0;
}
