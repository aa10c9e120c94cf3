// A board in a private experiment: place devices, wire their terminals, solve.
#pragma once

#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ampera::testing {

struct RecordingSink : INoticeSink {
    std::vector<CNotice> notices;
    std::vector<std::pair<std::string, int>> labels; // text, y
    void PostNotice(const CNotice& n) override { notices.push_back(n); }
    void AddLabel(const std::string& text, int, int y) override { labels.emplace_back(text, y); }
};

struct RecordingServices : IWarningServices {
    std::vector<std::string> warnings;
    void ShowWarning(int, const std::string& text) override { warnings.push_back(text); }
};

class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ex.Solver().SetTraceStream(nullptr);
        ex.SetNoticeSink(&sink);
        ex.SetWarningServices(&services);
    }

    template <typename D> D* Place() {
        D prototype;
        return static_cast<D*>(prototype.PlaceAt(ex, 500, 400));
    }
    static CNode* T(CComponent* d, int i) { return d->m_terminals.at(i); }
    CWire* Wire(CNode* a, CNode* b) { return ex.AddWire(a, b); }
    // Wires terminal i of `a` to terminal j of `b`.
    CWire* Wire(CComponent* a, int i, CComponent* b, int j) { return Wire(T(a, i), T(b, j)); }
    void Update(long long time = 0) { ex.UpdateCircuit(time); }

    static double I(const CComponent* d, int branch = 0) {
        return d->m_branches.at(branch)->m_result.m_elec.para_array[0];
    }
    static double U(const CComponent* d, int branch = 0) {
        return d->m_branches.at(branch)->m_result.m_vol.para_array[0];
    }

    CExperiment ex;
    RecordingSink sink;
    RecordingServices services;
};

} // namespace ampera::testing
