#include "component.h"

#include "topology.h"

#include <atomic>
#include <climits>

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

bool CComponent::HitTest(int, int) const { return false; }
CComponent* CComponent::CloneAt(int, int) { return nullptr; }
void CComponent::BuildBranches(CTopologyBuilder&) {}

CNode::CNode() : CComponent(CATEGORY_NODE, TYPE_NODE) {
    m_boardGroup.itemsB.push_back(CDrawItem::Quad(-6, -6, 6, 6, kPicture));
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

CWire::CWire() : CComponent(CATEGORY_WIRE, TYPE_WIRE) {}

CWire::CWire(CNode* a, CNode* b) : CWire() {
    m_nodeA = a;
    m_nodeB = b;
    if (a && b) {
        m_points = {a->Position(), b->Position()};
        RebuildLines();
    }
}

} // namespace ampera
