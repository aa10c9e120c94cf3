// Adding, removing and restoring board objects.
#include "board_fixture.h"

#include "devices/capacitance.h"
#include "devices/resistance.h"

namespace ampera::testing {
namespace {

using ExperimentTest = BoardTest;

TEST_F(ExperimentTest, PlacingAddsTheDeviceAndItsTerminalNodes) {
    auto* r = Place<CResistance>();
    EXPECT_EQ(ex.Devices().size(), 1u);
    EXPECT_EQ(ex.Nodes().size(), 2u);
    EXPECT_EQ(ex.AllObjects().size(), 3u);
    EXPECT_EQ(T(r, 0)->m_attached, (std::vector<CComponent*>{r}));
    EXPECT_EQ(T(r, 0)->m_x, 500 - 51 - 6);
    EXPECT_EQ(T(r, 1)->m_y, 400 - 10 + 10);
    EXPECT_EQ(r->Experiment(), &ex);
    EXPECT_EQ(ex.m_topologyDirty, 1);
}

TEST_F(ExperimentTest, RemovingAWireDropsEndsThatHoldNothingElse) {
    auto* r = Place<CResistance>();
    auto* loose = new CNode();
    ex.AddObject(loose, false);
    CWire* w = Wire(T(r, 0), loose);
    ex.RemoveObject(w);
    EXPECT_FALSE(ex.Contains(w));
    EXPECT_FALSE(ex.Contains(loose)) << "the loose end joined nothing else";
    EXPECT_TRUE(ex.Contains(T(r, 0))) << "the resistor's terminal stays";
    EXPECT_EQ(T(r, 0)->m_attached, (std::vector<CComponent*>{r}));

    ex.ReinsertObject(w);
    EXPECT_TRUE(ex.Contains(w));
    EXPECT_TRUE(ex.Contains(loose));
    EXPECT_EQ(T(r, 0)->m_attached, (std::vector<CComponent*>{r, w}));
    EXPECT_EQ(loose->m_attached, (std::vector<CComponent*>{w}));
    EXPECT_EQ(ex.m_topologyDirty, 1);
    Update();
    EXPECT_EQ(w->m_branches.size(), 1u);
}

// A wire being drawn can be the selection when the drawing is cancelled and
// the wire freed: the selection must not keep pointing at it.
TEST_F(ExperimentTest, RemovingTheSelectionOrItsLooseEndClearsTheSelection) {
    auto* r = Place<CResistance>();
    auto* loose = new CNode();
    ex.AddObject(loose, false);
    CWire* w = Wire(T(r, 0), loose);
    for (CComponent* selected : {static_cast<CComponent*>(w), static_cast<CComponent*>(loose)}) {
        ex.m_boardState.selection = selected;
        ex.RemoveObject(w);
        EXPECT_EQ(ex.m_boardState.selection, nullptr);
        ex.ReinsertObject(w);
    }
    ex.m_boardState.selection = r;
    ex.RemoveObject(w);
    EXPECT_EQ(ex.m_boardState.selection, r) << "a selection still on the board stays";
    ex.ReinsertObject(w); // the board frees what it holds
}

TEST_F(ExperimentTest, RemovingADeviceKeepsWiredTerminals) {
    auto* a = Place<CResistance>();
    auto* b = Place<CResistance>();
    CWire* w = Wire(a, 1, b, 0);
    T(a, 1)->m_wiringMark = 1;
    Update();
    ex.RemoveObject(a);
    EXPECT_FALSE(ex.Contains(a));
    EXPECT_FALSE(ex.Contains(T(a, 0)));
    EXPECT_TRUE(ex.Contains(T(a, 1)));
    EXPECT_EQ(T(a, 1)->m_attached, (std::vector<CComponent*>{w}));
    EXPECT_EQ(T(a, 1)->m_wiringMark, 0);
    EXPECT_TRUE(a->m_branches.empty()) << "no results while off the board";

    ex.ReinsertObject(a);
    Update();
    EXPECT_TRUE(ex.Contains(T(a, 0)));
    EXPECT_EQ(T(a, 1)->m_attached, (std::vector<CComponent*>{w, a}));
    EXPECT_EQ(a->m_branches.size(), 1u);
    (void)b;
}

TEST_F(ExperimentTest, SetsIterateInCreationOrder) {
    std::vector<CComponent*> made;
    for (int i = 0; i < 20; ++i)
        made.push_back(i % 2 ? static_cast<CComponent*>(Place<CResistance>()) : Place<CCapacitance>());
    std::vector<CComponent*> seen(ex.Devices().begin(), ex.Devices().end());
    EXPECT_EQ(seen, made);
}

TEST_F(ExperimentTest, ClearExperimentEmptiesTheBoard) {
    auto* r = Place<CResistance>();
    ex.m_boardState.selection = r;
    ex.m_boardState.pendingDevice = r;
    ex.m_abstractName = "实验一";
    ex.ClearExperiment();
    EXPECT_TRUE(ex.AllObjects().empty());
    EXPECT_TRUE(ex.Nodes().empty());
    EXPECT_EQ(ex.m_boardState.selection, nullptr);
    EXPECT_EQ(ex.m_boardState.pendingDevice, nullptr);
    EXPECT_TRUE(ex.m_abstractName.empty());
    Update();
}

TEST_F(ExperimentTest, SequenceNumbersStayAboveLoadedOnes) {
    auto* r = Place<CResistance>();
    r->SetId(1000000);
    auto* next = Place<CResistance>();
    EXPECT_GT(next->Id(), 1000000);
    r->SetId(2147483647);
    auto* last = Place<CResistance>();
    EXPECT_GE(last->Id(), 0) << "the counter never wraps to negative numbers";
}

TEST_F(ExperimentTest, NamesCountPerKind) {
    auto* a = Place<CResistance>();
    auto* c = Place<CCapacitance>();
    auto* b = Place<CResistance>();
    const int na = std::stoi(a->m_name.substr(1));
    EXPECT_EQ(a->m_name[0], 'R');
    EXPECT_EQ(b->m_name, "R" + std::to_string(na + 1));
    EXPECT_EQ(c->m_name[0], 'C');
}

} // namespace
} // namespace ampera::testing
