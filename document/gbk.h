// Experiment files hold GBK bytes; the program keeps UTF-8 in memory.
#pragma once

#include <string>

namespace ampera {

// Bytes that do not convert (malformed input, characters GBK lacks) become '?'.
std::string GbkToUtf8(const std::string& gbk);
// The same, handing ASCII text back as it is without a copy.
std::string GbkToUtf8(std::string&& gbk);
std::string Utf8ToGbk(const std::string& utf8);

} // namespace ampera
