// The device bar: the tool window "器材栏" the student takes devices from. It
// shows four groups, each a title button and a pane of picture buttons, one
// per device kind. A click on a device button makes that button's template
// device the pending device (the board view places copies of it) and shows the
// template in the property window of its group.
#pragma once

#include "app_services.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

class QAbstractButton;
class QTimer;

namespace ampera {

class CExperiment;
struct CDeviceKind;

namespace bar_detail {
class CBarTitleButton;
class CBarDeviceButton;
class CBarPane;
} // namespace bar_detail

// A picture named without a folder is looked for under its own name first
// (relative to the current folder), then as <asset folder>/pic/<name>. A null
// pixmap when neither opens.
QPixmap LoadBarPicture(const QString& name);

class CDeviceBar : public QWidget, public IDeviceWindow {
  public:
    static constexpr int kWidth = 165;
    static constexpr int kHeight = 520;
    static constexpr int kTitleHeight = 20;
    static constexpr int kMaxGroups = 10;
    static constexpr int kAnimationSteps = 15;
    static constexpr int kAnimationPeriodMs = 1;

    CDeviceBar(CAppServices& services, CExperiment& experiment, QWidget* parent = nullptr);
    ~CDeviceBar() override;

    // IDeviceWindow. PendingDevice and IsVisible answer at once from any
    // thread; Show, Hide and Release coming from another thread do their
    // widget work later, on the user-interface thread.
    void Show() override;
    void Hide() override;
    bool IsVisible() const override { return m_visible.load(); }
    CComponent* PendingDevice() const override { return m_pending.load(); }
    void Release() override;

    // What the bar holds, for the main window and for tests.
    int GroupCount() const { return static_cast<int>(m_groups.size()); }
    QString GroupTitle(int group) const;
    int ButtonCount(int group) const;
    QAbstractButton* TitleButton(int group) const;
    QAbstractButton* DeviceButton(int group, int button) const;
    QString ButtonCaption(int group, int button) const;
    CComponent* ButtonTemplate(int group, int button) const;
    // The pane of a group and its two arrow buttons (null for a bad group).
    QWidget* Pane(int group) const;
    QAbstractButton* ScrollUpButton(int group) const;
    QAbstractButton* ScrollDownButton(int group) const;
    // The open group; while a change is animated, the group being opened.
    int SelectedGroup() const { return m_selected; }
    bool Animating() const { return m_stepsLeft > 0; }
    // Whether a device button is drawn pressed (the pending device's button).
    bool ButtonPressed(int group, int button) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Group {
        QString title;
        bar_detail::CBarTitleButton* titleButton = nullptr;
        bar_detail::CBarPane* pane = nullptr;
        int titleY = 0;  // where the title button is now
        int startY = 0;  // where it was when the animation started
        int targetY = 0; // where it ends
        int step = 0;    // pixels per animation tick
    };
    // Adds a group with its buttons; false (and nothing added) past ten groups.
    bool AddGroup(const QString& title, const std::vector<const CDeviceKind*>& kinds);
    void SelectGroup(int group);
    void AnimationTick();
    // The resting place of every title with `selected` open.
    void ComputeTargets(int selected);
    // Places the titles at their current y and the panes between them.
    void LayOut();
    void OnDeviceClicked(bar_detail::CBarDeviceButton* button);
    // Draws every button pressed or not as the pending device says.
    void SyncPressedButtons();
    void ShowInPropertyWindow(CComponent* device);
    // Runs `work` now on the user-interface thread, or queues it there.
    template <class F> void OnUiThread(F work);
    void ReportMissingPicture(const QString& name);

    CAppServices& m_services;
    CExperiment& m_experiment;
    std::vector<Group> m_groups;
    std::vector<std::unique_ptr<CComponent>> m_templates; // never added to the experiment
    int m_selected = 0;
    int m_stepsLeft = 0;
    QTimer* m_animation = nullptr;
    bool m_reportedMissing = false;
    QPixmap m_titlePicture; // "barbutton.bmp"
    QPixmap m_arrowPicture; // "ButtonsWin3000.bmp"
    std::atomic<CComponent*> m_pending{nullptr};
    std::atomic<bool> m_visible{false};
};

} // namespace ampera
