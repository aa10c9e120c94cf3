// Board objects: the base of every placed thing, junction nodes and wires.
#pragma once

#include "circuit.h"
#include "draw_item.h"
#include "notice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ampera {

enum Category : int {
    CATEGORY_RESISTANCE = 0,
    CATEGORY_CAPACITANCE = 1,
    CATEGORY_INDUCTANCE = 2,
    CATEGORY_METER = 3,
    CATEGORY_SWITCH = 4,
    CATEGORY_ELECTRICITY = 5,
    CATEGORY_NODE = 6,
    CATEGORY_WIRE = 7,
};

// Device type codes as the factory and the experiment file know them.
enum TypeCode : int {
    TYPE_RESISTANCE = 0,
    TYPE_RESISTANCE_WIRE = 1,
    TYPE_SLIDE_RHEOSTAT = 2,
    TYPE_RESISTANCE_BOX = 3,
    TYPE_VOLTMETER = 4,
    TYPE_AMMETER = 5,
    TYPE_MULTIMETER = 6,
    TYPE_OSCILLOSCOPE = 7,
    TYPE_DC_SOURCE = 8,
    TYPE_SINGLE_SWITCH = 9,
    TYPE_DOUBLE_SWITCH = 10,
    TYPE_VERTICAL_DOUBLE_SWITCH = 11,
    TYPE_INDUCTANCE = 12,
    TYPE_SIGNAL_GENERATOR = 13,
    TYPE_NODE = 14,
    TYPE_WIRE = 15,
    TYPE_CAPACITANCE = 16,
    TYPE_CAPACITANCE_BOX = 17,
    TYPE_DIODE = 18,
    TYPE_AC_SOURCE = 19,
    TYPE_DC_VOLTMETER = 20,
    TYPE_DC_AMMETER = 21,
    TYPE_AC_MILLIVOLTMETER = 22,
    TYPE_GALVANOMETER = 23,
    TYPE_LEVEL_METER = 24,
    TYPE_AMMETER_PLUG_BOARD = 25,
    TYPE_LAST = 25,
};

struct CPoint {
    int x = 0, y = 0;
    bool operator==(const CPoint&) const = default;
};

class CExperiment;
class CKeyDoc;
class CNode;
class CTopologyBuilder;

class CComponent {
  public:
    CComponent(int category, int typeCode);
    virtual ~CComponent();
    CComponent(const CComponent&) = delete;
    CComponent& operator=(const CComponent&) = delete;

    // Called after every solve pass so the object reads its branches' results.
    virtual void Update(const CUpdateContext& context) = 0;
    virtual int PanelItemCount() const { return 0; }
    virtual bool HitTest(int x, int y) const;
    virtual int PanelControlCount() const { return 0; }
    // Writes (loading false) or reads (loading true) the object's own keys
    // under `prefix` in an experiment document. The base has no keys.
    virtual void Persist(CKeyDoc& doc, bool loading, const std::string& prefix);
    virtual CComponent* CloneAt(int x, int y);
    virtual double GetValue() const { return 0; }

    // The object's electrical contribution: called by the topology builder
    // after the object's old branches were deleted. Default: none.
    virtual void BuildBranches(CTopologyBuilder& builder);

    int Category() const { return category; }
    int Id() const { return m_id; }
    int TypeCode() const { return m_typeCode; }
    // Creation order: object sets iterate by it, so the same board always
    // gives the same graphs and results.
    std::uint64_t CreationOrder() const { return m_creationOrder; }
    CExperiment* Experiment() const { return m_experiment; }

    // Sequence numbers come from one process-wide counter that always stays
    // above every number handed out or loaded.
    static int NextSequence();
    static void NoteSequence(int loaded);
    void SetId(int id);

    void DeleteBranches() { m_branches.clear(); }
    // How many terminal slots a file may link: the kind's terminal count.
    virtual std::size_t TerminalSlots() const { return 0; }

    // The identity keys NAME and SEQUENCE. Reading SEQUENCE keeps the id
    // counter above it.
    void PersistIdentity(CKeyDoc& doc, bool loading, const std::string& prefix);
    // A name as it can be stored: the file format has no escaping, so tag
    // brackets become their full-width forms.
    static std::string StorableText(const std::string& text);

    std::string m_name; // display name, e.g. "R1"

    int category;
    float m_internalResistance = 0; // used for meters, the oscilloscope and sources
    CSpriteGroup m_panelGroup;      // front panel in the property window: B = face and controls, A = displays
    CSpriteGroup m_boardGroup;      // on the board: B[0] = body, A = display characters
    std::vector<CNode*> m_terminals;
    std::vector<std::unique_ptr<CBranch>> m_branches; // made by the last rebuild, in order

  protected:
    int m_id;
    int m_typeCode;

  private:
    friend class CExperiment;
    friend class CTopologyBuilder;
    std::uint64_t m_creationOrder;
    CExperiment* m_experiment = nullptr;
    std::uint64_t m_builtGeneration = 0; // topology generation that last rebuilt this object
};

// A junction; every device terminal is one.
class CNode : public CComponent {
  public:
    CNode();
    void Update(const CUpdateContext&) override {}

    CCircuitNode* Circuit() const { return m_circuitNodes.empty() ? nullptr : m_circuitNodes.front().get(); }
    CPoint Position() const { return {m_x, m_y}; }
    // Moves the terminal point; the node picture follows (point +- 6).
    void SetPosition(int x, int y);
    static constexpr const char* kPicture = "devpic\\node.tga";

    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;

    std::vector<CComponent*> m_attached; // devices whose terminal this is, and wires ending here
    // Links read from a file, resolved once every object is loaded: (device id, terminal index).
    std::vector<std::pair<int, int>> m_pendingLinks;
    std::vector<std::unique_ptr<CCircuitNode>> m_circuitNodes;
    int m_x = 0; // terminal point on the board
    int m_y = 0;
    unsigned char m_wiringMark = 0; // set while the node is the start of a wire being drawn
};

class CWire : public CComponent {
  public:
    CWire();
    CWire(CNode* a, CNode* b);
    void Update(const CUpdateContext&) override {}

    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    // The board drawing: one line item per pair of consecutive points.
    void RebuildLines();
    // Whether board point (x, y) lies within kReach pixels of a segment.
    bool HitTest(int x, int y) const override;
    static constexpr double kReach = 3.0;

    CNode* m_nodeA = nullptr;
    CNode* m_nodeB = nullptr;
    std::vector<CPoint> m_points;                // first point on node A, last on node B, bends between
    std::uint32_t m_colour = 0;                  // 0x00RRGGBB
    int m_pendingLeft = -1, m_pendingRight = -1; // end node ids read from a file
};

} // namespace ampera
