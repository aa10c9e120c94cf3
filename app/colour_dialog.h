// "改变颜色": the three display colours of the run (background, wires, text).
// Each button opens the colour chooser; a confirmed choice applies at once,
// Cancel puts back the colours the dialog opened with.
#pragma once

#include "app/core/display_colours.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;

namespace ampera {

class CColourDialog : public QDialog {
  public:
    using Chooser = std::function<std::optional<std::uint32_t>(std::uint32_t initial, QWidget* parent)>;
    // Called after every change of the colours (a choice, or Cancel), so the
    // window hands them on; `textChosen` asks for the empty 2000 ms notice.
    using Applied = std::function<void(bool textChosen)>;

    CColourDialog(CColourDialogModel& model, Chooser chooser, Applied applied, QWidget* parent = nullptr);

    QPushButton* Button(ColourSlot slot) const { return m_buttons[slot]; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // Where the swatch of a button is drawn (dialog pixels).
    QRect SwatchRect(ColourSlot slot) const;

    void accept() override;
    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Choose(ColourSlot slot);

    CColourDialogModel& m_model;
    Chooser m_chooser;
    Applied m_applied;
    QPushButton* m_buttons[3] = {};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

// The standard colour chooser (QColorDialog), in and out as 0x00BBGGRR.
std::optional<std::uint32_t> ChooseColourWithDialog(std::uint32_t initial, QWidget* parent);

} // namespace ampera
