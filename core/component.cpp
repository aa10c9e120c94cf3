#include "component.h"

#include "topology.h"

#include "document/keydoc.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>

namespace ampera {

namespace {
std::atomic<int> g_nextSequence{0};
std::atomic<std::uint64_t> g_nextCreation{0};
} // namespace

int CComponent::NextSequence() {
    int n = g_nextSequence.load();
    // Past the largest id the counter stays put rather than wrapping into
    // negative numbers; ids then repeat, which loading tolerates.
    while (n < INT_MAX && !g_nextSequence.compare_exchange_weak(n, n + 1)) {
    }
    return n;
}

void CComponent::NoteSequence(int loaded) {
    if (loaded < 0) return;
    int want = loaded == INT_MAX ? INT_MAX : loaded + 1;
    int cur = g_nextSequence.load();
    while (cur < want && !g_nextSequence.compare_exchange_weak(cur, want)) {
    }
}

CComponent::CComponent(int cat, int typeCode)
    : category(cat), m_id(NextSequence()), m_typeCode(typeCode), m_creationOrder(g_nextCreation++) {}

CComponent::~CComponent() = default;

void CComponent::SetId(int id) {
    m_id = id;
    NoteSequence(id);
}

void CComponent::Persist(CKeyDoc&, bool, const std::string&) {}

std::string CComponent::StorableText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "\xEF\xBC\x9C"; // U+FF1C
        else if (c == '>')
            out += "\xEF\xBC\x9E"; // U+FF1E
        else
            out += c;
    }
    return out;
}

void CComponent::PersistIdentity(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (!loading) {
        doc.SetString(prefix + ":NAME", StorableText(m_name));
        doc.SetInt(prefix + ":SEQUENCE", m_id);
        return;
    }
    doc.GetString(prefix + ":NAME", m_name, "没有名字");
    int id = 0;
    doc.GetInt(prefix + ":SEQUENCE", id, 0);
    SetId(id);
}

bool CComponent::HitTest(int, int) const {
    return false;
}
CComponent* CComponent::CloneAt(int, int) {
    return nullptr;
}
void CComponent::BuildBranches(CTopologyBuilder&) {}

CNode::CNode() : CComponent(CATEGORY_NODE, TYPE_NODE) {
    m_name = "节点";
    m_boardGroup.itemsB.push_back(CDrawItem::Quad(-6, -6, 6, 6, kPicture));
}

void CNode::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    m_name = "节点";
    const std::string count = prefix + ":CONNECT_COMPONENTID_NUM";
    if (!loading) {
        PersistIdentity(doc, false, prefix);
        int k = 0;
        for (std::size_t a = 0; a < m_attached.size(); ++a) {
            CComponent* device = m_attached[a];
            if (!device || device->Category() == CATEGORY_WIRE || device->Category() == CATEGORY_NODE)
                continue;
            // The node lists a device once for each of its terminals here: the
            // n-th listing stands for the n-th such terminal.
            const auto listing =
                std::count(m_attached.begin(), m_attached.begin() + static_cast<long>(a), device);
            int location = -1;
            long seen = 0;
            for (std::size_t i = 0; i < device->m_terminals.size() && location < 0; ++i)
                if (device->m_terminals[i] == this && seen++ == listing) location = static_cast<int>(i);
            // A listing no terminal stands for links nothing.
            if (location < 0) continue;
            const std::string entry = count + std::to_string(k++);
            doc.SetInt(entry + ":CONID", device->Id());
            doc.SetInt(entry + ":LOCATIONIDX", location);
        }
        doc.SetInt(count, k);
        doc.SetInt(prefix + ":XPOS", m_x);
        doc.SetInt(prefix + ":YPOS", m_y);
        return;
    }
    PersistIdentity(doc, true, prefix);
    int n = 0;
    doc.GetInt(count, n, 0);
    // Only the entries the file really holds are read, in number order: a
    // count can claim more than there are, and numbers can be missing.
    m_pendingLinks.clear();
    for (const std::uint32_t k : doc.NumberedChildren(prefix, "CONNECT_COMPONENTID_NUM", n)) {
        const std::string entry = count + std::to_string(k);
        int id = 0, location = 0;
        doc.GetInt(entry + ":CONID", id, 0);
        doc.GetInt(entry + ":LOCATIONIDX", location, 0);
        m_pendingLinks.emplace_back(id, location);
    }
    int x = 0, y = 0;
    doc.GetInt(prefix + ":XPOS", x, 0);
    doc.GetInt(prefix + ":YPOS", y, 0);
    SetPosition(x, y);
}

void CNode::SetPosition(int x, int y) {
    m_x = x;
    m_y = y;
    m_boardGroup.itemsB.front().SetRect(static_cast<float>(x - 6), static_cast<float>(y - 6),
                                        static_cast<float>(x + 6), static_cast<float>(y + 6));
}

void CWire::RebuildLines() {
    auto& items = m_boardGroup.itemsB;
    items.clear();
    for (std::size_t i = 0; i + 1 < m_points.size(); ++i) {
        CDrawItem line;
        line.flags = DRAW_LINE | DRAW_TINT | DRAW_SUBMITTED | DRAW_GENERATION | DRAW_OWNER_40;
        line.colour = m_colour;
        line.SetRect(static_cast<float>(m_points[i].x), static_cast<float>(m_points[i].y),
                     static_cast<float>(m_points[i + 1].x), static_cast<float>(m_points[i + 1].y));
        items.push_back(line);
    }
}

CWire::CWire() : CComponent(CATEGORY_WIRE, TYPE_WIRE) {
    m_name = "导线";
    m_id = -1; // wires are found through their end nodes, never by id
}

void CWire::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    m_name = "导线";
    const std::string points = prefix + ":POINTNUM";
    if (!loading) {
        m_id = -1;
        PersistIdentity(doc, false, prefix);
        doc.SetInt(prefix + ":LEFTNODE", m_nodeA ? m_nodeA->Id() : -1);
        doc.SetInt(prefix + ":RIGHTNODE", m_nodeB ? m_nodeB->Id() : -1);
        doc.SetInt(points, static_cast<int>(m_points.size()));
        for (std::size_t i = 0; i < m_points.size(); ++i) {
            doc.SetInt(points + std::to_string(i) + ":XPOS", m_points[i].x);
            doc.SetInt(points + std::to_string(i) + ":YPOS", m_points[i].y);
        }
        doc.SetUInt(prefix + ":WIRECOLOR", m_colour);
        return;
    }
    m_boardGroup.itemsB.clear();
    m_points.clear();
    PersistIdentity(doc, true, prefix);
    m_id = -1;
    doc.GetInt(prefix + ":LEFTNODE", m_pendingLeft, 0);
    doc.GetInt(prefix + ":RIGHTNODE", m_pendingRight, 0);
    int n = 0;
    doc.GetInt(points, n, 0);
    // As with a node's links: the points the file holds, in number order.
    for (const std::uint32_t i : doc.NumberedChildren(prefix, "POINTNUM", n)) {
        CPoint p;
        doc.GetInt(points + std::to_string(i) + ":XPOS", p.x, 0);
        doc.GetInt(points + std::to_string(i) + ":YPOS", p.y, 0);
        m_points.push_back(p);
    }
    doc.GetUInt(prefix + ":WIRECOLOR", m_colour, 255);
}

namespace {

double SegmentDistance(CPoint a, CPoint b, double x, double y) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return std::sqrt(px * px + py * py);
}

} // namespace

bool CWire::HitTest(int x, int y) const {
    for (std::size_t i = 0; i + 1 < m_points.size(); ++i)
        if (SegmentDistance(m_points[i], m_points[i + 1], x, y) <= kReach) return true;
    return false;
}

CWire::CWire(CNode* a, CNode* b) : CWire() {
    m_nodeA = a;
    m_nodeB = b;
    if (a && b) {
        m_points = {a->Position(), b->Position()};
        RebuildLines();
    }
}

} // namespace ampera
