#include "gbk_to_utf8.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

std::string gbk_to_utf8(const Text& text)
{
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return text;

    std::vector<char> in(text.begin(), text.end());
    char* in_next = in.data();
    std::size_t in_left = in.size();
    std::string out;
    char chunk[256];
    while (in_left > 0) {
        char* out_next = chunk;
        std::size_t out_left = sizeof chunk;
        const std::size_t result = iconv(converter, &in_next, &in_left, &out_next, &out_left);
        out.append(chunk, static_cast<std::size_t>(out_next - chunk));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: skip the byte that does not convert.
            out += '?';
            ++in_next;
            --in_left;
        }
    }
    iconv_close(converter);
    return out;
}
