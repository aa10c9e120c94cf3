// What a device shows in its property window: the window size, and for the
// "参数设置" and "使用说明" pages the pictures, texts, choice lists, edit fields
// and spin control. The device fills it from its current state; the window
// builds its pages from it and, on "应用", validates the edit fields and writes
// their values into the fields the description names.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace ampera {

struct CPageRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct CPagePicture {
    CPageRect rect;
    std::string file; // under its own name, else base directory + "pic\\" + name
};

// Drawn in "宋体" 14 pixels high (7 wide), colour red 28, green 115, blue 218.
struct CPageText {
    CPageRect rect;
    std::string text;
};

// The list opens 150 pixels downwards from its rectangle.
struct CPageChoice {
    CPageRect rect;
    std::vector<std::string> items;
    int* target = nullptr; // receives the selected index
};

enum EditKind : int { EDIT_INTEGER = 0, EDIT_SINGLE = 1, EDIT_DOUBLE = 2, EDIT_TEXT = 3 };

struct CPageEdit {
    CPageRect rect;
    std::string text; // as shown first
    int kind = EDIT_TEXT;
    // The variable that receives the value: int for integer fields, float or
    // double for real fields, std::string for text fields.
    std::variant<std::monostate, int*, float*, double*, std::string*> target;
    bool readOnly = false;
    int intMin = 0, intMax = 0;
    float singleMin = 0, singleMax = 0;
    double doubleMin = 0, doubleMax = 0;
};

struct CPageSpin {
    int edit = 0;     // index of the edit field it steps
    int position = 1; // initial position, within 1..999999
    CPageRect rect;
};

class CPropertyPage {
  public:
    static constexpr std::size_t kMaxPictures = 200;
    static constexpr std::size_t kMaxTexts = 7;
    static constexpr std::size_t kMaxChoices = 10;
    static constexpr std::size_t kMaxEdits = 3;
    static constexpr std::size_t kMaxEditChars = 100;
    static constexpr std::size_t kMaxSpins = 1;
    static constexpr int kSpinMin = 1;
    static constexpr int kSpinMax = 999999;

    // Entries beyond the limits are ignored.
    void AddPicture(const CPageRect& rect, const std::string& file);
    void AddText(const CPageRect& rect, const std::string& text);
    void AddChoice(const CPageRect& rect, std::vector<std::string> items, int* target);
    void AddIntEdit(const CPageRect& rect, const std::string& text, int* target, int min, int max);
    void AddSingleEdit(const CPageRect& rect, const std::string& text, float* target, float min, float max);
    void AddDoubleEdit(const CPageRect& rect, const std::string& text, double* target, double min, double max);
    void AddTextEdit(const CPageRect& rect, const std::string& text, std::string* target);
    void AddSpin(int edit, int position, const CPageRect& rect);
    // The usage page's texts (same font and colour as the parameter texts).
    void AddUsageText(const CPageRect& rect, const std::string& text);

    CPageRect window{0, 0, 300, 400};
    // Room on the panel page below the panel for what a screen instrument
    // reports (its measurements, cursors and exports), in pixels; 0: none.
    int reportHeight = 0;
    std::vector<CPagePicture> pictures;
    std::vector<CPageText> texts;
    std::vector<CPageChoice> choices;
    std::vector<CPageEdit> edits;
    std::vector<CPageSpin> spins;
    std::vector<CPageText> usage;
};

// The result of checking and applying the typed texts of a page.
struct CApplyResult {
    bool ok = false;
    int badField = -1;                   // the first invalid edit field
    std::vector<std::string> shownTexts; // the fields' texts after storing
};

// Checks every edit field's typed text against its kind and range, in order.
// Nothing is written.
CApplyResult ValidatePage(const CPropertyPage& page, const std::vector<std::string>& typed);

// Validates; when every field is valid, writes each choice's index and each
// field's value (all "," removed) into its target and returns the texts the
// fields show afterwards ("%i", "%f", or the text itself). When a field is
// invalid, writes nothing.
CApplyResult ApplyPage(const CPropertyPage& page, const std::vector<std::string>& typed,
                       const std::vector<int>& chosen);

} // namespace ampera
