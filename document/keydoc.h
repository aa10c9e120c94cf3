// The key-path document: a small tree of named elements and named text
// leaves, addressed by colon-separated paths ("COMPONENT:WIRE:NUM") and
// written as indented tag text. It looks like XML but is its own, smaller
// language: no escaping, no entities, no declarations; the reader is a
// scanner over tag markers. Text is handled as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ampera {

// The tree lives in its document's arena: the text it was read from is
// copied there once, names and values are views of that copy (or of text a
// store copied there), and everything is given back at once when the
// document is cleared or goes. Reading a large file thus costs no allocation
// and no free per tag.
using KeyAllocator = std::pmr::polymorphic_allocator<char>;

struct CKeyLeaf {
    std::string_view name;
    std::string_view value;
    std::string_view attributes;
};

struct CKeyElement {
    using allocator_type = KeyAllocator;
    explicit CKeyElement(const allocator_type& alloc) : leaves(alloc), children(alloc) {}

    std::pmr::vector<CKeyLeaf> leaves; // in order of first creation; names unique
    std::string_view name;
    std::string_view attributes; // kept from parsing, never written
    std::pmr::vector<CKeyElement*> children; // names may repeat; lookups find the first
    CKeyElement* parent = nullptr;

    CKeyElement* FindChild(std::string_view n) const;
    // Appends a child of that name (which must live in the same arena) and
    // returns it; lookups keep finding the first of a name.
    CKeyElement* AddChild(std::string_view childName);

    CKeyLeaf* FindLeaf(std::string_view n);
    const CKeyLeaf* FindLeaf(std::string_view n) const;

private:
    // First child of each name, once there are many: an experiment list
    // holds hundreds of items. Made when the children reach kIndexFrom.
    static constexpr std::size_t kIndexFrom = 16;
    std::pmr::unordered_map<std::string_view, CKeyElement*>* m_index = nullptr;
};

class CKeyDoc {
public:
    // Elements nested deeper than this are not read: a hostile file cannot
    // exhaust the stack or make the scan quadratic in its length.
    static constexpr int kMaxDepth = 64;

    CKeyDoc();
    CKeyDoc(CKeyDoc&& other);
    CKeyDoc& operator=(CKeyDoc&& other);
    CKeyDoc(const CKeyDoc&) = delete;
    CKeyDoc& operator=(const CKeyDoc&) = delete;

    void Clear();
    // Builds the tree from `text`; false only for an empty text. Parts that
    // cannot be read (a tag without its closing tag) are skipped.
    bool Parse(const char* text, std::size_t length);
    bool Parse(const std::string& text) { return Parse(text.data(), text.size()); }
    // The same, keeping `text` itself instead of a copy of it.
    bool Parse(std::string&& text);

    // The document as tag text: tab-indented lines ended by CR LF.
    std::string ToText() const;
    // Writes ToText() to `path` as it is; false when the file could not be written.
    bool SaveToFile(const std::string& path) const;

    bool GetString(const std::string& path, std::string& out, const std::string& fallback) const;
    bool GetInt(const std::string& path, std::int32_t& out, std::int32_t fallback) const;
    bool GetUInt(const std::string& path, std::uint32_t& out, std::uint32_t fallback) const;
    bool GetFloat(const std::string& path, float& out, float fallback) const;
    bool GetBool(const std::string& path, bool& out, bool fallback) const;

    void SetString(const std::string& path, const std::string& value);
    void SetInt(const std::string& path, std::int32_t value);
    void SetUInt(const std::string& path, std::uint32_t value);
    void SetFloat(const std::string& path, float value);
    // A float in the shortest text that reads back as exactly the same float
    // (SetFloat keeps six significant digits).
    void SetFloatExact(const std::string& path, float value);
    void SetBool(const std::string& path, bool value);

    // Number of child elements of the element a path names (every component
    // of the path names an element), 0 when there is none. Readers use it to
    // bound counts stored in a file by what the file really holds.
    std::size_t CountChildren(const std::string& elementPath) const;
    // The numbers n below `below` for which the element a path names has a
    // child called `stem` + n (n in plain decimal: no sign, no leading zero),
    // ascending and each once. A list read through it skips the numbers a
    // file leaves out, and its work is bounded by the children the file
    // really holds, whatever count the file claims.
    std::vector<std::uint32_t> NumberedChildren(const std::string& elementPath, const std::string& stem,
                                                std::int64_t below) const;

    const CKeyElement& Root() const { return *m_root; }

private:
    const CKeyLeaf* Find(std::string_view path) const;
    const CKeyElement* FindElement(std::string_view elementPath) const;
    // A fresh arena of about `expected` bytes, holding an empty root.
    void Reset(std::size_t expected);
    // A copy of `text` in the arena.
    std::string_view Keep(std::string_view text);

    std::unique_ptr<std::pmr::monotonic_buffer_resource> m_arena;
    std::unique_ptr<std::string> m_text; // a parsed text the document took over
    CKeyElement* m_root = nullptr;
    // The element the last lookup's path named (null: none), so reading an
    // element's keys one after another walks the path once. Lookups thus
    // change the document: one document is read by one thread at a time.
    mutable std::string m_lastPath;
    mutable const CKeyElement* m_lastElement = nullptr;
    mutable bool m_lastValid = false;
};

} // namespace ampera
