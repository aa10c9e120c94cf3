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

CNode::CNode() : CComponent(CATEGORY_NODE, TYPE_NODE) {}

CWire::CWire() : CComponent(CATEGORY_WIRE, TYPE_WIRE) {}

CWire::CWire(CNode* a, CNode* b) : CWire() {
    m_nodeA = a;
    m_nodeB = b;
}

} // namespace ampera
