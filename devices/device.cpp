#include "device.h"

#include "core/experiment.h"

#include <array>

namespace ampera {

CDevice::CDevice(const CDeviceKind& kind) : CComponent(kind.category, kind.typeCode), m_name(kind.namePrefix), m_kind(kind) {
    SetRegion(0, 0, static_cast<float>(kind.width), static_cast<float>(kind.height));
}

namespace {
// Running numbers for names, one per kind; never reset, not even by loading.
std::array<int, TYPE_LAST + 1> g_runningNumber{};
} // namespace

CComponent* CDevice::CloneAt(int x, int y) { return PlaceAt(CExperiment::GetExperiment(), x, y); }

CDevice* CDevice::PlaceAt(CExperiment& experiment, int x, int y) {
    auto* device = dynamic_cast<CDevice*>(experiment.CreateObject(TypeCode()));
    if (!device) return nullptr;
    const int w = m_kind.width, h = m_kind.height;
    device->SetRegion(static_cast<float>(x - w / 2), static_cast<float>(y - h / 2), static_cast<float>(x + w / 2),
                      static_cast<float>(y + h / 2));
    device->m_name = m_kind.namePrefix + std::to_string(++g_runningNumber[TypeCode()]);
    experiment.AddObject(device, false);
    const int left = x - w / 2, top = y - h / 2;
    for (const CPoint& offset : m_kind.terminals) {
        auto* node = static_cast<CNode*>(experiment.CreateObject(TYPE_NODE));
        node->m_x = left + offset.x;
        node->m_y = top + offset.y;
        node->m_attached.push_back(device);
        device->m_terminals.push_back(node);
        experiment.AddObject(node, false);
    }
    experiment.MarkTopologyDirty();
    return device;
}

bool CDevice::HitTest(int x, int y) const {
    return m_region[0] < x && x < m_region[2] && m_region[1] < y && y < m_region[3];
}

void CDevice::SetRegion(float left, float top, float right, float bottom) {
    m_region[0] = left;
    m_region[1] = top;
    m_region[2] = right;
    m_region[3] = bottom;
}

void CDevice::GetRegion(float& left, float& top, float& right, float& bottom) const {
    left = m_region[0];
    top = m_region[1];
    right = m_region[2];
    bottom = m_region[3];
}

} // namespace ampera
