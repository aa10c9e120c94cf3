// The key-path document: lookups with stream-input conversion, stores that
// create what is missing, the tag text it writes, and every quirk of its reader.
#include "document/keydoc.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <random>
#include <string_view>
#include <vector>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace ampera {
namespace {

CKeyDoc Parsed(const std::string& text) {
    CKeyDoc doc;
    EXPECT_TRUE(doc.Parse(text));
    return doc;
}

struct ReadCase {
    const char* name;
    const char* text;
    const char* path;
    bool found;
    int value; // GetInt result (the default 99 when not found)
};
inline void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class Reads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Reads, GetInt) {
    const ReadCase& c = GetParam();
    CKeyDoc doc = Parsed(c.text);
    int out = -1;
    EXPECT_EQ(doc.GetInt(c.path, out, 99), c.found);
    EXPECT_EQ(out, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Reads,
    ::testing::Values(ReadCase{"Plain", "<A><B>1</B></A>", "A:B", true, 1},
                      ReadCase{"WrongRoot", "<A><B>1</B></A>", "X:B", false, 99},
                      ReadCase{"MissingLeaf", "<A><B>1</B></A>", "A:C", false, 99},
                      ReadCase{"TrailingTab", "<A><B>4\t</B></A>", "A:B", true, 4},
                      ReadCase{"LeadingWhiteSpace", "<A><B>\r\n  -7x</B></A>", "A:B", true, -7},
                      ReadCase{"FractionAsInteger", "<A><B>12.75</B></A>", "A:B", true, 12},
                      ReadCase{"Letters", "<A><B>abc</B></A>", "A:B", false, 99},
                      ReadCase{"Empty", "<A><B></B><C>1</C></A>", "A:B", false, 99},
                      ReadCase{"LaterLeafReplaces", "<A><B>1</B><B>2</B></A>", "A:B", true, 2},
                      ReadCase{"FirstOfTwoElements", "<A><C><X>1</X></C><C><X>2</X></C></A>", "A:C:X", true, 1},
                      ReadCase{"NestedSameName", "<A><A><B>1</B></A></A>", "A:A:B", true, 1},
                      ReadCase{"DeclarationAndComment", "<?xml version=\"1.0\"?><!-- note --><A><B>5</B></A>", "A:B",
                               true, 5},
                      ReadCase{"DoctypeStopsTheRead", "<!DOCTYPE x><A><B>5</B></A>", "A:B", false, 99},
                      ReadCase{"UnclosedInsideElement", "<R><A><B>1</B><C>2</A><D>3</D></R>", "R:D", true, 3},
                      ReadCase{"UnclosedLeafSkipped", "<R><A><B>1</B><C>2</A><D>3</D></R>", "R:A:C", false, 99},
                      ReadCase{"SelfClosingLeaf", "<A><E/><B>1</B></A>", "A:B", true, 1},
                      ReadCase{"AttributesIgnored", "<A x=\"1\"><B y=\"2\">8</B></A>", "A:B", true, 8},
                      ReadCase{"TwoTopLevelElements", "<A><B>1</B></A><C><D>2</D></C>", "C:B", true, 1},
                      ReadCase{"EmptyNameIsTransparent", "<A><><B>6</B></></A>", "A:B", true, 6},
                      ReadCase{"IntOverflow", "<A><B>99999999999</B></A>", "A:B", false, 99}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyDoc, StringsComeBackUnchanged) {
    CKeyDoc doc = Parsed("<A><B>4\t</B><E/></A>");
    std::string s;
    EXPECT_TRUE(doc.GetString("A:B", s, "d"));
    EXPECT_EQ(s, "4\t");
    EXPECT_TRUE(doc.GetString("A:E", s, "d"));
    EXPECT_EQ(s, "");
    EXPECT_FALSE(doc.GetString("A:Z", s, "d"));
    EXPECT_EQ(s, "d");
}

TEST(KeyDoc, TypedReads) {
    CKeyDoc doc = Parsed("<A><F>2.5e-007</F><T>1</T><Z>0</Z><N>2</N><U>4000000000</U></A>");
    float f = 0;
    EXPECT_TRUE(doc.GetFloat("A:F", f, 1));
    EXPECT_FLOAT_EQ(f, 2.5e-7f);
    bool b = false;
    EXPECT_TRUE(doc.GetBool("A:T", b, false));
    EXPECT_TRUE(b);
    EXPECT_TRUE(doc.GetBool("A:Z", b, true));
    EXPECT_FALSE(b);
    EXPECT_FALSE(doc.GetBool("A:N", b, true));
    EXPECT_TRUE(b);
    std::uint32_t u = 0;
    EXPECT_TRUE(doc.GetUInt("A:U", u, 0));
    EXPECT_EQ(u, 4000000000u);
}

TEST(KeyDoc, EmptyTextParsesToNothing) {
    CKeyDoc doc;
    EXPECT_FALSE(doc.Parse(""));
    int v = 0;
    EXPECT_FALSE(doc.GetInt(":X", v, 3));
    EXPECT_EQ(v, 3);
}

// Lookups remember the element they found; a store, a parse and a move
// must not leave them looking at the wrong one.
TEST(KeyDoc, LookupsSeeWhatStoresParsesAndMovesChanged) {
    CKeyDoc doc;
    doc.SetInt("A:X", 1);
    int v = 0;
    EXPECT_FALSE(doc.GetInt("A:B:Y", v, -1)) << "A:B is not there yet";
    doc.SetInt("A:B:Y", 2);
    EXPECT_TRUE(doc.GetInt("A:B:Y", v, -1));
    EXPECT_EQ(v, 2);
    doc.SetInt("A:B:Y", 3);
    EXPECT_TRUE(doc.GetInt("A:B:Y", v, -1));
    EXPECT_EQ(v, 3);

    ASSERT_TRUE(doc.Parse("<A><B><Y>4</Y></B></A>"));
    EXPECT_TRUE(doc.GetInt("A:B:Y", v, -1));
    EXPECT_EQ(v, 4);

    CKeyDoc other;
    ASSERT_TRUE(other.Parse("<A><B><Y>5</Y></B></A>"));
    EXPECT_TRUE(other.GetInt("A:B:Y", v, -1));
    doc = std::move(other);
    EXPECT_TRUE(doc.GetInt("A:B:Y", v, -1));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(other.GetInt("A:B:Y", v, -1)) << "a moved-from document is empty";
}

TEST(KeyDoc, StoresCreateWhatIsMissingAndRenameTheRoot) {
    CKeyDoc doc;
    doc.SetInt("COMPONENT:RESISTANCE:NUM", 0);
    EXPECT_EQ(doc.Root().name, "COMPONENT");
    doc.SetString("DEVICEWINDOW:X", "y");
    EXPECT_EQ(doc.Root().name, "DEVICEWINDOW");
    int n = -1;
    EXPECT_TRUE(doc.GetInt("DEVICEWINDOW:RESISTANCE:NUM", n, -1));
    EXPECT_EQ(n, 0);
}

TEST(KeyDoc, ValueTexts) {
    CKeyDoc doc;
    doc.SetFloat("A:F1", 1000);
    doc.SetFloat("A:F2", 0.5f);
    doc.SetFloat("A:F3", 2.5e-7f);
    doc.SetBool("A:B", true);
    doc.SetInt("A:I", -12);
    doc.SetUInt("A:U", 4000000000u);
    std::string s;
    doc.GetString("A:F1", s, "");
    EXPECT_EQ(s, "1000");
    doc.GetString("A:F2", s, "");
    EXPECT_EQ(s, "0.5");
    doc.GetString("A:F3", s, "");
    EXPECT_EQ(s.substr(0, 5), "2.5e-");
    doc.GetString("A:B", s, "");
    EXPECT_EQ(s, "1");
    doc.GetString("A:I", s, "");
    EXPECT_EQ(s, "-12");
    doc.GetString("A:U", s, "");
    EXPECT_EQ(s, "4000000000");
}

TEST(KeyDoc, WritesTabIndentedLinesWithLeavesFirst) {
    CKeyDoc doc;
    doc.SetInt("A:X", 1);
    doc.SetFloat("A:B:Y", 2.5f);
    doc.SetString("A:B:C:Z", "text");
    EXPECT_EQ(doc.ToText(), "<A>\r\n"
                            "\t<X>1</X>\r\n"
                            "\t<B>\r\n"
                            "\t\t<Y>2.5</Y>\r\n"
                            "\t\t<C>\r\n"
                            "\t\t\t<Z>text</Z>\r\n"
                            "\t\t</C>\r\n"
                            "\t</B>\r\n"
                            "</A>\r\n");
}

TEST(KeyDoc, SaveAndParseGiveTheSameTree) {
    CKeyDoc doc = Parsed("<R a=\"1\"><C><X>1</X></C><C><X>2</X></C><L>电阻</L><E/></R>");
    const std::string text = doc.ToText();
    CKeyDoc again = Parsed(text);
    EXPECT_EQ(again.ToText(), text);
    ASSERT_EQ(again.Root().children.size(), 2u) << "both elements named C are written back";
    EXPECT_EQ(again.Root().children[1]->leaves[0].value, "2");
    EXPECT_TRUE(again.Root().attributes.empty());

    const auto path = std::filesystem::temp_directory_path() / "ampera_keydoc_test.txt";
    ASSERT_TRUE(doc.SaveToFile(path.string()));
    std::ifstream in(path, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    EXPECT_EQ(read.str(), text);
    std::filesystem::remove(path);
    EXPECT_FALSE(doc.SaveToFile("/nonexistent-folder/x.vtx"));
}

TEST(KeyDoc, DeepNestingIsCutOffNotFollowed) {
    std::string text;
    const int depth = 100000;
    for (int i = 0; i < depth; ++i) text += "<a>";
    text += "<b>1</b>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    CKeyDoc doc = Parsed(text);
    EXPECT_EQ(doc.Root().name, "a");
    int v = 0;
    EXPECT_FALSE(doc.GetInt("a:b", v, 0));
}

TEST(KeyDoc, NumberedChildrenArePlainNumbersBelowTheBoundEachOnce) {
    CKeyDoc doc;
    doc.Parse("<A><L><N>9</N><N3><x>1</x></N3><N1><x>1</x></N1><N3><x>1</x></N3><N03><x>1</x></N03>"
              "<M2><x>1</x></M2><N7><x>1</x></N7><N0><x>1</x></N0></L></A>");
    EXPECT_EQ(doc.NumberedChildren("A:L", "N", 7), (std::vector<std::uint32_t>{0, 1, 3}));
    EXPECT_EQ(doc.NumberedChildren("A:L", "N", 1LL << 40), (std::vector<std::uint32_t>{0, 1, 3, 7}));
    EXPECT_TRUE(doc.NumberedChildren("A:L", "N", 0).empty());
    EXPECT_TRUE(doc.NumberedChildren("A:L", "N", -5).empty());
    EXPECT_TRUE(doc.NumberedChildren("A:Nothing", "N", 10).empty());
    EXPECT_TRUE(doc.NumberedChildren("B:L", "N", 10).empty());
}

TEST(KeyDoc, ExactFloatsReadBackAsTheSameFloat) {
    CKeyDoc doc;
    for (float v : {1234567.0f, 9999999.0f, 0.1f, 0.123456789f, 2.0f, 1e-5f}) {
        doc.SetFloatExact("A:V", v);
        float back = 0;
        ASSERT_TRUE(doc.GetFloat("A:V", back, 0));
        EXPECT_EQ(back, v);
    }
    doc.SetFloatExact("A:V", 0.5f);
    std::string text;
    doc.GetString("A:V", text, "");
    EXPECT_EQ(text, "0.5") << "no digits beyond what the float needs";
}

} // namespace
} // namespace ampera

namespace ampera {
namespace {

// The reader's rules in their plainest form, searching the text afresh for
// every tag: the reference the reader's shortcuts are held to.
struct RefElement {
    std::string name, attributes;
    std::vector<std::array<std::string, 3>> leaves; // name, value, attributes
    std::vector<std::unique_ptr<RefElement>> children;
    RefElement* parent = nullptr;
};

class RefScanner {
public:
    RefScanner(const std::string& text, RefElement& root) : m_text(text), m_root(root) {}

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
                Leaf(name, "", attributes);
                pos = gt + 1;
                continue;
            }
            const std::string open = "<" + name + ">", close = "</" + name + ">";
            std::size_t candidate = Find(close, gt + 1, end);
            std::size_t from = gt + 1;
            while (candidate != std::string::npos) {
                const std::size_t inner = Find(open, from, candidate);
                if (inner == std::string::npos) break;
                from = inner + open.size();
                candidate = Find(close, candidate + close.size(), end);
            }
            if (candidate == std::string::npos) return;
            const std::size_t contentBegin = gt + 1, contentEnd = candidate;
            const bool nested = m_text.find('<', contentBegin) < contentEnd;
            if (name.empty()) {
                if (depth < CKeyDoc::kMaxDepth) Region(contentBegin, contentEnd, depth + 1);
            } else if (nested) {
                if (!m_current) {
                    m_root.name = name;
                    m_root.attributes = attributes;
                    m_current = &m_root;
                } else {
                    auto child = std::make_unique<RefElement>();
                    child->name = name;
                    child->attributes = attributes;
                    child->parent = m_current;
                    m_current->children.push_back(std::move(child));
                    m_current = m_current->children.back().get();
                }
                if (depth < CKeyDoc::kMaxDepth) Region(contentBegin, contentEnd, depth + 1);
                if (m_current) m_current = m_current->parent;
            } else {
                Leaf(name, m_text.substr(contentBegin, contentEnd - contentBegin), attributes);
            }
            pos = candidate + close.size();
        }
    }

private:
    std::size_t Find(const std::string& what, std::size_t from, std::size_t end) const {
        if (from >= end) return std::string::npos;
        const std::size_t at = std::string_view(m_text).substr(from, end - from).find(what);
        return at == std::string_view::npos ? std::string::npos : from + at;
    }
    void Leaf(const std::string& name, const std::string& value, const std::string& attributes) {
        if (!m_current) return;
        for (auto& leaf : m_current->leaves)
            if (leaf[0] == name) {
                leaf[1] = value;
                leaf[2] = attributes;
                return;
            }
        m_current->leaves.push_back({name, value, attributes});
    }

    const std::string& m_text;
    RefElement& m_root;
    RefElement* m_current = nullptr;
};

void Dump(const RefElement& e, std::string& out) {
    out += "(" + e.name + "|" + e.attributes;
    for (const auto& leaf : e.leaves)
        out += "[" + leaf[0] + "=" + leaf[1] + "|" + leaf[2] + "]";
    for (const auto& child : e.children)
        Dump(*child, out);
    out += ")";
}

void Dump(const CKeyElement& e, std::string& out) {
    out.append("(").append(e.name).append("|").append(e.attributes);
    for (const CKeyLeaf& leaf : e.leaves)
        out.append("[").append(leaf.name).append("=").append(leaf.value).append("|").append(leaf.attributes).append("]");
    for (const CKeyElement* child : e.children)
        Dump(*child, out);
    out += ")";
}

TEST(KeyDoc, ReadsTagSoupAsThePlainRulesDo) {
    std::mt19937 random(12111);
    const char* pieces[] = {"<A>", "</A>", "<B>", "</B>", "<A x=1>", "<>", "</>", "<E/>", "<A/>", "1",
                            "x",   "<",    ">",   "/",    " ",       "<!-- c -->", "<?xml v?>", "</B",
                            "<//A>", "<A", "\t", "<<A>", "</<A>", "<B y>", "</A x>"};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 24);
        for (int k = 0; k < count; ++k)
            text += pieces[random() % std::size(pieces)];
        RefElement ref;
        RefScanner(text, ref).Region(0, text.size(), 0);
        std::string expected, got;
        Dump(ref, expected);
        CKeyDoc doc;
        doc.Parse(text);
        Dump(doc.Root(), got);
        ASSERT_EQ(got, expected) << text;
    }
}

} // namespace
} // namespace ampera
