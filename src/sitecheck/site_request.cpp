#include "sitecheck/site_request.h"

namespace {

const Text http_scheme = "http://";
const Text request_line_slot = "GET /";
const Text host_slot = "\xCD\xF8\xD6\xB7";  // 网址

int length_of(const Text& text) { return static_cast<int>(text.size()); }

}  // namespace

const Text site_request_template =
    "GET / HTTP/1.1\r\n"
    "Accept: */*\r\n"
    "Accept-Language: zh-cn\r\n"
    "Accept-Encoding: gzip, deflate\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1)\r\n"
    "Host: \xCD\xF8\xD6\xB7\r\n"
    "Connection: Keep-Alive\r\n"
    "\r\n"
    "\r\n"
    "\r\n";

Text path_of_address(const Text& normalised)
{
    const int slash = find_text(normalised, "/");
    if (slash == -1)
        return {};
    return right_text(normalised, length_of(normalised) - slash);
}

Text host_of_address(const Text& normalised)
{
    const int slash = find_text(normalised, "/");
    if (slash == -1)
        return normalised;
    return left_text(normalised, slash - 1);
}

SiteRequest build_site_request(const Text& address)
{
    // One pass, any case, anywhere: an "http://" that the removal itself
    // forms stays.
    const Text normalised = replace_text(address, http_scheme, "", Case::IgnoreAscii);
    const Text path = path_of_address(normalised);
    const Text with_path = replace_text(site_request_template, request_line_slot,
                                        request_line_slot + path, Case::IgnoreAscii);
    Text host = host_of_address(normalised);
    // Also fills a placeholder that the path brought into the request line.
    Text request = replace_text(with_path, host_slot, host, Case::Exact);
    return {std::move(host), std::move(request)};
}
