#pragma once

#include <string>

#include "text/gbk_text.h"

// The status text that marks a live site: " 200 OK".
extern const Text reply_ok_marker;

// 站点正常连接 (the site answers)
extern const Text site_reachable_text;
// 站点无法连接 (the site does not answer); also shown when the connect fails
extern const Text site_unreachable_text;

// The bytes of a reply up to, not including, its first zero byte.
Text text_of_reply(const std::string& data);

// The verdict on the first data a site sent back: reachable exactly when the
// data, cut at its first zero byte, holds the marker at a character start,
// with O and K in either case.
Text site_verdict(const std::string& data);
