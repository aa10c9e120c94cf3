#include "diode.h"

namespace ampera {
const CDeviceKind CDiode::kKind{
    .typeCode = TYPE_DIODE,
    .category = CATEGORY_METER,
    .namePrefix = "二极管",
    .bodyPicture = "devpic\\diode.tga",
    .body = geometry::kDiode,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_BASIC, 6, "二极管", "二极管.bmp"},
    .symbols = OneSymbol({"abstract\\diode.bmp", -18, -16, 32, 16}),
};
void CDiode::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 300, 250};
    page.AddText({10, 10, 250, 80}, "二极管：无参数设置。");
    page.AddUsageText({3, 5, 290, 290},
                      "二极管：当两极管两端接正电压时，二极管导通，相当于一个小电阻,当接负电压\n"
                      "时，二极管截止，相当于断路。");
}

} // namespace ampera
