// Experiment files: the exact text written, links through ids, the round
// trip, GBK bytes on disk, and hostile or broken files.
#include "core/experiment.h"
#include "devices/ammeter_plug_board.h"
#include "devices/diode.h"
#include "devices/kind_registry.h"
#include "devices/resistance.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ampera {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class ExperimentFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ampera_file_test_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (CExperiment* e : {&ex, &other})
            e->Solver().SetTraceStream(nullptr);
    }
    void TearDown() override { fs::remove_all(dir); }

    template <typename D> D* Place(CExperiment& e, int x = 300, int y = 200) {
        D prototype;
        return static_cast<D*>(prototype.PlaceAt(e, x, y));
    }
    fs::path dir;
    CExperiment ex, other;
};

TEST_F(ExperimentFileTest, EmptyExperimentText) {
    std::string expected = "<COMPONENT>\r\n\t<ABSTRACTNAME></ABSTRACTNAME>\r\n";
    for (const char* list : {"RESISTANCE", "METER", "ELECTRICITY", "SWITCH", "CAPACITANCE", "INDUCTANCE",
                             "SIGNALGENERATOR", "NODE", "WIRE"})
        expected += std::string("\t<") + list + ">\r\n\t\t<NUM>0</NUM>\r\n\t</" + list + ">\r\n";
    expected += "</COMPONENT>\r\n";
    const fs::path file = dir / "empty.vtx";
    ASSERT_TRUE(SaveFile(ex, file.string()));
    EXPECT_EQ(ReadBytes(file), expected);
}

TEST_F(ExperimentFileTest, NodesListDevicesAndWiresListNodes) {
    auto* d = Place<CDiode>(ex);
    auto* loose = new CNode();
    loose->SetPosition(10, 20);
    ex.AddObject(loose, false);
    CWire* w = ex.AddWire(d->m_terminals[1], loose);
    w->m_points.insert(w->m_points.begin() + 1, CPoint{50, 60});
    // The wire stands before the device in the node's list: the device is still entry 0.
    CNode* t0 = d->m_terminals[0];
    ex.AddWire(t0, loose);
    std::rotate(t0->m_attached.begin(), t0->m_attached.begin() + 1, t0->m_attached.end());
    ASSERT_EQ(t0->m_attached.back(), d);

    CKeyDoc doc = ExperimentDocument(ex);
    int n = -1, id = -1, loc = -1;
    // Node order is creation order: the diode's two terminals, then the loose node.
    EXPECT_TRUE(doc.GetInt("COMPONENT:NODE:NUM0:CONNECT_COMPONENTID_NUM", n, -1));
    EXPECT_EQ(n, 1);
    doc.GetInt("COMPONENT:NODE:NUM0:CONNECT_COMPONENTID_NUM0:CONID", id, -1);
    doc.GetInt("COMPONENT:NODE:NUM1:CONNECT_COMPONENTID_NUM0:LOCATIONIDX", loc, -1);
    EXPECT_EQ(id, d->Id());
    EXPECT_EQ(loc, 1);
    doc.GetInt("COMPONENT:NODE:NUM2:CONNECT_COMPONENTID_NUM", n, -1);
    EXPECT_EQ(n, 0) << "wires are not listed by nodes";
    int seq = 0, right = 0, points = 0;
    doc.GetInt("COMPONENT:WIRE:NUM0:SEQUENCE", seq, 0);
    doc.GetInt("COMPONENT:WIRE:NUM0:RIGHTNODE", right, 0);
    doc.GetInt("COMPONENT:WIRE:NUM0:POINTNUM", points, 0);
    EXPECT_EQ(seq, -1);
    EXPECT_EQ(right, loose->Id());
    EXPECT_EQ(points, 3);
    int x = 0;
    doc.GetInt("COMPONENT:WIRE:NUM0:POINTNUM1:XPOS", x, 0);
    EXPECT_EQ(x, 50);
    std::string name;
    doc.GetString("COMPONENT:METER:NUM0:NAME", name, "");
    EXPECT_EQ(name, d->m_name) << "the diode is in the METER list";
}

TEST_F(ExperimentFileTest, RoundTripRestoresObjectsLinksAndIds) {
    auto* d = Place<CDiode>(ex, 200, 100);
    auto* p = Place<CAmmeterPlugBoard>(ex, 400, 100);
    d->RotateLeft();
    ex.AddWire(d->m_terminals[1], p->m_terminals[0]);
    ex.AddWire(p->m_terminals[1], d->m_terminals[0]);
    ex.m_abstractName = "实验一";
    const fs::path file = dir / "board.vtx";
    ASSERT_TRUE(SaveFile(ex, file.string()));

    std::string error;
    ASSERT_TRUE(LoadFile(other, file.string(), 1000, &error)) << error;
    EXPECT_EQ(other.m_abstractName, "实验一");
    ASSERT_EQ(other.Devices().size(), 2u);
    ASSERT_EQ(other.Nodes().size(), 4u);
    ASSERT_EQ(other.Wires().size(), 2u);
    auto* d2 = dynamic_cast<CDiode*>(*other.Devices().begin());
    ASSERT_NE(d2, nullptr);
    EXPECT_EQ(d2->Id(), d->Id());
    EXPECT_EQ(d2->m_name, d->m_name);
    EXPECT_EQ(d2->m_angleLeft, 90);
    EXPECT_EQ(d2->m_region[2] - d2->m_region[0], 20) << "turned: as wide as the device is tall";
    EXPECT_EQ(d2->m_boardGroup.itemsB[0].texture, "devpic\\diode90.tga");
    ASSERT_EQ(d2->m_terminals.size(), 2u);
    EXPECT_EQ(d2->m_terminals[1]->Id(), d->m_terminals[1]->Id());
    EXPECT_EQ(d2->m_terminals[1]->Position(), d->m_terminals[1]->Position());
    for (CComponent* w : other.Wires()) {
        auto* wire = static_cast<CWire*>(w);
        EXPECT_NE(wire->m_nodeA, nullptr);
        EXPECT_NE(wire->m_nodeB, nullptr);
        EXPECT_EQ(wire->m_boardGroup.itemsB.size(), 1u);
    }
    EXPECT_FALSE(d2->m_branches.empty()) << "loaded, rebuilt and solved at once";
    EXPECT_EQ(other.m_topologyDirty, 0);

    // Loading the same file again gives the same ids; new objects never reuse them.
    CExperiment third;
    third.Solver().SetTraceStream(nullptr);
    ASSERT_TRUE(LoadFile(third, file.string(), 0));
    EXPECT_EQ((*third.Devices().begin())->Id(), d->Id());
    int maxId = 0;
    for (CComponent* o : third.AllObjects())
        maxId = std::max(maxId, o->Id());
    EXPECT_GT(Place<CDiode>(third)->Id(), maxId);
}

// The teacher's lock and a hidden value are kept only where they are on:
// every other file is written exactly as before, and a file without them
// opens unlocked with every value shown.
TEST_F(ExperimentFileTest, TheLockAndHiddenValuesAreKeptOnlyWhereTheyAreOn) {
    auto* r = Place<CResistance>(ex, 200, 100);
    Place<CResistance>(ex, 400, 100);
    const std::string plain = ExperimentDocument(ex).ToText();
    EXPECT_EQ(plain.find("LOCK"), std::string::npos);
    EXPECT_EQ(plain.find(kValueHiddenKey), std::string::npos);

    ex.m_locked = 1;
    ex.m_lockSalt = "00ff";
    ex.m_lockDigest = "abcd";
    r->m_valueHidden = true;
    const fs::path file = dir / "locked.vtx";
    ASSERT_TRUE(SaveFile(ex, file.string()));
    ASSERT_TRUE(LoadFile(other, file.string(), 0));
    EXPECT_TRUE(other.m_locked);
    EXPECT_EQ(other.m_lockSalt, "00ff");
    EXPECT_EQ(other.m_lockDigest, "abcd");
    std::vector<bool> hidden;
    for (CComponent* device : other.Devices())
        hidden.push_back(static_cast<CDevice*>(device)->m_valueHidden);
    EXPECT_EQ(hidden, (std::vector<bool>{true, false}));
    EXPECT_EQ(ExperimentDocument(other).ToText(), ExperimentDocument(ex).ToText());

    // Opening a plain file after a locked one leaves nothing of the lock.
    const fs::path plainFile = dir / "plain.vtx";
    WriteBytes(plainFile, Utf8ToGbk(plain));
    ASSERT_TRUE(LoadFile(other, plainFile.string(), 0));
    EXPECT_FALSE(other.m_locked);
    EXPECT_TRUE(other.m_lockDigest.empty());
    EXPECT_EQ(ExperimentDocument(other).ToText(), plain);
}

TEST_F(ExperimentFileTest, FilesAreGbkWithCrLf) {
    auto* d = Place<CDiode>(ex);
    d->m_name = "电阻";
    const fs::path file = dir / "gbk.vtx";
    ASSERT_TRUE(SaveFile(ex, file.string()));
    const std::string bytes = ReadBytes(file);
    EXPECT_NE(bytes.find("<NAME>\xB5\xE7\xD7\xE8</NAME>\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("电阻"), std::string::npos);
    ASSERT_TRUE(LoadFile(other, file.string(), 0));
    EXPECT_EQ(static_cast<CDevice*>(*other.Devices().begin())->m_name, "电阻");
}

// Files are read in text mode: CR LF is a line break, NUL bytes are
// dropped, and a CR on its own stays in the text.
TEST_F(ExperimentFileTest, TextModeDropsCrBeforeLfAndNulBytes) {
    const std::string bytes("<COMPONENT>\r\n\t<ABSTRACTNAME>a\rb\0c\r\nd\r\r\n\0</ABSTRACTNAME>\r\n</COMPONENT>\r",
                            70);
    ASSERT_EQ(bytes.back(), '\r');
    LoadFromBytes(other, bytes, 0);
    EXPECT_EQ(other.m_abstractName, std::string("a\rbc\nd\r\n"));
}

TEST_F(ExperimentFileTest, NamesWithTagBracketsStillReadBack) {
    auto* d = Place<CDiode>(ex);
    d->m_name = "D<1>";
    ex.m_abstractName = "a</ABSTRACTNAME>b";
    const fs::path file = dir / "brackets.vtx";
    ASSERT_TRUE(SaveFile(ex, file.string()));
    ASSERT_TRUE(LoadFile(other, file.string(), 0));
    ASSERT_EQ(other.Devices().size(), 1u);
    EXPECT_EQ(static_cast<CDevice*>(*other.Devices().begin())->m_name, "D＜1＞");
    EXPECT_EQ(other.m_abstractName, "a＜/ABSTRACTNAME＞b");
    EXPECT_EQ(other.Nodes().size(), 2u);
}

TEST_F(ExperimentFileTest, SaveReplacesTheOldFileOrLeavesItAlone) {
    const fs::path file = dir / "replace.vtx";
    WriteBytes(file, "old");
    Place<CDiode>(ex);
    ASSERT_TRUE(SaveFile(ex, file.string()));
    EXPECT_NE(ReadBytes(file).find("<TYPE>18</TYPE>"), std::string::npos);
    EXPECT_FALSE(fs::exists(file.string() + ".saving"));

    std::string error;
    EXPECT_FALSE(SaveFile(ex, (dir / "missing-folder" / "x.vtx").string(), &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(ExperimentFileTest, UnreadableFileLeavesTheExperimentAlone) {
    Place<CDiode>(ex);
    ex.m_abstractName = "keep";
    std::string error;
    EXPECT_FALSE(LoadFile(ex, (dir / "absent.vtx").string(), 0, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ex.Devices().size(), 1u);
    EXPECT_EQ(ex.m_abstractName, "keep");
    EXPECT_FALSE(LoadFile(ex, dir.string(), 0)) << "a folder is not a file";
    EXPECT_EQ(ex.Devices().size(), 1u);
}

struct HostileCase {
    const char* name;
    const char* text;
    std::size_t devices, nodes, wires;
};
inline void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}
class Hostile : public ExperimentFileTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(Hostile, LoadsWhatIsReallyThere) {
    const auto start = std::chrono::steady_clock::now();
    LoadFromBytes(other, GetParam().text, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(other.Devices().size(), GetParam().devices);
    EXPECT_EQ(other.Nodes().size(), GetParam().nodes);
    EXPECT_EQ(other.Wires().size(), GetParam().wires);
    for (CComponent* d : other.Devices())
        EXPECT_LE(d->m_terminals.size(), 2u);
    Place<CDiode>(other);
    for (CComponent* o : other.AllObjects())
        EXPECT_GE(o->Id(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Hostile,
    ::testing::Values(
        HostileCase{"HugeCount",
                    "<COMPONENT><METER><NUM>2000000000</NUM><NUM0><TYPE>18</TYPE></NUM0></METER></COMPONENT>",
                    1, 0, 0},
        HostileCase{"NegativeCount",
                    "<COMPONENT><METER><NUM>-5</NUM><NUM0><TYPE>18</TYPE></NUM0></METER></COMPONENT>", 0, 0,
                    0},
        HostileCase{"UnknownType",
                    "<COMPONENT><METER><NUM>2</NUM><NUM0><TYPE>26</TYPE></NUM0><NUM1><TYPE>18</TYPE>"
                    "</NUM1></METER></COMPONENT>",
                    1, 0, 0},
        HostileCase{"HugeLinkCountAndBadIndices",
                    "<COMPONENT><METER><NUM>1</NUM><NUM0><TYPE>18</TYPE><SEQUENCE>5</SEQUENCE></NUM0></METER>"
                    "<NODE><NUM>1</NUM><NUM0><TYPE>14</TYPE><SEQUENCE>6</SEQUENCE>"
                    "<CONNECT_COMPONENTID_NUM>2000000000</CONNECT_COMPONENTID_NUM>"
                    "<CONNECT_COMPONENTID_NUM0><CONID>5</CONID><LOCATIONIDX>99</LOCATIONIDX></"
                    "CONNECT_COMPONENTID_NUM0>"
                    "<CONNECT_COMPONENTID_NUM1><CONID>5</CONID><LOCATIONIDX>-1</LOCATIONIDX></"
                    "CONNECT_COMPONENTID_NUM1>"
                    "</NUM0></NODE></COMPONENT>",
                    1, 1, 0},
        HostileCase{"HugePointCount",
                    "<COMPONENT><WIRE><NUM>1</NUM><NUM0><TYPE>15</TYPE><POINTNUM>2000000000</POINTNUM>"
                    "<POINTNUM0><XPOS>1</XPOS><YPOS>2</YPOS></POINTNUM0></NUM0></WIRE></COMPONENT>",
                    0, 0, 1},
        HostileCase{
            "LargestSequence",
            "<COMPONENT><METER><NUM>1</NUM><NUM0><TYPE>18</TYPE><SEQUENCE>2147483647</SEQUENCE></NUM0>"
            "</METER></COMPONENT>",
            1, 0, 0},
        HostileCase{"GapInTheNumbers",
                    "<COMPONENT><METER><NUM>3</NUM><NUM0><TYPE>18</TYPE></NUM0><NUM2><TYPE>18</TYPE></NUM2>"
                    "</METER></COMPONENT>",
                    2, 0, 0},
        HostileCase{"LargestCountFewItemsFarApart",
                    "<COMPONENT><METER><NUM>2147483647</NUM><NUM5><TYPE>18</TYPE></NUM5>"
                    "<NUM2147483646><TYPE>18</TYPE></NUM2147483646></METER></COMPONENT>",
                    2, 0, 0},
        HostileCase{"NumbersFromTheCountOnAreNotRead",
                    "<COMPONENT><METER><NUM>1</NUM><NUM0><TYPE>18</TYPE></NUM0><NUM1><TYPE>18</TYPE></NUM1>"
                    "<NUM99><TYPE>18</TYPE></NUM99></METER></COMPONENT>",
                    1, 0, 0},
        HostileCase{"OddlyWrittenNumbersAreNotItems",
                    "<COMPONENT><METER><NUM>100</NUM><NUM01><TYPE>18</TYPE></NUM01><NUM-1><TYPE>18</TYPE>"
                    "</NUM-1><NUM1x><TYPE>18</TYPE></NUM1x><NUM99999999999><TYPE>18</TYPE></NUM99999999999>"
                    "<NUM><TYPE>18</TYPE></NUM></METER></COMPONENT>",
                    0, 0, 0},
        HostileCase{"RepeatedNumberReadOnce",
                    "<COMPONENT><METER><NUM>2</NUM><NUM1><TYPE>18</TYPE></NUM1><NUM1><TYPE>18</TYPE></NUM1>"
                    "</METER></COMPONENT>",
                    1, 0, 0},
        HostileCase{"NotADocument", "\x01\x02<<<>>>\xff\xfe", 0, 0, 0},
        HostileCase{"TruncatedMidway", "<COMPONENT><METER><NUM>1</NUM><NUM0><TYPE>18</TY", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Items are read in number order, whatever their order in the text, and an
// item after a missing number keeps its own keys.
TEST_F(ExperimentFileTest, ListWithAGapLoadsEveryItemInNumberOrder) {
    const char* file = "<COMPONENT><RESISTANCE><NUM>3</NUM>"
                       "<NUM2><TYPE>0</TYPE><NAME>R2</NAME><RESVALUE>220</RESVALUE></NUM2>"
                       "<NUM0><TYPE>0</TYPE><NAME>R0</NAME><RESVALUE>100</RESVALUE></NUM0>"
                       "</RESISTANCE></COMPONENT>";
    LoadFromBytes(other, file, 0);
    std::vector<std::string> names;
    std::vector<float> values;
    for (CComponent* d : other.Devices()) {
        names.push_back(d->m_name);
        values.push_back(static_cast<CResistance*>(d)->m_resistance);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"R0", "R2"}));
    EXPECT_EQ(values, (std::vector<float>{100, 220}));
}

TEST_F(ExperimentFileTest, WireToAMissingNodeKeepsOneEndOpen) {
    auto* d = Place<CDiode>(ex);
    auto* far = new CNode();
    ex.AddObject(far, false);
    ex.AddWire(d->m_terminals[0], far);
    CKeyDoc doc = ExperimentDocument(ex);
    doc.SetInt("COMPONENT:WIRE:NUM0:RIGHTNODE", 999999);
    std::string text = doc.ToText();
    // No WIRECOLOR either: the colour defaults to 255.
    text.erase(text.find("\t\t\t<WIRECOLOR>"),
               text.find("</WIRECOLOR>\r\n") + 14 - text.find("\t\t\t<WIRECOLOR>"));
    LoadFromBytes(other, Utf8ToGbk(text), 0);
    auto* wire = static_cast<CWire*>(*other.Wires().begin());
    EXPECT_NE(wire->m_nodeA, nullptr);
    EXPECT_EQ(wire->m_nodeB, nullptr);
    EXPECT_EQ(wire->m_colour, 255u);
    other.UpdateCircuit(0);
}

// The links of one node, as a saved document lists them: (device id, terminal).
std::vector<std::pair<int, int>> SavedLinks(const CKeyDoc& doc, int node) {
    const std::string count = "COMPONENT:NODE:NUM" + std::to_string(node) + ":CONNECT_COMPONENTID_NUM";
    int n = 0;
    doc.GetInt(count, n, 0);
    std::vector<std::pair<int, int>> links;
    for (int k = 0; k < n; ++k) {
        int id = -1, location = -1;
        doc.GetInt(count + std::to_string(k) + ":CONID", id, -1);
        doc.GetInt(count + std::to_string(k) + ":LOCATIONIDX", location, -1);
        links.emplace_back(id, location);
    }
    return links;
}

std::string NodeWithLinks(int sequence, std::initializer_list<std::pair<int, int>> links) {
    std::string text = "<TYPE>14</TYPE><SEQUENCE>" + std::to_string(sequence) + "</SEQUENCE>" +
                       "<CONNECT_COMPONENTID_NUM>" + std::to_string(links.size()) +
                       "</CONNECT_COMPONENTID_NUM>";
    int k = 0;
    for (auto [id, location] : links) {
        const std::string entry = "CONNECT_COMPONENTID_NUM" + std::to_string(k++);
        text += "<" + entry + "><CONID>" + std::to_string(id) + "</CONID><LOCATIONIDX>" +
                std::to_string(location) + "</LOCATIONIDX></" + entry + ">";
    }
    return text;
}

// A resistor (id 2) and the nodes given, as a file holds them.
std::string ResistorAndNodes(std::initializer_list<std::string> nodes) {
    std::string text = "<COMPONENT><RESISTANCE><NUM>1</NUM><NUM0><TYPE>0</TYPE><SEQUENCE>2</SEQUENCE>"
                       "<RESVALUE>100</RESVALUE></NUM0></RESISTANCE><NODE><NUM>" +
                       std::to_string(nodes.size()) + "</NUM>";
    int j = 0;
    for (const std::string& node : nodes) {
        const std::string item = "NUM" + std::to_string(j++);
        text += "<" + item + ">" + node + "</" + item + ">";
    }
    return text + "</NODE></COMPONENT>";
}

// Two nodes claim the same terminal: the later one has it, and only that one
// lists the resistor, so the saved file reloads with the same wiring.
TEST_F(ExperimentFileTest, ATerminalTwoNodesClaimIsOnTheLaterOneOnly) {
    LoadFromBytes(other, ResistorAndNodes({NodeWithLinks(3, {{2, 1}}), NodeWithLinks(4, {{2, 1}})}), 0);
    CComponent* r = *other.Devices().begin();
    ASSERT_EQ(r->m_terminals.size(), 2u);
    EXPECT_EQ(r->m_terminals[0], nullptr);
    ASSERT_NE(r->m_terminals[1], nullptr);
    EXPECT_EQ(r->m_terminals[1]->Id(), 4);
    const CKeyDoc doc = ExperimentDocument(other);
    EXPECT_EQ(SavedLinks(doc, 0), (std::vector<std::pair<int, int>>{}));
    EXPECT_EQ(SavedLinks(doc, 1), (std::vector<std::pair<int, int>>{{2, 1}}));
}

// A node that is both terminals of a device saves both links, not the first twice.
TEST_F(ExperimentFileTest, ANodeOnBothTerminalsOfADeviceSavesBoth) {
    LoadFromBytes(other, ResistorAndNodes({NodeWithLinks(3, {{2, 0}, {2, 1}})}), 0);
    const CKeyDoc doc = ExperimentDocument(other);
    EXPECT_EQ(SavedLinks(doc, 0), (std::vector<std::pair<int, int>>{{2, 0}, {2, 1}}));
    CExperiment third;
    third.Solver().SetTraceStream(nullptr);
    LoadFromBytes(third, Utf8ToGbk(doc.ToText()), 0);
    CComponent* r = *third.Devices().begin();
    ASSERT_EQ(r->m_terminals.size(), 2u);
    EXPECT_NE(r->m_terminals[0], nullptr);
    EXPECT_EQ(r->m_terminals[1], r->m_terminals[0]);
}

// A save writes -1 for a wire end on no node; reading it back never joins
// the wire to a node a file numbers -1 (which would give it points and ends
// it did not have).
TEST_F(ExperimentFileTest, AWireEndOnNoNodeStaysOpenThroughASave) {
    const std::string file =
        "<COMPONENT><NODE><NUM>1</NUM><NUM0><TYPE>14</TYPE><SEQUENCE>-1</SEQUENCE><XPOS>40</XPOS></NUM0></"
        "NODE>"
        "<WIRE><NUM>1</NUM><NUM0><TYPE>15</TYPE><LEFTNODE>7</LEFTNODE><RIGHTNODE>-1</RIGHTNODE></NUM0></WIRE>"
        "</COMPONENT>";
    LoadFromBytes(other, file, 0);
    const std::string saved = ExperimentDocument(other).ToText();
    EXPECT_NE(saved.find("<LEFTNODE>-1</LEFTNODE>"), std::string::npos);
    CExperiment third;
    third.Solver().SetTraceStream(nullptr);
    LoadFromBytes(third, Utf8ToGbk(saved), 0);
    for (CExperiment* e : {&other, &third}) {
        auto* wire = static_cast<CWire*>(*e->Wires().begin());
        EXPECT_EQ(wire->m_nodeA, nullptr);
        EXPECT_EQ(wire->m_nodeB, nullptr);
        EXPECT_TRUE(wire->m_points.empty());
        EXPECT_TRUE(static_cast<CNode*>(*e->Nodes().begin())->m_attached.empty());
    }
    EXPECT_EQ(ExperimentDocument(third).ToText(), saved);
}

// Link and point lists with a missing number load every entry present, and
// the missing one neither as a link to device 0 nor as a point at 0,0.
TEST_F(ExperimentFileTest, LinkAndPointListsWithAGapLoadEveryEntryPresent) {
    const std::string file =
        "<COMPONENT><RESISTANCE><NUM>2</NUM><NUM0><TYPE>0</TYPE><SEQUENCE>0</SEQUENCE></NUM0>"
        "<NUM1><TYPE>0</TYPE><SEQUENCE>2</SEQUENCE></NUM1></RESISTANCE>"
        "<NODE><NUM>2</NUM><NUM0><TYPE>14</TYPE><SEQUENCE>3</SEQUENCE>"
        "<CONNECT_COMPONENTID_NUM>3</CONNECT_COMPONENTID_NUM>"
        "<CONNECT_COMPONENTID_NUM0><CONID>2</CONID><LOCATIONIDX>0</LOCATIONIDX></CONNECT_COMPONENTID_NUM0>"
        "<CONNECT_COMPONENTID_NUM2><CONID>2</CONID><LOCATIONIDX>1</LOCATIONIDX></CONNECT_COMPONENTID_NUM2>"
        "</NUM0><NUM1><TYPE>14</TYPE><SEQUENCE>4</SEQUENCE></NUM1></NODE>"
        "<WIRE><NUM>1</NUM><NUM0><TYPE>15</TYPE><LEFTNODE>3</LEFTNODE><RIGHTNODE>4</RIGHTNODE>"
        "<POINTNUM>3</POINTNUM><POINTNUM0><XPOS>10</XPOS><YPOS>20</YPOS></POINTNUM0>"
        "<POINTNUM2><XPOS>30</XPOS><YPOS>40</YPOS></POINTNUM2></NUM0></WIRE></COMPONENT>";
    LoadFromBytes(other, file, 0);
    ASSERT_EQ(other.Devices().size(), 2u);
    CComponent* zero = *other.Devices().begin();
    CComponent* two = *std::next(other.Devices().begin());
    EXPECT_TRUE(zero->m_terminals.empty()) << "no link to device 0 from the missing entry";
    ASSERT_EQ(two->m_terminals.size(), 2u);
    ASSERT_NE(two->m_terminals[1], nullptr) << "the entry after the gap is read";
    EXPECT_EQ(two->m_terminals[1]->Id(), 3);
    EXPECT_EQ(two->m_terminals[0], two->m_terminals[1]);
    auto* wire = static_cast<CWire*>(*other.Wires().begin());
    EXPECT_EQ(wire->m_points, (std::vector<CPoint>{{10, 20}, {30, 40}}));
}

} // namespace
} // namespace ampera
