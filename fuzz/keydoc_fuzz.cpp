// Fuzz target: the key-path document reader on any bytes must neither crash,
// hang nor allocate without bound, and what it read must write and read again.
// (Names that end in "/" or start with it do not survive the trip, since the
// format has no escaping; the experiment-file target checks the round trip of
// everything the program itself writes.)
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
    again.GetInt("COMPONENT:RESISTANCE:NUM", n, 0);
    return 0;
}
