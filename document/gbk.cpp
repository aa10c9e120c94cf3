#include "gbk.h"

#include <cerrno>
#include <iconv.h>

namespace ampera {

namespace {

// Appends `length` bytes from `input`, converted by `cd`, to `out`.
void Append(iconv_t cd, const char* input, std::size_t length, std::string& out) {
    char* in = const_cast<char*>(input);
    std::size_t inLeft = length;
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
}

std::string Convert(const std::string& input, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return input;
    std::string out;
    out.reserve(input.size() * 3 / 2 + 16);
    Append(cd, input.data(), input.size(), out);
    iconv_close(cd);
    return out;
}

} // namespace

// GBK leaves ASCII as it is, but a trail byte may be ASCII too: a byte
// below 0x80 that follows another such byte is a plain character whatever
// came before, and the decoder starts afresh after it. So only the stretches
// between such places that hold a byte of 0x80 or more go to iconv, each
// exactly as iconv would have met it in the whole text.
std::string GbkToUtf8(const std::string& gbk) {
    const auto high = [&](std::size_t i) { return static_cast<unsigned char>(gbk[i]) >= 0x80; };
    std::size_t i = 0;
    while (i < gbk.size() && !high(i))
        ++i;
    if (i == gbk.size()) return gbk;
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return gbk;
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    out.append(gbk, 0, i);
    while (i < gbk.size()) {
        // A stretch starts at a high byte and ends before the first low
        // byte whose predecessor is low too.
        std::size_t end = i + 1;
        while (end < gbk.size() && (high(end) || high(end - 1)))
            ++end;
        Append(cd, gbk.data() + i, end - i, out);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        i = end;
        const std::size_t plain = i;
        while (i < gbk.size() && !high(i))
            ++i;
        out.append(gbk, plain, i - plain);
    }
    iconv_close(cd);
    return out;
}

std::string GbkToUtf8(std::string&& gbk) {
    for (const char c : gbk)
        if (static_cast<unsigned char>(c) >= 0x80) return GbkToUtf8(static_cast<const std::string&>(gbk));
    return std::move(gbk);
}

std::string Utf8ToGbk(const std::string& utf8) { return Convert(utf8, "GBK", "UTF-8"); }

} // namespace ampera
