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
} // namespace ampera
