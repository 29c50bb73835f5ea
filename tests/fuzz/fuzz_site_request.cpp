// Fuzzes build_site_request, host_of_address and path_of_address. The whole
// input is the address as typed.

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "sitecheck/site_request.h"
#include "text/gbk_text.h"

namespace {

const Text host_placeholder = "\xCD\xF8\xD6\xB7";  // 网址

const Text headers_before_host =
    "Accept: */*\r\n"
    "Accept-Language: zh-cn\r\n"
    "Accept-Encoding: gzip, deflate\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n";

const Text request_end = "\r\nConnection: Keep-Alive\r\n\r\n\r\n\r\n";

bool starts_with(const Text& text, const Text& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool ends_with(const Text& text, const Text& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Index of the first "/" that starts a character, or npos. "/" can be the
// second byte of a two-byte character, and then it is no slash.
std::size_t first_slash(const Text& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const bool lead = static_cast<unsigned char>(text[i]) >= 0x80;
        if (lead && i + 1 == text.size())
            break;
        if (text[i] == '/')
            return i;
        i += lead ? 2 : 1;
    }
    return Text::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Text address(reinterpret_cast<const char*>(data), size);
    const Text normalised = replace_text(address, "http://", "", Case::IgnoreAscii);

    const std::size_t slash = first_slash(normalised);
    const Text expected_host = slash == Text::npos ? normalised : normalised.substr(0, slash);
    const Text expected_path = slash == Text::npos ? Text{} : normalised.substr(slash + 1);
    fuzz_check(host_of_address(normalised) == expected_host,
               "host_of_address is not the bytes before the first slash");
    fuzz_check(path_of_address(normalised) == expected_path,
               "path_of_address is not the bytes after the first slash");

    const SiteRequest built = build_site_request(address);
    fuzz_check(built.host == expected_host, "build_site_request dials another host");
    const Text& request = built.request;
    fuzz_check(starts_with(request, "GET /"), "the request does not start with GET /");
    fuzz_check(ends_with(request, "\r\nHost: " + expected_host + request_end),
               "the request does not end with the Host line and the closing blank lines");

    if (expected_path.find(host_placeholder) == Text::npos &&
        expected_host.find(host_placeholder) == Text::npos) {
        fuzz_check(request.size() == 192 + expected_path.size() + expected_host.size(),
                   "the request is not 192 bytes plus the path and the host");
        fuzz_check(starts_with(request, "GET /" + expected_path + " HTTP/1.1\r\n"),
                   "the request line does not carry the path");
        fuzz_check(request == "GET /" + expected_path + " HTTP/1.1\r\n" + headers_before_host +
                                  "Host: " + expected_host + request_end,
                   "the request differs from the filled template");
    }
    return 0;
}
