#include "voltmeter.h"

namespace ampera {

namespace {
// Half-size digits at the bottom right of the 50 x 50 body.
const CDisplayWindow kWindow{3, 30, 0, 0, 0.5f};
// The overload warning every device posts.
constexpr const char* kOverloadWarning = "当前电路有若干个器材短路或过载";
} // namespace

const CDeviceKind CVoltmeter::kKind{
    .typeCode = TYPE_VOLTMETER,
    .category = CATEGORY_METER,
    .namePrefix = "直流电压表",
    .bodyPicture = "pic_zxf\\voltagemeter.bmp",
    .body = geometry::kFileVoltmeter,
    .propertyGroup = GROUP_PLAIN,
};
const CDeviceKind CAmmeter::kKind{
    .typeCode = TYPE_AMMETER,
    .category = CATEGORY_METER,
    .namePrefix = "",
    .bodyPicture = "pic_zxf\\currentmeter.bmp",
    .body = geometry::kFileAmmeter,
    .propertyGroup = GROUP_PLAIN,
};

CFileMeter::CFileMeter(const CDeviceKind& kind, bool readsCurrent, int firstRange, int lastRange)
    : CDevice(kind), m_readsCurrent(readsCurrent), m_firstRange(firstRange), m_lastRange(lastRange) {}

void CFileMeter::Update(const CUpdateContext& context) {
    m_text.clear();
    m_shownRange = -1;
    if (m_branches.empty()) {
        LayOutDisplay(*this, kWindow, m_text, nullptr);
        return;
    }
    const CQuantity& q =
        m_readsCurrent ? m_branches.front()->m_result.m_elec : m_branches.front()->m_result.m_vol;
    const float value = static_cast<float>(q.Steady());
    CReading reading;
    for (int index = m_firstRange; index <= m_lastRange; ++index) {
        reading = FormatMultimeter(value, index);
        m_shownRange = index;
        if (reading.status != FORMAT_OVER) break;
    }
    if (reading.status == FORMAT_OVER) context.Warn(kOverloadWarning);
    m_text = reading.text;
    LayOutDisplay(*this, kWindow, m_text, nullptr);
}

CVoltmeter::CVoltmeter() : CFileMeter(kKind, false, 0, 4) {
    m_internalResistance = 999999;
}
CAmmeter::CAmmeter() : CFileMeter(kKind, true, 5, 8) {
    m_internalResistance = 0.01f;
}

} // namespace ampera
