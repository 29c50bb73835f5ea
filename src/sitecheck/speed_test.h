#pragma once

#include "text/gbk_text.h"

// The outside speed-test page; the address to measure is appended to it.
extern const Text speed_test_base_url;

// The base URL followed by the address exactly as typed: no scheme is
// stripped, nothing is trimmed or percent-encoded.
Text speed_test_url(const Text& address);
