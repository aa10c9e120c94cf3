// GBK text is converted by iconv only where it holds bytes above ASCII; the
// result must be what converting the whole text at once gives, for valid
// text and for every kind of broken sequence.
#include "document/gbk.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <random>
#include <string>

namespace ampera {
namespace {

// The whole text through iconv in one go, bad bytes replaced one at a time.
std::string WholeConversion(const std::string& input) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        out += '?';
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

TEST(Gbk, ChosenTextsConvertAsTheWholeTextDoes) {
    const std::string texts[] = {
        "",
        "plain <NAME>R1</NAME>",
        "\xB5\xE7\xD7\xE8", // 电阻
        "<NAME>\xB5\xE7\xD7\xE8" "1</NAME>\r\n",
        "\x81\x40", // an ASCII trail byte
        "\x80\x81\x40", // 0x80 is no lead: the pair after it is one character
        "\x81\x30\x81\x40",
        "\xFF\x41\x42",
        "AB\x81",     // a lead cut off at the end
        "\x81" "A" "B\x81\x40",
        "\xB5\xE7" "AB" "\xD7\xE8",
    };
    for (const std::string& t : texts) {
        EXPECT_EQ(GbkToUtf8(t), WholeConversion(t));
        EXPECT_EQ(GbkToUtf8(std::string(t)), WholeConversion(t)) << "a text handed over";
    }
}

TEST(Gbk, RandomBytesConvertAsTheWholeTextDoes) {
    std::mt19937 random(1211);
    // ASCII (some of it valid trail bytes), leads, trails above 0x80, and bytes
    // no GBK text has.
    const std::string alphabet = "AB@~\r\n<>01\x81\x82\xB5\xE7\xD7\xE8\xA1\xFE\x80\xFF\x7F";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        ASSERT_EQ(GbkToUtf8(text), WholeConversion(text)) << testing::PrintToString(text);
    }
}

TEST(Gbk, ChineseRoundTrips) {
    const std::string text = "<NAME>电阻一号</NAME>\r\n<ABSTRACTNAME>欧姆定律 Ω</ABSTRACTNAME>";
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk(text)), text);
}

} // namespace
} // namespace ampera
