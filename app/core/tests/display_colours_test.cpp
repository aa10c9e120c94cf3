// The display colours, their conversion for the renderer and wires, and the
// colour dialog's OK and Cancel.
#include "app/core/display_colours.h"

#include <gtest/gtest.h>

namespace ampera::testing {
namespace {

TEST(DisplayColoursTest, ConvertBetweenChooserAndDrawingForms) {
    struct Case {
        std::uint32_t colorref, argb;
    };
    const Case cases[] = {
        {0x00FFFFFF, 0xFFFFFFFF}, // white background
        {0x00FF0000, 0xFF0000FF}, // the default blue
        {0x000000FF, 0xFFFF0000}, // red
        {0x00336699, 0xFF996633}, {0x00000000, 0xFF000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToArgb(c.colorref), c.argb) << std::hex << c.colorref;
        EXPECT_EQ(ToColorref(c.argb), c.colorref) << std::hex << c.argb;
    }
}

TEST(DisplayColoursTest, StartWithWhiteBackgroundAndBlueWiresAndText) {
    CDisplayColours colours;
    EXPECT_EQ(colours.BackgroundArgb(), 0xFFFFFFFFu);
    EXPECT_EQ(colours.WireArgb(), 0xFF0000FFu);
    EXPECT_EQ(colours.TextArgb(), 0xFF0000FFu);
    EXPECT_EQ(NamedColour("wairinactivecolor"), 0u);
}

TEST(ColourDialogTest, CancelRestoresTheColoursOfOpeningAndOkKeepsTheChoice) {
    CDisplayColours colours;
    CColourDialogModel dialog(colours);
    dialog.Open();
    EXPECT_FALSE(dialog.Choose(COLOUR_BACKGROUND, 0x00202020));
    EXPECT_EQ(colours.Background(), 0x00202020u) << "a choice takes effect at once";
    EXPECT_TRUE(dialog.Choose(COLOUR_TEXT, 0x0000FF00)) << "the text colour posts an empty notice";
    EXPECT_TRUE(dialog.Changed());
    dialog.Cancel();
    EXPECT_EQ(colours.Background(), kDefaultBackground);
    EXPECT_EQ(colours.Text(), kDefaultTextColour);

    dialog.Open();
    dialog.Choose(COLOUR_WIRE, 0x000000FF);
    dialog.Ok();
    EXPECT_EQ(colours.WireArgb(), 0xFFFF0000u);
    dialog.Open();
    dialog.Cancel();
    EXPECT_EQ(colours.Wire(), 0x000000FFu) << "Cancel goes back to what the dialog opened with";
}

TEST(ColourDialogTest, ButtonsNameTheirColoursAndSwatchesSitBesideThem) {
    EXPECT_EQ(CColourDialogModel::SlotOfButton(1000), COLOUR_BACKGROUND);
    EXPECT_EQ(CColourDialogModel::SlotOfButton(1001), COLOUR_WIRE);
    EXPECT_EQ(CColourDialogModel::SlotOfButton(1003), COLOUR_TEXT);
    EXPECT_EQ(CColourDialogModel::SlotOfButton(1002), -1);
    const auto swatch = CColourDialogModel::SwatchRect({10, 20, 60, 40}, 100, 180);
    EXPECT_EQ(swatch.left, 90);
    EXPECT_EQ(swatch.right, 140);
    EXPECT_EQ(swatch.top, 20);
    EXPECT_EQ(swatch.bottom, 40);
}

} // namespace
} // namespace ampera::testing
