#pragma once

#include "text/gbk_text.h"

#include <string>

// The GBK bytes of `text` as UTF-8, for printing on a terminal; a byte that
// does not convert becomes "?".
std::string gbk_to_utf8(const Text& text);
