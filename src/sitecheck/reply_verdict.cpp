#include "sitecheck/reply_verdict.h"

const Text reply_ok_marker = " 200 OK";

// 站点正常连接
const Text site_reachable_text = "\xD5\xBE\xB5\xE3\xD5\xFD\xB3\xA3\xC1\xAC\xBD\xD3";
// 站点无法连接
const Text site_unreachable_text = "\xD5\xBE\xB5\xE3\xCE\xDE\xB7\xA8\xC1\xAC\xBD\xD3";

Text text_of_reply(const std::string& data)
{
    return data.substr(0, data.find('\0'));
}

Text site_verdict(const std::string& data)
{
    const bool marker_found =
        find_text(text_of_reply(data), reply_ok_marker, 1, Case::IgnoreAscii) != -1;
    return marker_found ? site_reachable_text : site_unreachable_text;
}
