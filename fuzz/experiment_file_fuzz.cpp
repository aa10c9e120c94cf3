// Fuzz target: any bytes loaded as an experiment file must neither crash,
// hang nor allocate without bound, and saving must be a true round trip:
//  - whatever was loaded saves to a document D1; D1 loaded and saved again
//    gives exactly D1;
//  - the experiment loaded from D1 shows what the experiment that wrote D1
//    showed: every device (in the order the file lists them) with its name,
//    type, displays, board label, screen, wired terminals, the warnings it
//    posts, its solved branch quantities and how it looks on the board, in
//    the symbol view and on its panel; every node and wire where it is; and
//    the board's own notices.
// A difference is printed to stderr, then the target traps.
#include "core/experiment.h"
#include "devices/device.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ampera;

constexpr long long kLoadTime = 0;
constexpr long long kLaterTime = 10;

struct CollectingSink : INoticeSink, IWarningServices {
    std::vector<std::string> texts;
    void PostNotice(const CNotice& n) override { texts.push_back(n.text); }
    void AddLabel(const std::string&, int, int) override {}
    void ShowWarning(int, const std::string& text) override { texts.push_back("modal: " + text); }
};

// One experiment as its user meets it, with the sink its messages go to.
struct Bench {
    CollectingSink notices;
    CExperiment experiment;
    Bench() {
        experiment.Solver().SetTraceStream(nullptr);
        experiment.SetNoticeSink(&notices);
        experiment.SetWarningServices(&notices);
    }
};

// Text that keeps every bit of a number, so that identical values (NaN and
// infinities included) compare equal as text and any other change shows.
std::string Exact(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", v);
    return text;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : " | ") + p;
    return out;
}

// Bytes outside printable ASCII as \xNN, so a finding reads on a terminal.
std::string Printable(const std::string& s, std::size_t limit = 300) {
    std::string out;
    for (std::size_t i = 0; i < s.size() && out.size() < limit; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// The order in which a save lists the categories of devices.
int ListRank(int category) {
    constexpr int kOrder[] = {CATEGORY_RESISTANCE, CATEGORY_METER,       CATEGORY_ELECTRICITY,
                              CATEGORY_SWITCH,     CATEGORY_CAPACITANCE, CATEGORY_INDUCTANCE};
    for (int i = 0; i < static_cast<int>(std::size(kOrder)); ++i)
        if (kOrder[i] == category) return i;
    return static_cast<int>(std::size(kOrder));
}

using Reading = std::vector<std::pair<std::string, std::string>>; // (what, text) of one device

std::string Looks(const std::vector<CDrawItem>& items) {
    std::string out;
    for (const CDrawItem& item : items) {
        out += "[" + item.texture + " " + Exact(item.left) + " " + Exact(item.top) + " " + Exact(item.right) +
               " " + Exact(item.bottom) + " " + Exact(item.angle) + " " + std::to_string(item.colour) +
               (item.Hidden() ? " hidden" : "");
        for (int i = 0; i < 4; ++i)
            out += " " + Exact(item.u[i]) + "," + Exact(item.v[i]);
        out += "]";
    }
    return out;
}

std::string QuantityText(const CQuantity& q) {
    std::string out = std::to_string(q.m_circuitClass);
    for (double v : q.wave_array)
        out += " " + Exact(v);
    out += " /";
    for (double v : q.para_array)
        out += " " + Exact(v);
    return out;
}

// What the user reads of every device at `time`. Each device updates once
// more on its own so that its warnings can be told apart.
std::vector<Reading> Readings(CExperiment& experiment, long long time) {
    std::vector<CDevice*> devices;
    for (CComponent* o : experiment.Devices())
        if (auto* d = dynamic_cast<CDevice*>(o)) devices.push_back(d);
    // A save writes the devices list by list, each list in creation order:
    // the order in which the saved file loads them again.
    std::stable_sort(devices.begin(), devices.end(), [](const CDevice* a, const CDevice* b) {
        return ListRank(a->Category()) < ListRank(b->Category());
    });
    std::vector<Reading> out;
    for (CDevice* d : devices) {
        CollectingSink own;
        d->Update(CUpdateContext{&own, time});
        Reading r;
        // Names are stored with tag brackets in their full-width forms.
        r.emplace_back("name", CComponent::StorableText(d->m_name));
        r.emplace_back("type", std::to_string(d->TypeCode()));
        r.emplace_back("displays", Joined(d->DisplayTexts()));
        r.emplace_back("label", d->LabelValue());
        r.emplace_back("warnings", Joined(own.texts));
        std::string wired;
        for (std::size_t t = 0; t < d->TerminalCount(); ++t)
            wired += t < d->m_terminals.size() && d->m_terminals[t] ? '1' : '0';
        r.emplace_back("wired terminals", wired);
        r.emplace_back("place", Exact(d->m_region[0]) + " " + Exact(d->m_region[1]) + " " +
                                    Exact(d->m_region[2]) + " " + Exact(d->m_region[3]) + " turned " +
                                    std::to_string(d->m_angleLeft));
        r.emplace_back("on the board", Looks(d->m_boardGroup.itemsB));
        r.emplace_back("panel", Looks(d->m_panelGroup.itemsB) + " / " + Looks(d->m_panelGroup.itemsA));
        if (const std::optional<CSymbol> symbol = d->Symbol())
            r.emplace_back("symbol", symbol->picture + " " + Exact(symbol->rect.left) + " " +
                                         Exact(symbol->rect.top) + " " + Exact(symbol->rect.right) + " " +
                                         Exact(symbol->rect.bottom));
        if (d->HasScreen()) {
            std::string screen;
            for (const CDevice::Polyline& line : d->Traces()) {
                screen += "[";
                for (auto [x, y] : line)
                    screen += " " + Exact(x) + "," + Exact(y);
                screen += " ]";
            }
            r.emplace_back("screen", screen);
        }
        for (std::size_t b = 0; b < d->m_branches.size(); ++b) {
            const CBranchResult& result = d->m_branches[b]->m_result;
            r.emplace_back("branch " + std::to_string(b) + " current", QuantityText(result.m_elec));
            r.emplace_back("branch " + std::to_string(b) + " voltage", QuantityText(result.m_vol));
        }
        out.push_back(std::move(r));
    }
    return out;
}

// Where every node and wire is, in creation order (a save lists each kind in
// that order, and loading creates them so again).
std::vector<std::string> Wiring(const CExperiment& experiment) {
    std::vector<std::string> out;
    for (CComponent* o : experiment.Nodes()) {
        const auto* node = static_cast<const CNode*>(o);
        out.push_back("node " + std::to_string(node->Id()) + " at " + std::to_string(node->m_x) + "," +
                      std::to_string(node->m_y) + " holding " + std::to_string(node->m_attached.size()));
    }
    for (CComponent* o : experiment.Wires()) {
        const auto* wire = static_cast<const CWire*>(o);
        std::string text = "wire from " + (wire->m_nodeA ? std::to_string(wire->m_nodeA->Id()) : "nothing") +
                           " to " + (wire->m_nodeB ? std::to_string(wire->m_nodeB->Id()) : "nothing") +
                           " colour " + std::to_string(wire->m_colour) + " through";
        for (const CPoint& p : wire->m_points)
            text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
        out.push_back(text + " drawn as " + Looks(wire->m_boardGroup.itemsB));
    }
    return out;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "round trip: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

void ExpectSameDocument(const std::string& d1, const std::string& d2) {
    if (d1 == d2) return;
    std::size_t at = 0, line = 1;
    while (at < d1.size() && at < d2.size() && d1[at] == d2[at]) {
        if (d1[at] == '\n') ++line;
        ++at;
    }
    const std::size_t start = d1.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    std::fprintf(stderr,
                 "round trip: the saved file saves differently after loading it, line %zu:\n"
                 "  first save:  %s\n  second save: %s\n",
                 line, Printable(d1.substr(from, 200)).c_str(), Printable(d2.substr(from, 200)).c_str());
    Fail("saved documents differ");
}

// Solved quantities and the traces drawn from them may differ in rounding
// after a reload: the file lists objects in another order than they were
// made, so the solver eliminates in another order. Numbers within 1e-9
// relative (plus 1e-12) are the same reading; any other text must match.
bool SameNumbers(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const std::size_t ai = a.find_first_of(" ,[]/", i), bj = b.find_first_of(" ,[]/", j);
        const std::string x = a.substr(i, ai == std::string::npos ? std::string::npos : ai - i);
        const std::string y = b.substr(j, bj == std::string::npos ? std::string::npos : bj - j);
        if (x != y) {
            char *xe = nullptr, *ye = nullptr;
            const double u = std::strtod(x.c_str(), &xe), v = std::strtod(y.c_str(), &ye);
            if (x.empty() || y.empty() || *xe != '\0' || *ye != '\0' || !std::isfinite(u) ||
                !std::isfinite(v) || std::fabs(u - v) > 1e-9 * std::max(std::fabs(u), std::fabs(v)) + 1e-12)
                return false;
        }
        if (ai == std::string::npos || bj == std::string::npos) return ai == bj;
        if (a[ai] != b[bj]) return false;
        i = ai + 1;
        j = bj + 1;
    }
    return true;
}

bool SameReading(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) {
    if (a == b) return true;
    if (a.first != b.first) return false;
    const bool numeric = a.first.rfind("branch ", 0) == 0 || a.first == "screen";
    return numeric && SameNumbers(a.second, b.second);
}

void ExpectSameReadings(const std::vector<Reading>& before, const std::vector<Reading>& after,
                        const char* when) {
    if (before.size() != after.size()) {
        std::fprintf(stderr, "round trip (%s): %zu devices before saving, %zu after loading\n", when,
                     before.size(), after.size());
        Fail("device counts differ");
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        bool same = before[i].size() == after[i].size();
        for (std::size_t k = 0; same && k < before[i].size(); ++k)
            same = SameReading(before[i][k], after[i][k]);
        if (same) continue;
        for (std::size_t k = 0; k < std::max(before[i].size(), after[i].size()); ++k) {
            const auto& b =
                k < before[i].size() ? before[i][k] : std::pair<std::string, std::string>("-", "-");
            const auto& a = k < after[i].size() ? after[i][k] : std::pair<std::string, std::string>("-", "-");
            if (SameReading(a, b)) continue;
            std::fprintf(stderr,
                         "round trip (%s): device %zu (%s, type %s), %s:\n  before saving: %s\n"
                         "  after loading: %s (%s)\n",
                         when, i, Printable(before[i][0].second).c_str(), before[i][1].second.c_str(),
                         b.first.c_str(), Printable(b.second).c_str(), Printable(a.second).c_str(),
                         a.first.c_str());
            break;
        }
        Fail("device readings differ");
    }
}

void ExpectSameNotices(std::vector<std::string> before, std::vector<std::string> after, const char* when) {
    // Devices post in board order, which a save may change between lists.
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    if (before == after) return;
    std::fprintf(stderr, "round trip (%s): %zu notices before saving, %zu after loading\n", when,
                 before.size(), after.size());
    for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i)
        std::fprintf(stderr, "  %s  /  %s\n", i < before.size() ? Printable(before[i]).c_str() : "-",
                     i < after.size() ? Printable(after[i]).c_str() : "-");
    Fail("notices differ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bench first, second;
    LoadFromBytes(first.experiment, std::string(reinterpret_cast<const char*>(data), size), kLoadTime);
    const std::string d1 = ExperimentDocument(first.experiment).ToText();
    const std::vector<Reading> firstReadings = Readings(first.experiment, kLoadTime);

    LoadFromBytes(second.experiment, Utf8ToGbk(d1), kLoadTime);
    ExpectSameDocument(d1, ExperimentDocument(second.experiment).ToText());
    ExpectSameReadings(firstReadings, Readings(second.experiment, kLoadTime), "after loading");
    ExpectSameNotices(first.notices.texts, second.notices.texts, "after loading");
    if (CComponent::StorableText(first.experiment.m_abstractName) != second.experiment.m_abstractName)
        Fail("experiment names differ");
    const std::vector<std::string> wiring = Wiring(first.experiment), wiringAgain = Wiring(second.experiment);
    if (wiring != wiringAgain) {
        std::size_t i = 0;
        while (i < wiring.size() && i < wiringAgain.size() && wiring[i] == wiringAgain[i])
            ++i;
        std::fprintf(
            stderr,
            "round trip: %zu nodes and wires before saving, %zu after loading; the first to differ:\n"
            "  before saving: %s\n  after loading: %s\n",
            wiring.size(), wiringAgain.size(), i < wiring.size() ? Printable(wiring[i]).c_str() : "-",
            i < wiringAgain.size() ? Printable(wiringAgain[i]).c_str() : "-");
        Fail("nodes or wires differ");
    }

    // A rebuild of both boards (as after an edit) still shows the same.
    for (Bench* b : {&first, &second}) {
        b->notices.texts.clear();
        b->experiment.MarkTopologyDirty();
        b->experiment.UpdateCircuit(kLaterTime);
    }
    ExpectSameReadings(Readings(first.experiment, kLaterTime), Readings(second.experiment, kLaterTime),
                       "after a rebuild");
    ExpectSameNotices(first.notices.texts, second.notices.texts, "after a rebuild");
    return 0;
}
