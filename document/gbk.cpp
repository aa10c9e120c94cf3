#include "gbk.h"

#include <cerrno>
#include <iconv.h>

namespace ampera {

namespace {
std::string Convert(const std::string& input, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return input;
    std::string out;
    out.reserve(input.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or a sequence cut off at the end: replace one byte and go on.
        out += '?';
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}
} // namespace

std::string GbkToUtf8(const std::string& gbk) { return Convert(gbk, "UTF-8", "GBK"); }
std::string Utf8ToGbk(const std::string& utf8) { return Convert(utf8, "GBK", "UTF-8"); }

} // namespace ampera
