#include "property_page.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace ampera {

namespace {

// Cuts a UTF-8 text after `limit` characters, never inside one.
std::string FirstCharacters(const std::string& text, std::size_t limit) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) { // the first byte of a character
            if (count == limit) return text.substr(0, i);
            ++count;
        }
    }
    return text;
}

std::string WithoutCommas(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',') out += c;
    return out;
}

// The text between leading and trailing blanks: a field may show padding
// ("1000  " is how a new resistor's value first appears).
std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A number typed into a field: the whole text (commas as digit grouping,
// blanks around it) must be the number. One leading '+' is allowed;
// hexadecimal forms and words like "inf" or "nan" are not numbers here.
template <typename T> std::optional<T> ParseNumber(const std::string& typed) {
    const std::string plain = WithoutCommas(typed);
    std::string_view text = Trimmed(plain);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    T value{};
    std::from_chars_result r{};
    if constexpr (std::is_integral_v<T>)
        r = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    else
        r = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if constexpr (!std::is_integral_v<T>)
        if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// A single-precision value: read as a double, then held as the float the
// field stores, so a bound like 0.1 compares equal to the typed "0.1".
std::optional<float> ParseSingle(const std::string& typed) {
    const std::optional<double> value = ParseNumber<double>(typed);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

// The experiment file keeps texts between tag brackets and has no escaping,
// so a text holding one cannot be stored as typed.
bool StorableName(const std::string& text) {
    return text.find('<') == std::string::npos && text.find('>') == std::string::npos;
}

bool FieldValid(const CPageEdit& edit, const std::string& typed) {
    switch (edit.kind) {
    case EDIT_INTEGER: {
        const std::optional<int> v = ParseNumber<int>(typed);
        return v && edit.intMin <= *v && *v <= edit.intMax;
    }
    case EDIT_SINGLE: {
        const std::optional<float> v = ParseSingle(typed);
        return v && edit.singleMin <= *v && *v <= edit.singleMax;
    }
    case EDIT_DOUBLE: {
        const std::optional<double> v = ParseNumber<double>(typed);
        return v && edit.doubleMin <= *v && *v <= edit.doubleMax;
    }
    case EDIT_TEXT:
        return StorableName(typed);
    default:
        return false;
    }
}

std::string Printed(const char* format, double value) {
    char text[352]; // "%f" of the largest double needs 316 characters
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Writes a validated field into its target and returns what the field shows.
std::string StoreField(const CPageEdit& edit, const std::string& typed) {
    const std::string plain = WithoutCommas(typed);
    switch (edit.kind) {
    case EDIT_INTEGER: {
        const int v = ParseNumber<int>(plain).value_or(0);
        if (auto* const* target = std::get_if<int*>(&edit.target); target && *target) **target = v;
        char text[16];
        std::snprintf(text, sizeof text, "%i", v);
        return text;
    }
    case EDIT_SINGLE: {
        const float v = ParseSingle(plain).value_or(0.0f);
        if (auto* const* target = std::get_if<float*>(&edit.target); target && *target) **target = v;
        return Printed("%f", v);
    }
    case EDIT_DOUBLE: {
        const double v = ParseNumber<double>(plain).value_or(0.0);
        if (auto* const* target = std::get_if<double*>(&edit.target); target && *target) **target = v;
        return Printed("%f", v);
    }
    default:
        if (auto* const* target = std::get_if<std::string*>(&edit.target); target && *target)
            **target = plain;
        return plain;
    }
}

// The text of field i as typed; a field the caller did not pass keeps the
// text the page gave it. Fields hold at most kMaxEditChars characters.
std::string TypedText(const CPropertyPage& page, const std::vector<std::string>& typed, std::size_t i) {
    const std::string& text = i < typed.size() ? typed[i] : page.edits[i].text;
    return FirstCharacters(text, CPropertyPage::kMaxEditChars);
}

CPageEdit MakeEdit(const CPageRect& rect, const std::string& text, int kind) {
    CPageEdit edit;
    edit.rect = rect;
    edit.text = FirstCharacters(text, CPropertyPage::kMaxEditChars);
    edit.kind = kind;
    return edit;
}

} // namespace

void CPropertyPage::AddPicture(const CPageRect& rect, const std::string& file) {
    if (pictures.size() < kMaxPictures) pictures.push_back({rect, file});
}

void CPropertyPage::AddText(const CPageRect& rect, const std::string& text) {
    if (texts.size() < kMaxTexts) texts.push_back({rect, text});
}

void CPropertyPage::AddChoice(const CPageRect& rect, std::vector<std::string> items, int* target) {
    if (choices.size() < kMaxChoices) choices.push_back({rect, std::move(items), target});
}

void CPropertyPage::AddIntEdit(const CPageRect& rect, const std::string& text, int* target, int min,
                               int max) {
    if (edits.size() >= kMaxEdits) return;
    CPageEdit edit = MakeEdit(rect, text, EDIT_INTEGER);
    edit.target = target;
    edit.intMin = min;
    edit.intMax = max;
    edits.push_back(std::move(edit));
}

void CPropertyPage::AddSingleEdit(const CPageRect& rect, const std::string& text, float* target, float min,
                                  float max) {
    if (edits.size() >= kMaxEdits) return;
    CPageEdit edit = MakeEdit(rect, text, EDIT_SINGLE);
    edit.target = target;
    edit.singleMin = min;
    edit.singleMax = max;
    edits.push_back(std::move(edit));
}

void CPropertyPage::AddDoubleEdit(const CPageRect& rect, const std::string& text, double* target, double min,
                                  double max) {
    if (edits.size() >= kMaxEdits) return;
    CPageEdit edit = MakeEdit(rect, text, EDIT_DOUBLE);
    edit.target = target;
    edit.doubleMin = min;
    edit.doubleMax = max;
    edits.push_back(std::move(edit));
}

void CPropertyPage::AddTextEdit(const CPageRect& rect, const std::string& text, std::string* target) {
    if (edits.size() >= kMaxEdits) return;
    CPageEdit edit = MakeEdit(rect, text, EDIT_TEXT);
    edit.target = target;
    edits.push_back(std::move(edit));
}

void CPropertyPage::AddSpin(int edit, int position, const CPageRect& rect) {
    if (spins.size() >= kMaxSpins) return;
    const int clamped = position < kSpinMin ? kSpinMin : (position > kSpinMax ? kSpinMax : position);
    spins.push_back({edit, clamped, rect});
}

void CPropertyPage::AddUsageText(const CPageRect& rect, const std::string& text) {
    if (usage.size() < kMaxTexts) usage.push_back({rect, text});
}

CApplyResult ValidatePage(const CPropertyPage& page, const std::vector<std::string>& typed) {
    CApplyResult result;
    for (std::size_t i = 0; i < page.edits.size(); ++i) {
        if (!FieldValid(page.edits[i], TypedText(page, typed, i))) {
            result.badField = static_cast<int>(i);
            return result;
        }
    }
    result.ok = true;
    return result;
}

CApplyResult ApplyPage(const CPropertyPage& page, const std::vector<std::string>& typed,
                       const std::vector<int>& chosen) {
    CApplyResult result = ValidatePage(page, typed);
    if (!result.ok) return result;

    for (std::size_t i = 0; i < page.choices.size() && i < chosen.size(); ++i) {
        const CPageChoice& choice = page.choices[i];
        // An index the list does not hold is no selection: the target keeps its value.
        if (choice.target && chosen[i] >= 0 && chosen[i] < static_cast<int>(choice.items.size()))
            *choice.target = chosen[i];
    }
    for (std::size_t i = 0; i < page.edits.size(); ++i)
        result.shownTexts.push_back(StoreField(page.edits[i], TypedText(page, typed, i)));
    return result;
}

} // namespace ampera
