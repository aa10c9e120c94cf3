// Numbers read from document text the way a classic-locale input stream
// reads them: leading white space skipped, the longest valid prefix
// converted, the rest ignored; false (and `out` untouched) where a stream
// would fail: no digits, a value out of range, an exponent without digits.
// Unsigned values take a minus sign modulo 2^32 as a stream does; a bool is
// the number 0 or 1.
#pragma once

#include <cstdint>
#include <string_view>

namespace ampera {

bool ReadNumber(std::string_view text, std::int32_t& out);
bool ReadNumber(std::string_view text, std::uint32_t& out);
bool ReadNumber(std::string_view text, float& out);
bool ReadNumber(std::string_view text, bool& out);

} // namespace ampera
