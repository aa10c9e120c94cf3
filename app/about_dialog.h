// The About box: the product's name and edition, the maker's contact lines
// and two links (home page and e-mail) that open with the desktop's own
// programs.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace ampera {

inline constexpr const char* kHomePage = "https://ampera.example.org/";
inline constexpr const char* kContactMail = "bench@example.org";

// A link text that shows the hand cursor and the highlight colour while the
// mouse is over it and opens its address on a left click.
class CLinkLabel : public QLabel {
  public:
    using Opener = std::function<void(const QUrl&)>;
    // `open` (null: the desktop's handler) opens the address on a click.
    CLinkLabel(const QString& text, QUrl target, Opener open, QWidget* parent = nullptr);
    const QUrl& Target() const { return m_target; }
    bool Highlighted() const { return m_highlighted; }

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void SetHighlighted(bool on);

    QUrl m_target;
    Opener m_open;
    bool m_highlighted = false;
};

class CAboutDialog : public QDialog {
  public:
    explicit CAboutDialog(CLinkLabel::Opener open = {}, QWidget* parent = nullptr);
    CLinkLabel* HomeLink() const { return m_home; }
    CLinkLabel* MailLink() const { return m_mail; }

  private:
    CLinkLabel* m_home = nullptr;
    CLinkLabel* m_mail = nullptr;
};

} // namespace ampera
