#include "ammeter_plug_board.h"

#include "core/experiment.h"
#include "dc_ammeter.h"

namespace ampera {
const CDeviceKind CAmmeterPlugBoard::kKind{
    .typeCode = TYPE_AMMETER_PLUG_BOARD,
    .category = CATEGORY_SWITCH,
    .namePrefix = "电流表插口板",
    .bodyPicture = "devpic\\CurrentmeterPlugBoard.tga",
    .body = geometry::kPlugBoard,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_SWITCHES, 2, "电流表插口板", "电流表插口板.bmp"},
    .symbols = OneSymbol({"abstract\\boade.bmp", -5, -19, 5, 4}),
};
void CAmmeterPlugBoard::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 300, 250};
    page.AddText({10, 10, 250, 80}, "电流表插口板：无参数设置。");
    page.AddUsageText({3, 5, 230, 200},
                      "电流表插口板：用于连接电流表，使电流表的接入或断开不影响原电路的连线。"
                      "无参数设置，也无面板操作，直接在实验区操作。");
}

std::optional<CSymbol> CAmmeterPlugBoard::Symbol() const {
    const CExperiment* experiment = Experiment();
    return experiment && Holds(*experiment, *this) ? SymbolWith("abstract\\boade_plug1.bmp")
                                                   : CDevice::Symbol();
}

bool CAmmeterPlugBoard::Holds(const CExperiment& experiment, const CDevice& device) {
    const auto* board = dynamic_cast<const CAmmeterPlugBoard*>(&device);
    // Only an ammeter still on the board (not deleted) that is plugged into
    // this very board occupies it; a link left over from before an undo
    // does not.
    if (!board || !board->m_ammeter || !experiment.Contains(board->m_ammeter)) return false;
    const auto* ammeter = dynamic_cast<const CDCAmmeter*>(board->m_ammeter);
    return ammeter && ammeter->m_plugBoard == board;
}

} // namespace ampera
