#include "ammeter_plug_board.h"

namespace ampera {
const CDeviceKind CAmmeterPlugBoard::kKind{TYPE_AMMETER_PLUG_BOARD,
                                           CATEGORY_SWITCH,
                                           120,
                                           31,
                                           "电流表插口板",
                                           "devpic\\CurrentmeterPlugBoard.tga",
                                           {{-5, 22}, {125, 22}},
                                           false};
void CAmmeterPlugBoard::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 300, 250};
    page.AddText({10, 10, 250, 80}, "电流表插口板：无参数设置。");
    page.AddUsageText({3, 5, 230, 200},
                      "电流表插口板：用于连接电流表，使电流表的接入或断开不影响原电路的连线。"
                      "无参数设置，也无面板操作，直接在实验区操作。");
}

} // namespace ampera
