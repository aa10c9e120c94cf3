#include "number_text.h"

#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>
#include <locale.h>

namespace ampera {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

// An optional sign and decimal digits: the magnitude, whether it was
// negative, and false for no digits or a magnitude above `limit`.
bool ReadMagnitude(std::string_view text, std::uint64_t limit, std::uint64_t& magnitude, bool& negative) {
    std::size_t i = SkipSpace(text);
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i])) return false;
    std::uint64_t value = 0;
    bool over = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (!over && value > (limit - digit) / 10) over = true;
        if (!over) value = value * 10 + digit;
    }
    if (over) return false;
    magnitude = value;
    return true;
}

locale_t ClassicLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

bool ReadNumber(std::string_view text, std::int32_t& out) {
    std::uint64_t m = 0;
    bool negative = false;
    // A stream reads a long and then narrows it; either overflow fails.
    if (!ReadMagnitude(text, 2147483648ull, m, negative)) return false;
    if (negative ? m > 2147483648ull : m > 2147483647ull) return false;
    out = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(m)) : static_cast<std::int32_t>(m);
    return true;
}

bool ReadNumber(std::string_view text, std::uint32_t& out) {
    std::uint64_t m = 0;
    bool negative = false;
    if (!ReadMagnitude(text, 4294967295ull, m, negative)) return false;
    const auto value = static_cast<std::uint32_t>(m);
    out = negative ? static_cast<std::uint32_t>(0u - value) : value;
    return true;
}

bool ReadNumber(std::string_view text, bool& out) {
    std::uint64_t m = 0;
    bool negative = false;
    if (!ReadMagnitude(text, 9223372036854775808ull, m, negative)) return false;
    if (m > 1) return false; // "-0" is 0; "-1" is not a bool
    if (negative && m == 1) return false;
    out = m == 1;
    return true;
}

bool ReadNumber(std::string_view text, float& out) {
    // The characters a stream collects: sign, digits with one decimal
    // point, and an exponent once a digit has been seen; leading zeros
    // collapse to one. The collected text must then read whole.
    std::string collected;
    std::size_t i = SkipSpace(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) collected += text[i++];
    bool mantissa = false, point = false, exponent = false;
    for (; i < text.size() && text[i] == '0'; ++i)
        if (!mantissa) {
            collected += '0';
            mantissa = true;
        }
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point && !exponent) {
            collected += '.';
            point = true;
        } else if ((c == 'e' || c == 'E') && !exponent && mantissa) {
            collected += 'e';
            exponent = true;
            if (i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) collected += text[++i];
        } else if (IsDigit(c)) {
            collected += c;
            mantissa = true;
        } else {
            break;
        }
    }
    char* end = nullptr;
    const float value = strtof_l(collected.c_str(), &end, ClassicLocale());
    if (end == collected.c_str() || *end != '\0') return false;
    if (value == std::numeric_limits<float>::infinity() || value == -std::numeric_limits<float>::infinity())
        return false;
    out = value;
    return true;
}

} // namespace ampera
