// The registry of kinds: every kind is made with its own descriptor, placed
// with its own geometry, and lists itself once on the device bar.
#include "board_fixture.h"

#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace ampera::testing {
namespace {

using KindRegistryTest = BoardTest;

TEST_F(KindRegistryTest, EveryKindIsMadeAndPlacedByItsOwnDescriptor) {
    std::set<int> codes;
    for (const CKindEntry& entry : DeviceKinds()) {
        const CDeviceKind& kind = *entry.kind;
        SCOPED_TRACE("type code " + std::to_string(kind.typeCode));
        EXPECT_TRUE(codes.insert(kind.typeCode).second) << "one entry per type code";
        EXPECT_EQ(FindKind(kind.typeCode), &kind);
        EXPECT_EQ(CategoryOfType(kind.typeCode), kind.category);

        std::unique_ptr<CComponent> made(CreateDevice(kind.typeCode));
        auto* device = dynamic_cast<CDevice*>(made.get());
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(&device->Kind(), &kind);
        EXPECT_EQ(device->TypeCode(), kind.typeCode);

        CDevice* placed = device->PlaceAt(ex, 500, 400);
        ASSERT_NE(placed, nullptr);
        EXPECT_EQ(placed->m_region[2] - placed->m_region[0], kind.body.width / 2 * 2);
        EXPECT_EQ(placed->m_region[3] - placed->m_region[1], kind.body.height / 2 * 2);
        ASSERT_EQ(placed->m_terminals.size(), kind.body.terminalCount);
        for (std::size_t i = 0; i < kind.body.terminalCount; ++i) {
            const CPoint at = placed->m_terminals[i]->Position();
            EXPECT_EQ(at.x, static_cast<int>(placed->m_region[0]) + kind.body.terminals[i].x);
            EXPECT_EQ(at.y, static_cast<int>(placed->m_region[1]) + kind.body.terminals[i].y);
        }
    }
    // Nodes and wires are core objects without a kind; 14 and 15 are theirs.
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(TYPE_LAST + 1 - 2));
    for (int code : {static_cast<int>(TYPE_NODE), static_cast<int>(TYPE_WIRE), -1, TYPE_LAST + 1}) {
        EXPECT_EQ(FindKind(code), nullptr) << code;
        EXPECT_EQ(CreateDevice(code), nullptr) << code;
        EXPECT_EQ(PropertyGroupOf(code), GROUP_PLAIN) << code;
        EXPECT_FALSE(KindRotates(code)) << code;
    }
    EXPECT_EQ(CategoryOfType(TYPE_NODE), CATEGORY_NODE);
    EXPECT_EQ(CategoryOfType(TYPE_WIRE), CATEGORY_WIRE);
    EXPECT_EQ(CategoryOfType(TYPE_LAST + 1), -1);
}

TEST(KindRegistryBarTest, EachBarButtonHasOnePlaceAndIsCaptionedByItsPicture) {
    std::map<std::pair<int, int>, int> places;
    for (const CKindEntry& entry : DeviceKinds()) {
        const CBarEntry& bar = entry.kind->bar;
        if (bar.group == BAR_NONE) continue;
        SCOPED_TRACE(bar.caption);
        EXPECT_GE(bar.group, BAR_BASIC);
        EXPECT_LE(bar.group, BAR_SWITCHES);
        EXPECT_TRUE(places.emplace(std::make_pair(bar.group, bar.order), entry.kind->typeCode).second)
            << "two kinds share a place on the bar";
        EXPECT_EQ(std::string(bar.picture), std::string(bar.caption) + ".bmp");
    }
    EXPECT_EQ(places.size(), 20u) << "every kind a student can place is on the bar";
    // The orders on each page run 0, 1, 2, ... without gaps.
    std::map<int, int> perPage;
    for (const auto& [place, code] : places)
        EXPECT_EQ(place.second, perPage[place.first]++);
}

// A control set from code (an example file, the demo) looks and acts as if a
// hand had set it: its picture turns and the circuit is solved again.
TEST_F(KindRegistryTest, ControlsSetFromCodeShowTheirStateAndMarkTheCircuit) {
    auto* meter = Place<CDCVoltmeter>();
    ex.m_topologyDirty = 0;
    const CDrawItem before = *meter->m_range.Item(meter->m_panelGroup);
    meter->SetControl(meter->m_range, meter->m_range.m_maximum);
    EXPECT_EQ(meter->m_range.Position(), meter->m_range.m_maximum);
    EXPECT_NE(meter->m_range.Item(meter->m_panelGroup)->angle, before.angle) << "the needle turned";
    EXPECT_EQ(ex.m_topologyDirty, 1);

    auto* source = Place<CDCSource>();
    ex.m_topologyDirty = 0;
    const float offU = source->m_power.Item(source->m_panelGroup)->u[0];
    source->SetControl(source->m_power, true);
    EXPECT_TRUE(source->IsPowered());
    EXPECT_NE(source->m_power.Item(source->m_panelGroup)->u[0], offU) << "the button shows it is on";
    EXPECT_EQ(ex.m_topologyDirty, 1);
}

} // namespace
} // namespace ampera::testing
