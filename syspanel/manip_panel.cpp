#include "syspanel/manip_panel.h"

#include <type_traits>
#include <vector>

#include "syspanel/panel_parameters.h"
#include "syspanel/sys_panel_toolbar.h"

IMPLEMENT_DYNCREATE(CManipPanelEdit, CSyspanelEdit)
IMPLEMENT_DYNCREATE(CManipPanelCheckBox, CXTPControlCheckBox)
IMPLEMENT_DYNCREATE(CManipPanelLabel, CXTPControlLabel)

namespace {

constexpr DWORD kReadOnlyEditStyle = 0x900;

struct FramePlaces {
    Korvo::UI::MainFrame* frame;
    CSysPanelToolbar* bar;
    Korvo::UI::SelectionFilterToolBar* toolBar;
};

CSysPanelToolbar* panelBarOf(Korvo::UI::MainFrame& frame) {
    CXTPCommandBars* bars = frame.GetCommandBars();
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (auto* panel = dynamic_cast<CSysPanelToolbar*>(bars->GetAt(i))) return panel;
    return nullptr;
}

// Every main frame with the two places a command's controls stand in.
std::vector<FramePlaces> framePlaces() {
    std::vector<FramePlaces> places;
    UIModuleProxy& module = UIModuleProxy::Instance();
    module.ForEachMainFrame([&](CFrameWnd* window) {
        Korvo::UI::MainFrame* frame = module.GetMainFrameOf(window->GetSafeHwnd());
        if (frame) places.push_back({frame, panelBarOf(*frame), frame->GetSelectionFilterToolBar()});
    });
    return places;
}

CSysPanelToolbar* activePanelBar() {
    Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    return active ? panelBarOf(*active) : nullptr;
}

// Whether the view stands on a visible bar of the active main frame: the frame's panel bar (its
// site in that frame) or the frame's selection-filter tool bar.
bool onActiveFrame(const CXTPControl& view, Korvo::UI::MainFrame& active) {
    if (CXTPCommandBar* bar = view.GetParent()) {
        CWnd* site = bar->GetSite();
        return bar->IsVisible() && site && UIModuleProxy::Instance().GetMainFrameOf(site->GetSafeHwnd()) == &active;
    }
    Korvo::UI::SelectionFilterToolBar* toolBar = active.GetSelectionFilterToolBar();
    return toolBar && toolBar->IsVisible() && view.GetControls() && view.GetControls() == toolBar->GetControls();
}

template <class View>
View* activeViewAs(const CKVSysPanelCtrlImpl* object) {
    return dynamic_cast<View*>(CManipPanel::ActiveView(object));
}

// Calls `apply` on every view of the object that is a `View`.
template <class View, class Apply>
void forEachView(const CKVSysPanelCtrlImpl* object, Apply apply) {
    if (!object) return;
    // A copy: applying may make a view go.
    const std::vector<CXTPControl*> views = object->GetControls();
    for (CXTPControl* view : views)
        if (auto* typed = dynamic_cast<View*>(view)) apply(*typed);
}

}  // namespace

// ---- The panel -------------------------------------------------------------------------------------

template <class View, class Object>
void CManipPanel::addViews(Object* object, int width, bool passActiveFrame) {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    for (const FramePlaces& places : framePlaces()) {
        const auto make = [&] {
            auto* view = new View(object);
            if (object && object->GetID() != 0) view->SetID(object->GetID());
            // The command sets the view's state; the idle update pass leaves it alone.
            view->SetFlags(xtpFlagManualUpdate);
            if constexpr (std::is_base_of_v<CXTPControlEdit, View>) view->SetWidth(width);
            return view;
        };
        if (places.bar) {
            View* view = make();
            if (m_empty) view->SetBeginGroup(TRUE);
            places.bar->InsertCommandControl(view, m_panelId);
        }
        if (places.toolBar) places.toolBar->AddControl(make(), m_panelId, passActiveFrame && places.frame == active);
    }
    m_empty = false;
}

void CManipPanel::AddEdit(CKVSysPanelEditImpl* object) {
    static const int width = XTPDpiHelper()->ScaleX(kEditWidth);
    addViews<CManipPanelEdit>(object, width, true);
}

void CManipPanel::AddCheckBox(CKVSysPanelCheckBoxImpl* object) { addViews<CManipPanelCheckBox>(object, 0, false); }

void CManipPanel::AddLabel(CKVSysPanelLabelImpl* object) { addViews<CManipPanelLabel>(object, 0, false); }

void CManipPanel::Clear() {
    for (const FramePlaces& places : framePlaces()) {
        if (CSysPanelToolbar* bar = places.bar) {
            // The focus must not stay in a window about to go: the drawing takes it.
            const HWND focus = ::GetFocus();
            if (focus && bar->GetSafeHwnd() && ::IsChild(bar->GetSafeHwnd(), focus)) {
                CKvw32Doc* document = KVGetActiveDoc(places.frame->AsWindow());
                if (CView* view = document ? document->GetActiveView() : nullptr) view->SetFocus();
            }
            bar->SetTrackingMode(FALSE);
            if (m_panelId == 1) bar->RemoveCommandControls();
            else bar->RemoveManipControls();
        }
        if (places.toolBar) {
            places.toolBar->SetTrackingMode(false);
            places.toolBar->RemoveAllControls(m_panelId);
        }
    }
    m_empty = true;
}

bool CManipPanel::IsPanelVisible() {
    CSysPanelToolbar* bar = activePanelBar();
    return bar && bar->IsVisible();
}

void CManipPanel::RecalcPanelLayout() {
    if (CSysPanelToolbar* bar = activePanelBar()) bar->OnRecalcLayout();
}

void CManipPanel::RepaintPanel() {
    CSysPanelToolbar* bar = activePanelBar();
    if (bar && bar->GetSafeHwnd()) bar->RedrawWindow();
}

CXTPControl* CManipPanel::ActiveView(const CKVSysPanelCtrlImpl* object) {
    Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    if (!object || !active) return nullptr;
    for (CXTPControl* view : object->GetControls())
        if (onActiveFrame(*view, *active)) return view;
    return nullptr;
}

void CManipPanel::SetControlEnabled(CKVSysPanelCtrlImpl* object, bool enabled) {
    forEachView<CXTPControl>(object, [&](CXTPControl& view) { view.SetEnabled(enabled ? TRUE : FALSE); });
}

void CManipPanel::SetControlVisible(CKVSysPanelCtrlImpl* object, bool visible) {
    forEachView<CXTPControl>(object, [&](CXTPControl& view) { view.SetVisible(visible ? TRUE : FALSE); });
}

bool CManipPanel::IsControlEnabled(CKVSysPanelCtrlImpl* object) {
    const CXTPControl* view = ActiveView(object);
    return view && view->GetEnabled();
}

void CManipPanel::SetEditValue(CKVSysPanelEditImpl* object, KVDocument* document, double value, short variable) {
    SysPanelValue packed;
    packed.value = value;
    packed.variable = variable;  // sign-extended
    forEachView<IDataExchange>(object, [&](IDataExchange& view) { view.SetValue(document, &packed); });
}

bool CManipPanel::GetEditValue(CKVSysPanelEditImpl* object, double* value, int* variable) {
    auto* exchange = activeViewAs<IDataExchange>(object);
    const auto* packed = exchange ? static_cast<const SysPanelValue*>(exchange->GetValue()) : nullptr;
    if (!packed) return false;
    if (value) *value = packed->value;
    if (variable) *variable = packed->variable;
    return true;
}

void CManipPanel::SetEditShowSign(CKVSysPanelEditImpl* object, bool show) {
    forEachView<CSyspanelEdit>(object, [&](CSyspanelEdit& view) { view.SetShowSign(show); });
}

bool CManipPanel::GetEditShowSign(CKVSysPanelEditImpl* object) {
    const auto* view = activeViewAs<CSyspanelEdit>(object);
    return view ? view->GetShowSign() : true;
}

void CManipPanel::SetEditFormatValue(CKVSysPanelEditImpl* object, double format) {
    forEachView<CSyspanelEdit>(object, [&](CSyspanelEdit& view) { view.SetFormatValue(format); });
}

double CManipPanel::GetEditFormatValue(CKVSysPanelEditImpl* object) {
    const auto* view = activeViewAs<CSyspanelEdit>(object);
    return view ? view->GetFormatValue() : 0.0;
}

void CManipPanel::SetEditReadOnly(CKVSysPanelEditImpl* object, bool readOnly) {
    forEachView<CXTPControlEdit>(object, [&](CXTPControlEdit& view) {
        view.SetReadOnly(readOnly ? TRUE : FALSE);
        // Only the read-only bits: the view's other flags (its manual update among them) stay, so
        // clearing read-only gives back the edit it was.
        if (readOnly) {
            view.SetEditStyle(view.GetEditStyle() | kReadOnlyEditStyle);
            view.SetFlags(view.GetFlags() | xtpFlagSkipFocus);
        } else {
            view.SetEditStyle(view.GetEditStyle() & ~kReadOnlyEditStyle);
            view.SetFlags(view.GetFlags() & ~xtpFlagSkipFocus);
        }
    });
}

void CManipPanel::SetEditFocus(CKVSysPanelEditImpl* object) {
    auto* view = activeViewAs<CXTPControlEdit>(object);
    CXTPControlEditCtrl* window = view ? view->GetEditCtrl() : nullptr;
    if (window && window->GetSafeHwnd()) window->SetFocus();
}

void CManipPanel::SetEditSel(CKVSysPanelEditImpl* object, int start, int end, bool noScroll) {
    forEachView<CXTPControlEdit>(object, [&](CXTPControlEdit& view) {
        CXTPControlEditCtrl* window = view.GetEditCtrl();
        if (!window || !window->GetSafeHwnd()) return;
        window->SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
        if (!noScroll) window->SendMessage(EM_SCROLLCARET, 0, 0);
    });
}

void CManipPanel::SetCheckBoxChecked(CKVSysPanelCheckBoxImpl* object, bool checked) {
    forEachView<CXTPControlCheckBox>(object, [&](CXTPControlCheckBox& view) { view.SetChecked(checked ? TRUE : FALSE); });
}

bool CManipPanel::IsCheckBoxChecked(CKVSysPanelCheckBoxImpl* object) {
    const auto* view = activeViewAs<CXTPControlCheckBox>(object);
    if (!view) return false;
    // A box bound to an action shows the action's state unless it has its own.
    const BOOL own = view->GetChecked();
    const CXTPControlAction* action = view->GetAction();
    return (own == 0 && action ? action->GetChecked() : own) != 0;
}

void CManipPanel::SetLabelCaption(CKVSysPanelLabelImpl* object, const wchar_t* text) {
    forEachView<CXTPControlLabel>(object, [&](CXTPControlLabel& view) { view.SetCaption(text ? text : L""); });
}

CString CManipPanel::GetLabelCaption(CKVSysPanelLabelImpl* object) {
    const auto* view = activeViewAs<CXTPControlLabel>(object);
    return view ? view->GetCaption() : CString();
}

// ---- The views -------------------------------------------------------------------------------------

CManipPanelEdit::CManipPanelEdit(CKVSysPanelEditImpl* object) : CSyspanelEdit(std::string_view(), 0, 0.1) {
    attach(object, this);
}

CManipPanelEdit::~CManipPanelEdit() { detach(this); }

void CManipPanelEdit::SetValue(KVDocument*, const void* value) {
    CSyspanelEdit::SetValue(GetControlDocument(this), value);
}

void CManipPanelEdit::OnEditChanged() {
    CSyspanelEdit::OnEditChanged();
    CKVSysPanelEditImpl* object = GetKernelObject();
    if (!object) return;
    if (IsNumericEx(GetEditText())) object->OnFirstNotify(this);
    else object->OnSecondNotify(this);
}

bool CManipPanelEdit::OnHookKeyDown(UINT key, UINT flags) {
    m_lastKey = static_cast<int>(key);
    CKVSysPanelEditImpl* object = GetKernelObject();
    if (!object) return false;
    switch (key) {
        case VK_RETURN:
        case VK_F6:
        case VK_F8:
        case VK_F9:
        case VK_F11: object->OnFirstNotify(this); break;
        case VK_UP:
        case VK_DOWN: object->OnSecondNotify(this); break;
        default: break;
    }
    // The notification may have ended the command and its object with it.
    object = GetKernelObject();
    return object && object->OnKeyHook(this, key, flags) != 0;
}

void CManipPanelEdit::OnKillFocus() {
    CSyspanelEdit::OnKillFocus();
    CKVSysPanelEditImpl* object = GetKernelObject();
    if (object && m_lastKey != VK_RETURN && m_lastKey != VK_ESCAPE) object->OnThirdNotify(this);
}

CManipPanelCheckBox::CManipPanelCheckBox(CKVSysPanelCheckBoxImpl* object) { attach(object, this); }

CManipPanelCheckBox::~CManipPanelCheckBox() { detach(this); }

void CManipPanelCheckBox::OnExecute() {
    if (!GetEnabled() || !IsVisible()) return;
    SetChecked(GetChecked() ? FALSE : TRUE);
    if (CKVSysPanelCheckBoxImpl* object = GetKernelObject()) object->OnFirstNotify(this);
}

CManipPanelLabel::CManipPanelLabel(CKVSysPanelLabelImpl* object) { attach(object, this); }

CManipPanelLabel::~CManipPanelLabel() { detach(this); }
