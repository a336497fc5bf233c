#include "commandbars/file_button.h"
#include "commandbars/find_combo_box.h"
#include "commandbars/gallery/library_gallery.h"
#include "mainframe/frame_controls.h"

#include <algorithm>

#include "commandbars/command_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_commands.h"
#include "mainframe/main_window_attributes.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/backstage/backstage_pages.h"
#include "commandbars/menu_text.h"
#include "commandbars/ribbon_tabs_popup.h"
#include "syspanel/parameter_controls.h"
#include "platform/kernel.h"

#include <cwctype>
#include <limits>

#include "syspanel/parameter_control_factory.h"

namespace {

constexpr DWORD kHelpAnchor = 0x1000;
constexpr UINT kFindCommandPane = 1028;

bool IsFileControl(UINT id) { return id == 1026 || id == 1072 || id == 1314; }

bool IsButtonOrPopup(const CXTPControl* control) {
    switch (control->GetType()) {
        case xtpControlButton:
        case xtpControlPopup:
        case xtpControlButtonPopup:
        case xtpControlSplitButtonPopup: return true;
        default: return false;
    }
}

// The attributes every control element may carry (tool bars and ribbon alike).
void ApplyCommonAttribute(CXTPControl* control, const CString& name, const CString& value) {
    if (IsFileControl(static_cast<UINT>(control->GetID()))) {
        if (auto* button = dynamic_cast<Korvo::UI::FileButton*>(control)) {
            if (name == L"fileName") button->SetParameter(value);
            return;
        }
        if (auto* gallery = dynamic_cast<Korvo::UI::LibraryGallery*>(control)) {
            if (name == L"library") gallery->SetLibraryName(value);
            if (name == L"width") gallery->SetItemsPerRow(ParseControlWidth(value), false);
            return;
        }
    }
    if (IsButtonOrPopup(control) && name == L"url" && IsUrl(value)) control->SetParameter(value);
}

}  // namespace

IMPLEMENT_DYNCREATE(FindCommandButton, CXTPControlButton)

void FindCommandButton::OnExecute() {
    PlacePane();
    CXTPControlButton::OnExecute();
}

// An open or floating find-command pane floats right under the button.
void FindCommandButton::PlacePane() {
    CXTPCommandBar* bar = GetParent();
    CXTPCommandBars* bars = bar ? bar->GetCommandBars() : nullptr;
    auto* frame = bars ? dynamic_cast<CMainFrame*>(bars->GetSite()) : nullptr;
    CXTPDockingPane* pane = frame ? frame->GetPaneManager().FindPane(kFindCommandPane) : nullptr;
    if (!pane || !bar->GetSafeHwnd() || (!pane->IsFloating() && (pane->IsClosed() || pane->IsHidden()))) return;
    // The largest of the pane's own window and the containers around it.
    SIZE size{0, 0};
    const RECT floating = pane->GetFloatingRect();
    size.cx = floating.right - floating.left;
    size.cy = floating.bottom - floating.top;
    for (HWND window = frame->GetPaneWindow(pane) ? frame->GetPaneWindow(pane)->GetSafeHwnd() : nullptr;
         window && window != frame->GetSafeHwnd(); window = ::GetParent(window)) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        size.cx = std::max<LONG>(size.cx, rect.right - rect.left);
        size.cy = std::max<LONG>(size.cy, rect.bottom - rect.top);
    }
    RECT button = bar->GetControlRect(this);
    ::ClientToScreen(bar->GetSafeHwnd(), reinterpret_cast<POINT*>(&button.left));
    ::ClientToScreen(bar->GetSafeHwnd(), reinterpret_cast<POINT*>(&button.right));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(bar->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    frame->GetPaneManager().FloatPane(pane, FindCommandPaneRect(button, size, monitor.rcWork));
}

CXTPControl* CreateFrameControl(UINT id, const CString& tag) {
    // The system panel's parameter controls, the same as the panel's own, and the ray-tracing
    // camera and quality.
    if ((id >= 904 && id <= 918) || id == 2041 || id == 2042) return CreateParameterControl(static_cast<int>(id), nullptr);
    if (id == CFindComboBox::kCommand) return new CFindComboBox;
    if (IsFileControl(id)) {
        if (tag == L"Button") return new Korvo::UI::FileButton;
        if (tag == L"Gallery") return new Korvo::UI::LibraryGallery;
        return nullptr;
    }
    return nullptr;
}

CXTPControl* CreateToolBarControl(UINT id, const CString& tag,
                                  const std::function<CXTPControl*(UINT id, const CString& tag)>& factory) {
    if (id >= 17000 && id <= 32000) return nullptr;
    CXTPControl* control = factory ? factory(id, tag) : CreateFrameControl(id, tag);
    if (!control && tag == L"Button") control = new CXTPControlButton;
    if (!control) return nullptr;
    control->SetID(static_cast<int>(id));
    return control;
}

int ParseControlWidth(const CString& text) {
    const std::wstring digits(text.GetString());
    if (digits.empty()) return -1;
    std::size_t i = digits[0] == L'-' || digits[0] == L'+' ? 1 : 0;
    if (i == digits.size()) return -1;
    long long value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < L'0' || digits[i] > L'9') return -1;
        value = value * 10 + (digits[i] - L'0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return -1;
    }
    if (digits[0] == L'-') value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(value);
}

bool IsUrl(const CString& value) {
    const std::wstring text(value.GetString());
    const std::size_t colon = text.find(L"://");
    if (colon == std::wstring::npos || colon == 0 || !std::iswalpha(text[0])) return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!std::iswalnum(text[i]) && text[i] != L'+' && text[i] != L'-' && text[i] != L'.') return false;
    return colon + 3 < text.size();
}

void ApplyToolBarControlAttribute(CXTPControl* control, const CString& name, const CString& value) {
    if (!control) return;
    ApplyCommonAttribute(control, name, value);
    if (name.IsEmpty() || name == L"anchor") {
        const bool help = !name.IsEmpty() && value == L"help";
        control->SetFlags(help ? (control->GetFlags() | kHelpAnchor) : (control->GetFlags() & ~kHelpAnchor));
    }
}

void WriteToolBarControlAttributes(const CXTPControl& control, Korvo::UI::XML::Element& element) {
    if (control.GetFlags() & kHelpAnchor) element.setAttribute(L"anchor", L"help");
}

void WriteLayoutControlAttributes(const CXTPControl& control, Korvo::UI::XML::Element& element) {
    const bool fileControl = IsFileControl(static_cast<UINT>(control.GetID()));
    const auto* gallery = fileControl ? dynamic_cast<const Korvo::UI::LibraryGallery*>(&control) : nullptr;
    if (fileControl && dynamic_cast<const Korvo::UI::FileButton*>(&control)) {
        element.setAttribute(L"fileName", control.GetParameter().GetString());
    } else if (gallery) {
        element.setAttribute(L"library", gallery->GetParameter().GetString());
        if (gallery->GetItemsPerRow() >= 1) element.setAttribute(L"width", std::to_wstring(gallery->GetItemsPerRow()));
    } else if (IsButtonOrPopup(&control) && !control.GetParameter().IsEmpty()) {
        element.setAttribute(L"url", control.GetParameter().GetString());
    }
    if (const CString types = ViewTypesText(control.GetFlags()); !types.IsEmpty())
        element.setAttribute(L"viewTypes", types.GetString());
}

namespace {

// The first `count` pictures as icons `first`, `first` + 1, ... of `images`, each at its own
// width; with `side`, a picture of another size is skipped (its number stays taken).
void AddPictureIcons(CXTPImageManager& images, UINT first, const std::vector<KVViewPicture>& pictures, std::size_t count,
                     int side = 0) {
    for (std::size_t i = 0; i < count && i < pictures.size(); ++i) {
        const KVViewPicture& picture = pictures[i];
        if (side && (picture.width != side || picture.height != side)) continue;
        const UINT id = first + static_cast<UINT>(i);
        images.SetIcon(id, new CXTPImageManagerIcon(id, picture.width, picture.height, picture.pixels));
    }
}

}  // namespace

void UpdateControlText(CXTPControl& control, bool hintsBlocked, const CString& toolBarTitle, const CKVView* view,
                       CXTPImageManager* images) {
    if (hintsBlocked) {
        control.SetDescription(L"");
        control.SetTooltip(L"");
        control.SetFlags(control.GetFlags() | xtpFlagManualUpdate);
        return;
    }
    constexpr UINT kFindElement = 1251, kFullScreen = 1254, kClipPlane = 1416, kFirstSized = 1628,
                   kSecondSized = 1636, kFullScreenTip = 43107, kToolBarPrompt = 11284;
    constexpr int kSizedHeight = 20, kImageListSize = 16;
    constexpr UINT kCachedViews = 7900, kViewImages = 9000;
    const auto id = static_cast<UINT>(control.GetID());
    if (id == kFindElement) {
        control.SetFlags(control.GetFlags() | xtpFlagManualUpdate);
    } else if (id == kFullScreen) {
        control.SetStyle(xtpButtonIconAndCaption);
        control.SetCaption(GetStrWithoutCommandLetters(control.GetCaption()));
        control.SetTooltip(GetStrWithoutCommandLetters(KVLoadString(kFullScreenTip)));
    } else if (id == kClipPlane) {
        const CString text = Korvo::I18n::Translate(L"panels.ribbon.enableclipplane");
        control.SetCaption(text);
        control.SetTooltip(text);
    } else if (id == kFirstSized || id == kSecondSized) {
        control.SetHeight(XTPDpiHelper()->ScaleY(kSizedHeight));
        const int icon = UIModuleProxy::GetBestUnscaledIconSize(kSizedHeight);
        control.SetIconSize(SIZE{icon, icon});
        control.SetStyle(xtpButtonIconAndCaption);
    } else if (id == kCachedViews) {
        if (view && images)
            AddPictureIcons(*images, kCachedViews, view->GetCachedViews(), static_cast<std::size_t>(view->GetCachedViewCount()));
    } else if (id == kViewImages) {
        // The image list is 16 by 16: a picture of another size is no entry of it.
        if (view && images)
            AddPictureIcons(*images, kViewImages, view->GetImageList(), view->GetImageList().size(), kImageListSize);
    } else if (id >= 700 && id <= 749 && !toolBarTitle.IsEmpty()) {
        CString prompt;
        prompt.Format(KVLoadString(kToolBarPrompt), static_cast<LPCWSTR>(toolBarTitle));
        control.SetDescription(prompt);
    }
    const bool popup = control.GetType() == xtpControlPopup || control.GetType() == xtpControlButtonPopup;
    control.SetDescription(popup ? GetStrWithoutCommandLetters(control.GetDescription())
                                 : withoutMnemonics(control.GetDescription()));
    control.SetTooltip(GetStrWithoutCommandLetters(control.GetTooltip()));
}

std::wstring FrameControlName(const CXTPControl& control) {
    return dynamic_cast<const RibbonTabsPopup*>(&control) ? L"ribbonTabsPopup" : L"";
}

CXTPControl* CreateFramePopupControl(UINT id, const CString& tag, CXTPCommandBars* bars) {
    constexpr UINT kOptixCamera = 2041, kOptixQuality = 2042, kThemes = 2851;
    if (id == kOptixCamera) return new OptixCameraPopup(bars);
    if (id == kOptixQuality) return new OptixQualityPopup(bars);
    if (id == 0 && tag == L"Popup") return new RibbonTabsPopup;
    if (id != kThemes) return nullptr;
    auto* popup = new CXTPControlPopup;
    popup->SetType(Korvo::UI::XML::TagNameToPopupType(std::wstring(tag.GetString())));
    popup->SetFlags(popup->GetFlags() | xtpFlagManualUpdate);
    CXTPPopupBar* themes = CXTPPopupBar::CreatePopupBar(bars);
    AddThemeControls(themes->GetControls());
    popup->SetCommandBar(themes);
    themes->InternalRelease();
    return popup;
}

bool CreateBackstageTab(CXTPRibbonBackstageView& view, int id, const CString& name, const CString& caption,
                        CXTPRibbonBar& ribbon) {
    auto* own = dynamic_cast<KVRibbonBar*>(&ribbon);
    switch (id) {
        case 1072: view.AddTab(id, caption, own ? own->GetNewDocumentBackstagePage(true) : nullptr, 0, name); return true;
        case 1036: view.AddTab(id, caption, own ? own->GetExportBackstagePage() : nullptr, 0, name); return true;
        case 1551: view.AddTab(id, caption, own ? own->GetExportVarnelBackstagePage() : nullptr, 0, name); return true;
        default: break;
    }
    if (name == L"printDialog") {
        view.AddTab(id, caption, own ? own->GetPrintBackstagePage(true) : nullptr, 0, name);
        return true;
    }
    if (name == L"recentFileList") {
        view.SetDefaultItem(view.AddTab(0, caption, own ? own->GetRecentFilesBackstagePage(true) : nullptr, xtpFlagManualUpdate, name));
        return true;
    }
    return false;
}
