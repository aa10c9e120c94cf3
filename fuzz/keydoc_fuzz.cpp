// Fuzz target: the key-path document reader on any bytes must neither crash,
// hang nor allocate without bound, and what it read must write text that
// reads back to the same text, whenever the tree is one the written form can
// express. The format has no escaping, so some trees cannot be written
// faithfully, and those are only read again, not compared:
//  - names that are empty, hold '<', '>' or a space, start or end with '/'
//    (they read as closing or self-closing tags) or start like a declaration
//    ("?xml") or a comment ("!--");
//  - leaf values that hold '<' (they read as elements);
//  - elements with neither leaves nor children (they read as a leaf whose
//    value is the line break between their tags).
// The experiment-file target checks the round trip of everything the program
// itself writes.
#include "document/keydoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using ampera::CKeyElement;

bool WritableName(std::string_view name) {
    return !name.empty() && name.find_first_of("<> ") == std::string_view::npos && name.front() != '/' &&
           name.back() != '/' && name.substr(0, 4) != "?xml" && name.substr(0, 3) != "!--";
}

bool Writable(const CKeyElement& e) {
    if (!WritableName(e.name) || (e.leaves.empty() && e.children.empty())) return false;
    for (const auto& leaf : e.leaves)
        if (!WritableName(leaf.name) || leaf.value.find('<') != std::string_view::npos) return false;
    for (const auto& child : e.children)
        if (!Writable(*child)) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ampera::CKeyDoc doc;
    doc.Parse(reinterpret_cast<const char*>(data), size);
    std::string value;
    doc.GetString("COMPONENT:RESISTANCE:NUM", value, "");
    int n = 0;
    doc.GetInt("COMPONENT:NODE:NUM0:CONNECT_COMPONENTID_NUM", n, 0);
    float f = 0;
    doc.GetFloat("COMPONENT:RESISTANCE:NUM0:RESVALUE", f, 0);
    doc.NumberedChildren("COMPONENT:METER", "NUM", 1 << 20);

    const std::string text = doc.ToText();
    ampera::CKeyDoc again;
    again.Parse(text);
    const std::string textAgain = again.ToText();
    if (Writable(doc.Root()) && textAgain != text) {
        std::size_t at = 0;
        while (at < text.size() && at < textAgain.size() && text[at] == textAgain[at])
            ++at;
        std::fprintf(stderr, "key-path round trip: the written text reads back differently from byte %zu\n",
                     at);
        __builtin_trap();
    }
    return 0;
}
