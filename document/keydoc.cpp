#include "keydoc.h"

#include <algorithm>
#include "number_text.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>

namespace ampera {

namespace {

// The colon-separated parts of a path, one at a time.
class PathParts {
public:
    explicit PathParts(std::string_view path) : m_rest(path) {}
    // The next part; false once every part has been taken.
    bool Next(std::string_view& part) {
        if (m_done) return false;
        const std::size_t colon = m_rest.find(':');
        part = m_rest.substr(0, colon);
        if (colon == std::string_view::npos)
            m_done = true;
        else
            m_rest.remove_prefix(colon + 1);
        return true;
    }
    bool Last() const { return m_done; }

private:
    std::string_view m_rest;
    bool m_done = false;
};

// Events of the tag scanner, turned into the tree.
class CKeyDocBuilder {
public:
    explicit CKeyDocBuilder(CKeyElement& root) : m_root(root) {}

    void OnElementStart(std::string_view name, std::string_view attributes) {
        if (!m_current) {
            m_root.name = name;
            m_root.attributes = attributes;
            m_current = &m_root;
            return;
        }
        m_current = m_current->AddChild(name);
        m_current->attributes = attributes;
    }
    void OnLeaf(std::string_view name, std::string_view value, std::string_view attributes) {
        if (!m_current) return;
        if (CKeyLeaf* leaf = m_current->FindLeaf(name)) {
            leaf->value = value;
            leaf->attributes = attributes;
        } else {
            // Arena space is cheap and most elements hold a few leaves: one
            // growth instead of three.
            if (m_current->leaves.empty()) m_current->leaves.reserve(4);
            m_current->leaves.push_back({name, value, attributes});
        }
    }
    void OnElementEnd() {
        if (m_current) m_current = m_current->parent;
    }

private:
    CKeyElement& m_root;
    CKeyElement* m_current = nullptr;
};

class Scanner {
public:
    Scanner(std::string_view text, CKeyDocBuilder& builder) : m_text(text), m_builder(builder) {}

    void Region(std::size_t begin, std::size_t end, int depth) {
        std::size_t pos = begin;
        std::string open, close;
        for (;;) {
            const std::size_t lt = m_text.find('<', pos);
            if (lt == std::string_view::npos || lt >= end) return;
            const std::size_t gt = m_text.find('>', lt);
            if (gt == std::string_view::npos || gt >= end) return;

            std::string_view body = m_text.substr(lt + 1, gt - lt - 1);
            const bool selfClosing = !body.empty() && body.back() == '/';
            if (selfClosing) body.remove_suffix(1);
            const std::size_t space = body.find(' ');
            const std::string_view name = body.substr(0, space);
            const std::string_view attributes =
                space == std::string_view::npos ? std::string_view() : body.substr(space + 1);

            if (name.substr(0, 4) == "?xml" || name.substr(0, 3) == "!--") {
                pos = gt + 1;
                continue;
            }
            if (selfClosing) {
                m_builder.OnLeaf(name, std::string_view(), attributes);
                pos = gt + 1;
                continue;
            }
            close.assign("</").append(name).append(">");
            // A leaf's closing tag is the next tag of all: then it is the first
            // closing tag after this one, with no opening tag of the name
            // before it, and the content holds no tag.
            const std::size_t next = m_text.find('<', gt + 1);
            std::size_t candidate;
            bool nested;
            if (next < end && end - next >= close.size() && m_text.compare(next, close.size(), close) == 0) {
                candidate = next;
                nested = false;
            } else {
                open.assign("<").append(name).append(">");
                candidate = FindBefore(close, gt + 1, end);
                std::size_t from = gt + 1;
                while (candidate != std::string_view::npos) {
                    const std::size_t inner = FindBefore(open, from, candidate);
                    if (inner == std::string_view::npos) break;
                    from = inner + open.size();
                    candidate = FindBefore(close, candidate + close.size(), end);
                }
                if (candidate == std::string_view::npos) return; // unmatched: the rest of the region is skipped
                nested = next < candidate;
            }
            const std::size_t contentBegin = gt + 1, contentEnd = candidate;
            if (name.empty()) {
                if (depth < CKeyDoc::kMaxDepth) Region(contentBegin, contentEnd, depth + 1);
            } else if (nested) {
                m_builder.OnElementStart(name, attributes);
                if (depth < CKeyDoc::kMaxDepth) Region(contentBegin, contentEnd, depth + 1);
                m_builder.OnElementEnd();
            } else {
                m_builder.OnLeaf(name, m_text.substr(contentBegin, contentEnd - contentBegin), attributes);
            }
            pos = candidate + close.size();
        }
    }

private:
    // `what` at or after `from` ending no later than `end`, or npos. The
    // search never looks past `end`, so unmatched tags cost only their region.
    std::size_t FindBefore(std::string_view what, std::size_t from, std::size_t end) const {
        if (from >= end) return std::string_view::npos;
        // memmem skips ahead on the pattern; a plain find stops at every '<'.
        const void* at = memmem(m_text.data() + from, end - from, what.data(), what.size());
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - m_text.data())
                  : std::string_view::npos;
    }

    std::string_view m_text;
    CKeyDocBuilder& m_builder;
};

void Write(const CKeyElement& e, int depth, std::string& out) {
    const auto indent = [&](int d) { out.append(static_cast<std::size_t>(d), '\t'); };
    indent(depth);
    out.append("<").append(e.name).append(">\r\n");
    for (const CKeyLeaf& leaf : e.leaves) {
        indent(depth + 1);
        out.append("<").append(leaf.name).append(">").append(leaf.value).append("</").append(leaf.name).append(">\r\n");
    }
    for (const CKeyElement* child : e.children) Write(*child, depth + 1, out);
    indent(depth);
    out.append("</").append(e.name).append(">\r\n");
}

} // namespace

CKeyElement* CKeyElement::FindChild(std::string_view n) const {
    if (!m_index) {
        for (CKeyElement* child : children)
            if (child->name == n) return child;
        return nullptr;
    }
    const auto it = m_index->find(n);
    return it == m_index->end() ? nullptr : it->second;
}

CKeyElement* CKeyElement::AddChild(std::string_view childName) {
    KeyAllocator alloc = children.get_allocator();
    CKeyElement* added = alloc.new_object<CKeyElement>();
    added->name = childName;
    added->parent = this;
    children.push_back(added);
    if (m_index) {
        m_index->emplace(added->name, added);
    } else if (children.size() >= kIndexFrom) {
        m_index = alloc.new_object<std::pmr::unordered_map<std::string_view, CKeyElement*>>();
        for (CKeyElement* c : children)
            m_index->emplace(c->name, c);
    }
    return added;
}

CKeyLeaf* CKeyElement::FindLeaf(std::string_view n) {
    for (CKeyLeaf& l : leaves)
        if (l.name == n) return &l;
    return nullptr;
}

const CKeyLeaf* CKeyElement::FindLeaf(std::string_view n) const {
    return const_cast<CKeyElement*>(this)->FindLeaf(n);
}

CKeyDoc::CKeyDoc() { Reset(0); }

// A moved-from document is an empty one.
CKeyDoc::CKeyDoc(CKeyDoc&& other)
    : m_arena(std::move(other.m_arena)), m_text(std::move(other.m_text)), m_root(other.m_root) {
    other.Reset(0);
}

CKeyDoc& CKeyDoc::operator=(CKeyDoc&& other) {
    if (this != &other) {
        m_arena = std::move(other.m_arena);
        m_text = std::move(other.m_text);
        m_root = other.m_root;
        m_lastValid = false;
        other.Reset(0);
    }
    return *this;
}

void CKeyDoc::Reset(std::size_t expected) {
    m_lastValid = false;
    m_text.reset();
    // Nothing in the tree needs its destructor run: every byte it holds is
    // the arena's, and the arena gives it all back at once.
    m_arena = std::make_unique<std::pmr::monotonic_buffer_resource>(std::max<std::size_t>(expected, 1024));
    KeyAllocator alloc(m_arena.get());
    m_root = alloc.new_object<CKeyElement>();
}

void CKeyDoc::Clear() { Reset(0); }

std::string_view CKeyDoc::Keep(std::string_view text) {
    if (text.empty()) return {};
    char* copy = static_cast<char*>(m_arena->allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return {copy, text.size()};
}

bool CKeyDoc::Parse(const char* text, std::size_t length) {
    // The tree takes a few times the text's size.
    Reset(length < (std::size_t(1) << 30) ? length * 3 : 0);
    if (!text || length == 0) return false;
    const std::string_view kept = Keep(std::string_view(text, length));
    CKeyDocBuilder builder(*m_root);
    Scanner(kept, builder).Region(0, length, 0);
    return true;
}

bool CKeyDoc::Parse(std::string&& text) {
    Reset(text.size() < (std::size_t(1) << 30) ? text.size() * 2 : 0);
    if (text.empty()) return false;
    // Held through a pointer: the views stay valid however the document moves.
    m_text = std::make_unique<std::string>(std::move(text));
    CKeyDocBuilder builder(*m_root);
    Scanner(*m_text, builder).Region(0, m_text->size(), 0);
    return true;
}

std::string CKeyDoc::ToText() const {
    std::string out;
    Write(*m_root, 0, out);
    return out;
}

bool CKeyDoc::SaveToFile(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::string text = ToText();
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    return static_cast<bool>(file);
}

const CKeyLeaf* CKeyDoc::Find(std::string_view path) const {
    const std::size_t colon = path.rfind(':');
    if (colon == std::string_view::npos) return nullptr;
    // Readers ask for the keys of one element one after another.
    const std::string_view elementPath = path.substr(0, colon);
    if (!m_lastValid || elementPath != m_lastPath) {
        m_lastPath.assign(elementPath);
        m_lastElement = FindElement(elementPath);
        m_lastValid = true;
    }
    return m_lastElement ? m_lastElement->FindLeaf(path.substr(colon + 1)) : nullptr;
}

const CKeyElement* CKeyDoc::FindElement(std::string_view elementPath) const {
    PathParts parts(elementPath);
    std::string_view part;
    if (!parts.Next(part) || part != m_root->name) return nullptr;
    const CKeyElement* e = m_root;
    while (e && parts.Next(part))
        e = e->FindChild(part);
    return e;
}

std::size_t CKeyDoc::CountChildren(const std::string& elementPath) const {
    const CKeyElement* e = FindElement(elementPath);
    return e ? e->children.size() : 0;
}

std::vector<std::uint32_t> CKeyDoc::NumberedChildren(const std::string& elementPath, const std::string& stem,
                                                     std::int64_t below) const {
    std::vector<std::uint32_t> numbers;
    const CKeyElement* e = FindElement(elementPath);
    if (!e || below <= 0) return numbers;
    for (const CKeyElement* child : e->children) {
        const std::string_view name = child->name;
        if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) continue;
        const std::size_t digits = name.size() - stem.size();
        // Ten digits hold every 32-bit number; "NUM02" is not the name of item 2.
        if (digits > 10 || (digits > 1 && name[stem.size()] == '0')) continue;
        std::int64_t n = 0;
        bool plain = true;
        for (std::size_t i = stem.size(); i < name.size() && plain; ++i) {
            plain = name[i] >= '0' && name[i] <= '9';
            n = n * 10 + (name[i] - '0');
        }
        if (plain && n < below && n <= static_cast<std::int64_t>(UINT32_MAX))
            numbers.push_back(static_cast<std::uint32_t>(n));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

bool CKeyDoc::GetString(const std::string& path, std::string& out, const std::string& fallback) const {
    if (const CKeyLeaf* leaf = Find(path)) {
        out.assign(leaf->value.data(), leaf->value.size());
        return true;
    }
    out = fallback;
    return false;
}

namespace {
template <typename T> bool GetTyped(const CKeyLeaf* leaf, T& out, T fallback) {
    if (leaf && ReadNumber(leaf->value, out)) return true;
    out = fallback;
    return false;
}
} // namespace

bool CKeyDoc::GetInt(const std::string& path, std::int32_t& out, std::int32_t fallback) const {
    return GetTyped(Find(path), out, fallback);
}
bool CKeyDoc::GetUInt(const std::string& path, std::uint32_t& out, std::uint32_t fallback) const {
    return GetTyped(Find(path), out, fallback);
}
bool CKeyDoc::GetFloat(const std::string& path, float& out, float fallback) const {
    return GetTyped(Find(path), out, fallback);
}
bool CKeyDoc::GetBool(const std::string& path, bool& out, bool fallback) const {
    return GetTyped(Find(path), out, fallback);
}

void CKeyDoc::SetString(const std::string& path, const std::string& value) {
    m_lastValid = false; // an element it found missing may be made now
    PathParts parts(path);
    std::string_view part;
    if (!parts.Next(part) || parts.Last()) return;
    if (part != m_root->name) {
        m_root->name = Keep(part);
        m_root->attributes = {};
    }
    CKeyElement* e = m_root;
    while (parts.Next(part) && !parts.Last()) {
        CKeyElement* next = e->FindChild(part);
        if (!next) next = e->AddChild(Keep(part));
        e = next;
    }
    if (CKeyLeaf* leaf = e->FindLeaf(part)) {
        leaf->value = Keep(value);
        leaf->attributes = {};
    } else {
        e->leaves.push_back({Keep(part), Keep(value), {}});
    }
}

void CKeyDoc::SetInt(const std::string& path, std::int32_t value) { SetString(path, std::to_string(value)); }
void CKeyDoc::SetUInt(const std::string& path, std::uint32_t value) { SetString(path, std::to_string(value)); }
void CKeyDoc::SetBool(const std::string& path, bool value) { SetString(path, value ? "1" : "0"); }

void CKeyDoc::SetFloatExact(const std::string& path, float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    SetString(path, std::string(text, result.ptr));
}

void CKeyDoc::SetFloat(const std::string& path, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    SetString(path, text);
}

} // namespace ampera
