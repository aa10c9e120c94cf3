#include "view_routing.h"

#include "command_ids.h"
#include "devices/kind_registry.h"
#include "edit_commands.h"
#include "menu_rules.h"
#include "views/app_services.h"
#include "views/tool_controller.h"

namespace ampera {

namespace {

IPropertyWindow* Window(CAppServices& services, int index) {
    return services.GetPropertyWindow(index);
}

bool Visible(CAppServices& services, int index) {
    IPropertyWindow* window = Window(services, index);
    return window && window->IsVisible();
}

void Show(CAppServices& services, int index) {
    if (IPropertyWindow* window = Window(services, index)) window->Show();
}

void Hide(CAppServices& services, int index) {
    if (IPropertyWindow* window = Window(services, index)) window->Hide();
}

void Toggle(CAppServices& services, int index) {
    IPropertyWindow* window = Window(services, index);
    if (!window) return;
    if (window->IsVisible())
        window->Hide();
    else
        window->Show();
}

bool BarVisible(CAppServices& services) {
    return Visible(services, 0) || Visible(services, 1) || Visible(services, 3);
}

} // namespace

CComponent* FirstHit(const CExperiment& experiment, int x, int y) {
    for (CComponent* component : experiment.AllObjects())
        if (component->HitTest(x, y)) return component;
    return nullptr;
}

CComponent* LastHit(const CExperiment& experiment, int x, int y) {
    CComponent* last = nullptr;
    for (CComponent* component : experiment.AllObjects())
        if (component->HitTest(x, y)) last = component;
    return last;
}

CLeftReleaseCommand::CLeftReleaseCommand(CExperiment& experiment, int x, int y,
                                         std::function<void(CComponent*)> done)
    : m_experiment(experiment), m_x(x), m_y(y), m_done(std::move(done)) {}

void CLeftReleaseCommand::Do() {
    CComponent* hit = LastHit(m_experiment, m_x, m_y);
    if (hit) m_experiment.m_boardState.selection = hit;
    if (m_done) m_done(hit);
}

void ShowGroupWindows(CAppServices& services, int group) {
    services.PostToMain(group);
    switch (group) {
    case GROUP_PASSIVE:
        if (BarVisible(services)) {
            Show(services, 0);
            Hide(services, 1);
            Hide(services, 3);
        }
        break;
    case GROUP_PANEL:
        if (BarVisible(services)) {
            Show(services, 3);
            Hide(services, 1);
            Hide(services, 0);
        }
        break;
    case GROUP_PLAIN:
        if (Visible(services, 0) || Visible(services, 1)) Show(services, 1);
        Hide(services, 0);
        Hide(services, 3);
        break;
    default: // window 2 is never shown or hidden by a selection
        break;
    }
}

CRightPressResult RouteRightPress(CExperiment& experiment, CAppServices* services, int x, int y) {
    CRightPressResult result;
    experiment.m_boardState.selection = nullptr;
    if (CComponent* hit = FirstHit(experiment, x, y)) {
        result.item = hit;
        result.itemType = hit->TypeCode();
        experiment.m_boardState.selection = hit;
        CRectF region;
        if (hit->Category() != CATEGORY_NODE && hit->Category() != CATEGORY_WIRE &&
            OutlineRegionOf(*hit, region))
            experiment.m_boardState.outlines = {region};
        if (services) ShowGroupWindows(*services, PropertyGroupOf(hit->TypeCode()));
    }
    result.hasComponents = !experiment.AllObjects().empty();
    result.hasDevices = !experiment.Devices().empty();
    result.namesShown = experiment.m_showNames != 0;
    return result;
}

CRightPressCommand::CRightPressCommand(CExperiment& experiment, CAppServices* services, int x, int y,
                                       const CToolController* controller,
                                       std::function<void(const CRightPressResult&)> done)
    : m_experiment(experiment), m_services(services), m_x(x), m_y(y), m_controller(controller),
      m_done(std::move(done)) {}

void CRightPressCommand::Do() {
    // Read before the press reaches the controller: the menu opens only when
    // the press found the board idle.
    const bool defaultTool = !m_controller || m_controller->InDefaultTool();
    CRightPressResult result = RouteRightPress(m_experiment, m_services, m_x, m_y);
    result.defaultTool = defaultTool;
    if (m_done) m_done(result);
}

void HandlePropertyCode(CAppServices& services, int code, CComponent* selection) {
    if (!selection) {
        for (int index : {1, 0, 2, 3}) {
            if (IPropertyWindow* window = Window(services, index)) {
                window->SetDevice(nullptr, index);
                window->Hide();
            }
        }
        return;
    }
    const int group = PropertyGroupOf(selection->TypeCode());
    if (code < 0 || code >= CAppServices::kPropertyWindows) return;
    if (code != GROUP_PLAIN && group != code) return;
    if (IPropertyWindow* window = Window(services, code)) window->SetDevice(selection, code);
}

void HandleMainCode(CAppServices& services, int code, CComponent* selection) {
    if (code >= MAIN_CODE_PROPERTY_0 && code <= MAIN_CODE_PROPERTY_3)
        HandlePropertyCode(services, code, selection);
    else if (code == MAIN_CODE_CURSOR_MOVE)
        services.SetCursorShape(1);
    else if (code == MAIN_CODE_CURSOR_UP)
        services.SetCursorShape(2);
    else if (code == MAIN_CODE_CURSOR_ARROW)
        services.SetCursorShape(0);
}

void TogglePropertyBar(CExperiment& experiment, CAppServices& services, CComponent* contextItem,
                       const CommandSink& enqueue) {
    if (!contextItem) return;
    const int group = PropertyGroupOf(contextItem->TypeCode());
    enqueue(std::make_shared<CSelectAndShowCommand>(experiment, &services, contextItem, group));
    if (group == GROUP_SCREEN) {
        Toggle(services, 2);
    } else if (!BarVisible(services)) {
        Show(services, group);
    } else {
        Hide(services, 0);
        Hide(services, 1);
        Hide(services, 3);
    }
}

void TogglePropertyWindow2(CExperiment& experiment, CAppServices& services, CComponent* contextItem,
                           const CommandSink& enqueue) {
    if (!contextItem) return;
    enqueue(std::make_shared<CSelectAndShowCommand>(experiment, &services, contextItem, GROUP_SCREEN));
    Toggle(services, 2);
}

bool SwitchView(CExperiment& experiment, CAppServices* services, CComponent* contextItem, CMenuModel& model,
                const CommandSink& enqueue) {
    enqueue(std::make_shared<CSelectAndShowCommand>(experiment, services, contextItem, GROUP_PASSIVE));
    if (services) {
        IDeviceWindow* bar = services->GetDeviceWindow();
        if (bar && bar->IsVisible()) bar->Hide();
        if (Visible(*services, 0)) Hide(*services, 0);
    }
    experiment.m_realView = experiment.m_realView ? 0 : 1;
    const bool realView = experiment.m_realView != 0;
    ViewSwitchedState(model, realView);
    return realView;
}

bool ToggleNames(CExperiment& experiment, CMenuModel& model, const CommandSink& enqueue) {
    enqueue(std::make_shared<CNothingCommand>());
    experiment.m_showNames = experiment.m_showNames ? 0 : 1;
    const bool shown = experiment.m_showNames != 0;
    ShowNamesState(model, shown);
    return shown;
}

bool ToggleDeviceBar(CAppServices& services, CMenuModel& model) {
    IDeviceWindow* bar = services.GetDeviceWindow();
    if (!bar) return false;
    const bool show = !bar->IsVisible();
    if (show)
        bar->Show();
    else
        bar->Hide();
    DeviceBarState(model, show);
    return show;
}

} // namespace ampera
