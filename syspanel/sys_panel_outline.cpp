#include "syspanel/sys_panel_outline.h"

#include "platform/korvoui.h"
#include "services/command_bars.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

CSysPanelToolbar* panelOf(HWND frame) {
    Korvo::UI::MainFrame* mainFrame = UIModuleProxy::Instance().GetMainFrameOf(frame);
    CXTPCommandBars* bars = mainFrame && mainFrame->AsWindow()->GetSafeHwnd() == frame ? mainFrame->GetCommandBars() : nullptr;
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (auto* panel = dynamic_cast<CSysPanelToolbar*>(bars->GetAt(i))) return panel;
    return nullptr;
}

std::wstring kindOf(const CXTPControl& control) {
    if (dynamic_cast<const CSyspanelEdit*>(&control)) return L"edit";
    if (dynamic_cast<const CFontComboBox*>(&control)) return L"font";
    if (dynamic_cast<const CColorPopupControl*>(&control)) return L"colour";
    if (dynamic_cast<const CLayerPopupControl*>(&control)) return L"layer";
    if (dynamic_cast<const LCSPopupControl*>(&control)) return L"lcs";
    if (dynamic_cast<const CMaterialPopup*>(&control)) return L"material";
    if (dynamic_cast<const CStaticImageControl*>(&control)) return L"icon";
    if (dynamic_cast<const Korvo::UI::SelectionFilterButton*>(&control)) return L"filter";
    if (control.GetType() == xtpControlCheckBox) return L"check";
    if (control.GetType() == xtpControlLabel) return L"label";
    return L"button";
}

std::wstring groupOf(const CSysPanelToolbar& panel, const CXTPControl& control) {
    const CXTPControls* controls = panel.GetControls();
    const int index = controls->IndexOf(&control);
    for (int group = 1; group <= 2; ++group) {
        const int first = panel.FindGroupMarker(CSysPanelToolbar::kGroupFirst[group - 1], 0);
        if (first < 0 || index < first) continue;
        const int last = panel.FindGroupMarker(CSysPanelToolbar::kGroupLast[group - 1], first);
        if (index <= (last < 0 ? first : last)) return std::to_wstring(group);
    }
    return L"-";
}

std::size_t editValueListSize(const CSyspanelEdit& edit) {
    const CSyspanelEditCtrl* window = edit.GetSyspanelEditCtrl();
    return window ? static_cast<std::size_t>(window->GetValueList().GetSize()) : 0;
}

std::wstring quotedText(const CString& text) { return L"\"" + std::wstring(text.view()) + L"\""; }

// The value as the control holds it; popups show their word, filter buttons their tooltip.
std::wstring valueOf(CXTPControl& control) {
    if (dynamic_cast<Korvo::UI::SelectionFilterButton*>(&control)) return quotedText(control.GetTooltip());
    if (auto* edit = dynamic_cast<CSyspanelEdit*>(&control))
        return quotedText(edit->GetEditText()) + L" list " + std::to_wstring(editValueListSize(*edit));
    if (auto* edit = dynamic_cast<CXTPControlEdit*>(&control)) return quotedText(edit->GetEditText());
    if (auto* font = dynamic_cast<CFontComboBox*>(&control))
        return quotedText(*static_cast<const CString*>(font->GetValue()));
    if (auto* material = dynamic_cast<CMaterialPopup*>(&control))
        return quotedText(static_cast<const MaterialRecord*>(material->GetValue())->name);
    if (dynamic_cast<CColorPopupControl*>(&control) || dynamic_cast<CLayerPopupControl*>(&control) ||
        dynamic_cast<LCSPopupControl*>(&control))
        return std::to_wstring(*static_cast<const std::int32_t*>(dynamic_cast<IDataExchange&>(control).GetValue()));
    return L"-";
}

// What a chooser control draws besides its value: the colour's name, the layer's name and marks.
std::wstring drawnTextOf(const CXTPControl& control) {
    if (const auto* colour = dynamic_cast<const CColorPopupControl*>(&control))
        return L" shows " + quotedText(colour->GetDrawnText());
    if (const auto* layer = dynamic_cast<const CLayerPopupControl*>(&control))
        return L" shows " + quotedText(layer->GetDrawnText());
    if (const auto* material = dynamic_cast<const CMaterialPopup*>(&control))
        return L" shows " + quotedText(material->GetDrawnText());
    if (const auto* system = dynamic_cast<const LCSPopupControl*>(&control))
        return L" shows " + quotedText(system->GetDrawnText());
    return {};
}

// A parameter edit's window: whether it exists, its modification flag and its spin mode.
std::wstring editWindowOf(const CXTPControl& control) {
    const auto* edit = dynamic_cast<const CSyspanelEdit*>(&control);
    if (!edit) return {};
    const CSyspanelEditCtrl* window = edit->GetSyspanelEditCtrl();
    if (!window) return L" no-window";
    return std::wstring(L" window") + (window->GetModify() ? L" modified" : L" unmodified") + L" spin-mode " +
           std::to_wstring(window->GetSpinMode());
}

// The ribbon's parameter control with the id, when the frame has a ribbon holding one.
CXTPControl* ribbonTwinOf(HWND frame, int id) {
    Korvo::UI::MainFrame* mainFrame = UIModuleProxy::Instance().GetMainFrameOf(frame);
    CXTPCommandBars* bars = mainFrame ? mainFrame->GetCommandBars() : nullptr;
    CXTPControl* found = nullptr;
    for (int i = 0; bars && i < bars->GetCount() && !found; ++i)
        if (auto* ribbon = dynamic_cast<RibbonBarServices*>(bars->GetAt(i)))
            ribbon->ForEachControl(
                [&](CXTPControl* control) {
                    if (!found && control->GetID() == id && dynamic_cast<IDataExchange*>(control)) found = control;
                },
                true);
    return found;
}

// What the toolkit keeps of every control: its run-time class, tag word, group start, check
// mark, icon id and tooltip.
std::wstring controlStateOf(const CXTPControl& control) {
    const CRuntimeClass* runtimeClass = control.GetRuntimeClass();
    std::wstring name;
    for (const char* c = runtimeClass ? runtimeClass->m_lpszClassName : "?"; *c; ++c) name.push_back(static_cast<wchar_t>(*c));
    return L" class " + name + L" tag " + std::to_wstring(control.GetTag()) +
           (control.GetBeginGroup() ? L" begins-group" : L" in-group") +
           (control.GetChecked() ? L" checked" : L" unchecked") + L" icon " + std::to_wstring(control.GetIconId()) +
           L" tooltip " + quotedText(control.GetTooltip());
}

}  // namespace

std::wstring SysPanelOutline(HWND frame) {
    CSysPanelToolbar* panel = panelOf(frame);
    if (!panel) return {};
    const int set = panel->GetCurrentFilterSet();
    std::wstring out = std::wstring(panel->IsVisible() ? L"bar visible" : L"bar hidden") + L" filter-set " +
                       (set < 0 ? std::wstring(L"none") : std::to_wstring(set)) + L"\n";
    const CXTPControls* controls = panel->GetControls();
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl& control = *controls->GetAt(i);
        out += L"  " + std::to_wstring(control.GetID()) + L" " + kindOf(control) + L" group " + groupOf(*panel, control) +
               L" " + valueOf(control) + drawnTextOf(control) + editWindowOf(control) + (control.GetEnabled() ? L" enabled" : L" disabled") +
               (control.IsVisible() ? L" visible" : L" hidden") + controlStateOf(control);
        if (CXTPControl* twin = ribbonTwinOf(frame, control.GetID())) out += L" ribbon " + valueOf(*twin);
        out += L"\n";
    }
    return out;
}

namespace {

std::wstring fontComboOutline(const wchar_t* where, CFontComboBox& combo) {
    const CFontComboBoxList& list = combo.GetList();
    const HWND window = list.GetListWindow();
    std::wstring out = std::wstring(where) + L" font combo shows " + quotedText(combo.GetEditText()) + L" selected " +
                       std::to_wstring(combo.GetCurSel()) + L" name " + quotedText(combo.GetSelectedFontName()) +
                       L" kind " + std::to_wstring(combo.GetSelectedFontKind());
    if (!window) return out + L" no list window\n";
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    out += std::wstring(L" list window ") + ((style & WS_POPUP) ? L"pop-up" : L"child") + L" owned by " +
           (::GetWindow(window, GW_OWNER) == ::GetParent(window) && ::GetParent(window) ? L"the frame" : L"another window") +
           L" items " + std::to_wstring(::SendMessageW(window, LB_GETCOUNT, 0, 0)) + L" item height " +
           std::to_wstring(::SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)) + L"\n";
    for (int index = 0; index < list.GetEntryCount(); ++index) {
        const CFontComboBoxList::Entry* entry = list.GetEntry(index);
        const UINT bitmap = CFontComboBoxList::BitmapOf(*entry);
        out += L"  " + std::to_wstring(index) + L" " + quotedText(combo.GetLBText(index)) + L" kind " +
               std::to_wstring(entry->kind) +
               (bitmap ? L" bitmap " + std::to_wstring(bitmap) : std::wstring(L" indented")) + L"\n";
    }
    return out;
}

}  // namespace

std::wstring FontListOutline(HWND frame) {
    std::wstring out;
    if (CSysPanelToolbar* panel = panelOf(frame))
        if (auto* combo = dynamic_cast<CFontComboBox*>(panel->GetControls()->FindControl(CFontComboBox::kId)))
            out += fontComboOutline(L"panel", *combo);
    if (auto* twin = dynamic_cast<CFontComboBox*>(ribbonTwinOf(frame, CFontComboBox::kId)))
        out += fontComboOutline(L"ribbon", *twin);
    if (!out.empty() && out.back() == L'\n') out.pop_back();
    return out;
}
