#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>

// Encodes UTF-8 source text as GBK with the system's converter, so that the
// expected bytes in a test do not come from the code under test.
inline std::string gbk_from_utf8(const std::string& utf8)
{
    const iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no UTF-8 to GBK converter");
    std::string in = utf8;
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in_at = in.data();
    std::size_t in_left = in.size();
    char* out_at = out.data();
    std::size_t out_left = out.size();
    const std::size_t result = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error("text not representable in GBK");
    out.resize(out.size() - out_left);
    return out;
}
