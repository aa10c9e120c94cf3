// A property window "属性": one device in up to three tab pages, "面板操作"
// (its front panel drawn large and worked with the mouse), "参数设置" (edit
// fields and choice lists written into the device on "应用") and "使用说明"
// (usage notes). Four windows exist, one per group of device kinds; which
// pages a window has depends on its index. The device describes the pages
// itself (CDevice::FillPropertyPage).
#pragma once

#include "app_services.h"
#include "devices/property_page.h"
#include "devices/screen_instrument.h"

#include <QString>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace ampera {

class CExperiment;
class CPanelView;
class CRenderer;
struct CBoardEvent;

namespace frame_detail {
class CPanelLink;
struct CApplyLink;
} // namespace frame_detail

class CPropertyFrame : public QWidget, public IPropertyWindow {
  public:
    static constexpr const char* kPanelTab = "面板操作";
    static constexpr const char* kParameterTab = "参数设置";
    static constexpr const char* kUsageTab = "使用说明";
    static constexpr const char* kRangeMessage = "请在正确的范围内填写";
    static constexpr const char* kHiddenText = "隐藏数值";
    static constexpr const char* kLockedMessage = "实验已锁定，不能修改参数。";

    // Hands a task to the frame loop (the main window queues it on the board
    // view), so device fields are written on the thread that reads them.
    using LoopRunner = std::function<void(std::function<void()>)>;
    // Shows a message box over the window; tests put their own in.
    using MessageHook = std::function<void(QWidget* parent, const QString& text)>;
    // Asks where to save an export: a title and a filter ("CSV 表格(*.csv)|*.csv|");
    // nullopt when the user cancels.
    using SaveDialog = std::function<std::optional<std::string>(const std::string& title, const std::string& filter)>;
    static constexpr const char* kMeasureText = "测量";
    static constexpr const char* kCursorText = "光标";
    static constexpr const char* kExportTraceText = "导出波形数据...";
    static constexpr const char* kExportScreenText = "导出屏幕图片...";
    static constexpr const char* kTraceFilter = "CSV 表格(*.csv)|*.csv|";
    static constexpr const char* kScreenFilter = "PNG 图片(*.png)|*.png|";
    static constexpr const char* kDarkScreenMessage = "示波器的电源没有打开，屏幕上没有波形可以导出。";

    CPropertyFrame(int index, CAppServices& services, CExperiment& experiment, QWidget* parent = nullptr);
    ~CPropertyFrame() override;

    // Without a runner, or while the loop is stopped, an apply writes at once.
    void SetLoopRunner(LoopRunner runner) { m_runOnLoop = std::move(runner); }
    // Null restores the default (a modal box captioned "Ampera").
    static void SetMessageHook(MessageHook hook);
    // Without one, exports are not offered.
    void SetSaveDialog(SaveDialog dialog) { m_saveDialog = std::move(dialog); }

    // IPropertyWindow. Calls from the frame-loop thread read the device
    // there and do their widget work later on the user-interface thread;
    // IsVisible, Flag and HideIfShowing answer from any thread.
    void Show() override;
    void Hide() override;
    bool IsVisible() const override { return m_visible.load(); }
    void SetDevice(CComponent* device, int index) override;
    void SetPanelDevice(CComponent* device) override;
    void HideIfShowing(CComponent* device) override;
    bool Flag() const override { return m_flag.load(); }
    void SetFlag(bool flag) override { m_flag.store(flag); }
    void ClearDevice() override;
    void ClearIfShowing(CComponent* device) override;
    void RefreshIfShowing(CComponent* device) override;

    // What the window shows, for the main window and for tests.
    int Index() const { return m_index; }
    CComponent* Device() const { return m_device.load(); }
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* ApplyButton() const { return m_apply; }
    // "隐藏数值" on the parameter page of a device with a value (else null).
    QCheckBox* HiddenBox() const { return m_hiddenBox; }
    const std::vector<QLineEdit*>& Edits() const { return m_edits; }
    const std::vector<QComboBox*>& Choices() const { return m_choices; }
    QSpinBox* Spin() const { return m_spin; }
    const std::vector<QLabel*>& ParameterTexts() const { return m_texts; }
    const std::vector<QLabel*>& UsageTexts() const { return m_usageTexts; }
    // The panel page's drawing surface and its view (null without a panel page).
    QWidget* PanelSurface() const { return m_panelSurface; }
    CPanelView* PanelView() const;
    // A screen instrument's report under its panel: the measurements (with
    // their switch), the cursors' switch and channel, and the two exports;
    // null without a panel page. Shown only for devices with a screen.
    QWidget* ReportBox() const { return m_reportBox; }
    QLabel* ReportLabel() const { return m_reportLabel; }
    QCheckBox* MeasureBox() const { return m_measureBox; }
    QCheckBox* CursorBox() const { return m_cursorBox; }
    QComboBox* CursorChannelBox() const { return m_cursorChannel; }
    QPushButton* ExportTraceButton() const { return m_exportTrace; }
    QPushButton* ExportScreenButton() const { return m_exportScreen; }
    // Shows the newest report of the panel view, if it changed.
    void RefreshReport();
    void ExportTrace();
    void ExportScreen();
    // Validates and writes the parameter page, as "应用" does.
    void Apply();
    // The colour of the texts the panel page draws (0xAARRGGBB).
    void SetTextColour(std::uint32_t argb);
    // Follows the experiment's lock: a locked experiment's parameters and
    // hidden marks cannot be applied (the panel page still works).
    void SyncLock();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs `work` now on the user-interface thread, or queues it there.
    template <class F> void OnUiThread(F work);
    // The description a device gives of its pages (a default for objects
    // that are no devices), with the choices' current indices read from
    // their targets at the same time, on the thread that owns the device.
    struct Description {
        CPropertyPage page;
        std::vector<int> chosen;
        bool hasValue = false; // a value a teacher can hide
        bool hidden = false;
        bool screen = false; // the device has a screen instrument
        CScopeCursors cursors;
        CPanelRect screenRect;
    };
    static Description Describe(CComponent* device);
    void ShowDevice(CComponent* device, const Description& description);
    void PlacePanel(CComponent* device, const CPropertyPage& page);
    void RefreshParameterPage();
    void RefreshUsagePage();
    // A message box over the window (or the test's hook).
    void Tell(const QString& text);
    void AfterApply(CComponent* device, std::uint64_t serial, const std::vector<std::string>& shown);
    void SetPanelVisible(bool visible);
    void DepositMouse(QEvent* event);
    void MakeReportBox();
    void PlaceReport(const CPropertyPage& page, int top, int width);
    // Runs `work` on the frame loop with the screen instrument the panel
    // shows, unless the window or its device has gone meanwhile.
    void RunOnScreen(std::function<void(CScreenInstrument&)> work);

    int m_index;
    CAppServices& m_services;
    CExperiment& m_experiment;
    LoopRunner m_runOnLoop;

    QTabWidget* m_tabs = nullptr;
    QPushButton* m_apply = nullptr;
    QScrollArea* m_parameterPage = nullptr;
    QScrollArea* m_usagePage = nullptr;
    QWidget* m_panelPage = nullptr;
    QWidget* m_panelSurface = nullptr;
    QWidget* m_panelGl = nullptr; // the panel's drawing window (null without OpenGL)
    QWidget* m_reportBox = nullptr;
    QLabel* m_reportLabel = nullptr;
    QCheckBox* m_measureBox = nullptr;
    QCheckBox* m_cursorBox = nullptr;
    QComboBox* m_cursorChannel = nullptr;
    QPushButton* m_exportTrace = nullptr;
    QPushButton* m_exportScreen = nullptr;
    QTimer* m_reportTimer = nullptr;
    std::uint64_t m_reportSeen = ~std::uint64_t{0};
    SaveDialog m_saveDialog;

    // The page shown now (user-interface thread).
    CComponent* m_shown = nullptr;
    CPropertyPage m_page;
    std::vector<int> m_chosenAtFill;
    std::vector<QLineEdit*> m_edits;
    std::vector<QComboBox*> m_choices;
    std::vector<QLabel*> m_texts;
    std::vector<QLabel*> m_usageTexts;
    QSpinBox* m_spin = nullptr;
    QCheckBox* m_hiddenBox = nullptr;
    Description m_described;

    std::unique_ptr<CRenderer> m_renderer;
    std::unique_ptr<frame_detail::CPanelLink> m_panel;
    std::shared_ptr<frame_detail::CApplyLink> m_applyLink;

    std::atomic<CComponent*> m_device{nullptr};
    // Numbers every device change; queued work for an older one is dropped.
    std::atomic<std::uint64_t> m_serial{0};
    std::atomic<bool> m_visible{false};
    std::atomic<bool> m_flag{false};
};

} // namespace ampera
