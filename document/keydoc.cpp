#include "keydoc.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <locale>
#include <sstream>
#include <string_view>

namespace ampera {

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = path.find(':', start);
        parts.push_back(path.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos) return parts;
        start = colon + 1;
    }
}

// Stream-input conversion: leading white space skipped, the longest valid
// prefix converted, the rest ignored.
template <typename T> bool Convert(const std::string& text, T& out) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail()) return false;
    out = value;
    return true;
}

// Events of the tag scanner, turned into the tree.
class CKeyDocBuilder {
public:
    explicit CKeyDocBuilder(CKeyElement& root) : m_root(root) {}

    void OnElementStart(const std::string& name, const std::string& attributes) {
        if (!m_current) {
            m_root.name = name;
            m_root.attributes = attributes;
            m_current = &m_root;
            return;
        }
        auto child = std::make_unique<CKeyElement>();
        child->name = name;
        child->attributes = attributes;
        m_current = m_current->AddChild(std::move(child));
    }
    void OnLeaf(const std::string& name, const std::string& value, const std::string& attributes) {
        if (!m_current) return;
        if (CKeyLeaf* leaf = m_current->FindLeaf(name)) {
            leaf->value = value;
            leaf->attributes = attributes;
        } else {
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
    Scanner(const std::string& text, CKeyDocBuilder& builder) : m_text(text), m_builder(builder) {}

    void Region(std::size_t begin, std::size_t end, int depth) {
        std::size_t pos = begin;
        for (;;) {
            const std::size_t lt = m_text.find('<', pos);
            if (lt == std::string::npos || lt >= end) return;
            const std::size_t gt = m_text.find('>', lt);
            if (gt == std::string::npos || gt >= end) return;

            std::string body = m_text.substr(lt + 1, gt - lt - 1);
            const bool selfClosing = !body.empty() && body.back() == '/';
            if (selfClosing) body.pop_back();
            const std::size_t space = body.find(' ');
            const std::string name = body.substr(0, space);
            const std::string attributes = space == std::string::npos ? std::string() : body.substr(space + 1);

            if (name.rfind("?xml", 0) == 0 || name.rfind("!--", 0) == 0) {
                pos = gt + 1;
                continue;
            }
            if (selfClosing) {
                m_builder.OnLeaf(name, std::string(), attributes);
                pos = gt + 1;
                continue;
            }
            const std::string open = "<" + name + ">", close = "</" + name + ">";
            std::size_t candidate = FindBefore(close, gt + 1, end);
            std::size_t from = gt + 1;
            while (candidate != std::string::npos) {
                const std::size_t inner = FindBefore(open, from, candidate);
                if (inner == std::string::npos) break;
                from = inner + open.size();
                candidate = FindBefore(close, candidate + close.size(), end);
            }
            if (candidate == std::string::npos) return; // unmatched: the rest of the region is skipped

            const std::size_t contentBegin = gt + 1, contentEnd = candidate;
            const bool nested = m_text.find('<', contentBegin) < contentEnd;
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
    std::size_t FindBefore(const std::string& what, std::size_t from, std::size_t end) const {
        if (from >= end) return std::string::npos;
        const std::size_t at = std::string_view(m_text).substr(from, end - from).find(what);
        return at == std::string_view::npos ? std::string::npos : from + at;
    }

    const std::string& m_text;
    CKeyDocBuilder& m_builder;
};

void Write(const CKeyElement& e, int depth, std::string& out) {
    const std::string indent(static_cast<std::size_t>(depth), '\t');
    out += indent + "<" + e.name + ">\r\n";
    for (const CKeyLeaf& leaf : e.leaves)
        out += indent + "\t<" + leaf.name + ">" + leaf.value + "</" + leaf.name + ">\r\n";
    for (const auto& child : e.children) Write(*child, depth + 1, out);
    out += indent + "</" + e.name + ">\r\n";
}

} // namespace

CKeyElement* CKeyElement::FindChild(const std::string& n) const {
    const auto it = m_firstChild.find(n);
    return it == m_firstChild.end() ? nullptr : it->second;
}

CKeyElement* CKeyElement::AddChild(std::unique_ptr<CKeyElement> child) {
    child->parent = this;
    children.push_back(std::move(child));
    CKeyElement* added = children.back().get();
    m_firstChild.emplace(added->name, added);
    return added;
}

CKeyLeaf* CKeyElement::FindLeaf(const std::string& n) {
    for (CKeyLeaf& l : leaves)
        if (l.name == n) return &l;
    return nullptr;
}

const CKeyLeaf* CKeyElement::FindLeaf(const std::string& n) const {
    return const_cast<CKeyElement*>(this)->FindLeaf(n);
}

CKeyDoc::CKeyDoc() : m_root(std::make_unique<CKeyElement>()) {}

void CKeyDoc::Clear() { m_root = std::make_unique<CKeyElement>(); }

bool CKeyDoc::Parse(const char* text, std::size_t length) {
    Clear();
    if (!text || length == 0) return false;
    const std::string copy(text, length);
    CKeyDocBuilder builder(*m_root);
    Scanner(copy, builder).Region(0, copy.size(), 0);
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

const CKeyLeaf* CKeyDoc::Find(const std::string& path) const {
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.size() < 2 || parts[0] != m_root->name) return nullptr;
    const CKeyElement* e = m_root.get();
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        e = e->FindChild(parts[i]);
        if (!e) return nullptr;
    }
    return e->FindLeaf(parts.back());
}

const CKeyElement* CKeyDoc::FindElement(const std::string& elementPath) const {
    const std::vector<std::string> parts = SplitPath(elementPath);
    if (parts.empty() || parts[0] != m_root->name) return nullptr;
    const CKeyElement* e = m_root.get();
    for (std::size_t i = 1; i < parts.size() && e; ++i)
        e = e->FindChild(parts[i]);
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
    for (const auto& child : e->children) {
        const std::string& name = child->name;
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
        out = leaf->value;
        return true;
    }
    out = fallback;
    return false;
}

namespace {
template <typename T> bool GetTyped(const CKeyLeaf* leaf, T& out, T fallback) {
    if (leaf && Convert(leaf->value, out)) return true;
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
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.size() < 2) return;
    if (parts[0] != m_root->name) {
        m_root->name = parts[0];
        m_root->attributes.clear();
    }
    CKeyElement* e = m_root.get();
    for (std::size_t i = 1; i + 1 < parts.size(); ++i) {
        CKeyElement* next = e->FindChild(parts[i]);
        if (!next) {
            auto child = std::make_unique<CKeyElement>();
            child->name = parts[i];
            next = e->AddChild(std::move(child));
        }
        e = next;
    }
    if (CKeyLeaf* leaf = e->FindLeaf(parts.back())) {
        leaf->value = value;
        leaf->attributes.clear();
    } else {
        e->leaves.push_back({parts.back(), value, std::string()});
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
