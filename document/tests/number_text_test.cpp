// Number reading must agree with a classic-locale input stream, which is
// how every stored file has been read: same value where the stream reads
// one, a failure where it fails.
#include "document/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <locale>
#include <random>
#include <sstream>
#include <string>

namespace ampera {
namespace {

template <typename T> bool StreamRead(const std::string& text, T& out) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail()) return false;
    out = value;
    return true;
}

template <typename T> void ExpectSame(const std::string& text) {
    T fast{}, slow{};
    const bool fastOk = ReadNumber(text, fast);
    const bool slowOk = StreamRead(text, slow);
    ASSERT_EQ(fastOk, slowOk) << '"' << text << '"';
    if (!fastOk) return;
    if constexpr (std::is_same_v<T, float>) {
        // Bit for bit: the sign of a zero matters to nobody, but the same
        // digits must give the same float.
        std::uint32_t a, b;
        std::memcpy(&a, &fast, 4);
        std::memcpy(&b, &slow, 4);
        EXPECT_EQ(a, b) << '"' << text << "\" " << fast << " vs " << slow;
    } else {
        EXPECT_EQ(fast, slow) << '"' << text << '"';
    }
}

void ExpectAllSame(const std::string& text) {
    ExpectSame<std::int32_t>(text);
    ExpectSame<std::uint32_t>(text);
    ExpectSame<float>(text);
    ExpectSame<bool>(text);
}

TEST(NumberText, ChosenTextsReadAsAStreamReadsThem) {
    const char* texts[] = {
        "", " ", "0", "1", "-1", "+1", "-0", "+", "-", "12.75", "  \t\r\n-7x", "\v\f42", "abc", "0x1A",
        "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296", "-4294967295",
        "-4294967296", "9223372036854775807", "9223372036854775808", "-9223372036854775808",
        "99999999999999999999999", "00000000000000000000001", "2", "1e", "1e+", "1e-", "1e5", "1E-3x", ".5",
        "-.5", "+.5e1", ".", "-.", ".e3", "e3", "0e", "1.", "1.e2", "1.2.3", "1e2e3", "1e2.5", "3.4028235e38",
        "3.4028236e38", "3.5e38", "-3.5e38", "1e39", "1e-39", "1e-46", "1e-50", "inf", "nan", "-inf", "0.1",
        "0.000001", "101", "1e1000", "0000.000", "- 1", "1 2", "1,5", "٣",
        "0.30000000000000000000000000000000000000000000000000000000001",
        "123456789012345678901234567890123456789012345678901234567890e-50",
    };
    for (const char* t : texts)
        ExpectAllSame(t);
}

TEST(NumberText, RandomTextsReadAsAStreamReadsThem) {
    std::mt19937 random(20261211);
    const std::string alphabet = "0123456789000111+-..eEx \t\n";
    for (int i = 0; i < 60000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        ExpectAllSame(text);
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace ampera
