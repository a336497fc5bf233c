// How messages reach the frame: key and mouse messages before translation, window messages in
// the frame's own order, the frame's layout, executed controls that carry a path or a link, and
// pane windows put into the frame's docking panes.
#include <map>
#include <set>

#include <boost/scope_exit.hpp>

#include "documentsmenu/window/preview_form_factor_apply_manager.h"
#include "commandbars/file_button.h"
#include "commandbars/gallery/library_gallery.h"
#include "services/application.h"
#include "auxiliary/varnel_frame.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/pdm_calls.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_routing.h"
#include "platform/kernel/documents/document_opening.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr UINT kOpenControl = 1072, kInsertControl = 1026, kInsertOtherControl = 1314;
constexpr UINT kPropertiesPane = 1007;
constexpr UINT kInsertFragmentMessage = 1387, kInsertFragmentCommand = 1609;
constexpr UINT kFirstAutoMenuCommand = 6001, kLastAutoMenuCommand = 6999;

bool isKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// The kernel window under the cursor that takes the wheel, or null.
IMouseWheelHandler* wheelHandlerUnderCursor() {
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) return nullptr;
    return dynamic_cast<IMouseWheelHandler*>(CWnd::FromHandlePermanent(::WindowFromPoint(cursor)));
}

// Whether the user's mouse buttons, wheel or keys wait in the queue: they come before the 3D
// mouse, whose input would otherwise pile up ahead of them.
bool userInputWaits() {
    constexpr UINT kMouseFirst = 0x201, kMouseLast = 0x20E;
    MSG waiting{};
    return ::PeekMessageW(&waiting, nullptr, kMouseFirst, kMouseLast, PM_NOREMOVE) ||
           ::PeekMessageW(&waiting, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE);
}

const PdmOpenParameters* g_currentOpening = nullptr;

}  // namespace

// ---- Pure rules ---------------------------------------------------------------------------------

bool IsTypingKey(UINT virtualKey, bool control) {
    const bool functionKey = virtualKey >= VK_F1 && virtualKey <= VK_F24;
    if (control) return functionKey;
    return functionKey || (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z');
}

bool IsUrlParameter(const CString& parameter) {
    const int colon = parameter.Find(L':');
    if (colon < 2) return false;  // "C:\..." is a path, not a scheme
    for (int i = 0; i < colon; ++i) {
        const wchar_t c = parameter[i];
        const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
        if (!letter && !(i > 0 && ((c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.'))) return false;
    }
    return true;
}

bool IsOpenableUrl(const CString& parameter) {
    if (!IsUrlParameter(parameter)) return false;
    const CString scheme = parameter.Left(parameter.Find(L':'));
    return scheme.CompareNoCase(L"http") == 0 || scheme.CompareNoCase(L"https") == 0 ||
           scheme.CompareNoCase(L"mailto") == 0;
}

const PdmOpenParameters* CurrentPdmOpening() { return g_currentOpening; }

// ---- Pre-translation ------------------------------------------------------------------------------

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    if (!pMsg) return FALSE;
    if (pMsg->message == WM_MOUSEWHEEL)
        if (IMouseWheelHandler* handler = wheelHandlerUnderCursor(); handler && handler->OnMouseWheel(*pMsg)) return TRUE;
    if (pMsg->message == CKVSpaceballDeviceManager::GetMessageID() && userInputWaits()) return TRUE;
    UIModuleProxy& uiModule = UIModuleProxy::Instance();
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU && uiModule.IsTransientPopupOpen()) {
        uiModule.CloseTransientPopup();
        return TRUE;
    }
    bool suppress = false;
    if (isKeyMessage(pMsg->message)) {
        // Escape leaves context-help mode first.
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_contextHelpMode) {
            m_contextHelpMode = false;
            return TRUE;
        }
        // Escape leaves the clean screen; full screen stays until its command.
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_screenMode == 2) {
            SetScreenMode(0);
            return TRUE;
        }
        const bool typing = IsTypingKey(static_cast<UINT>(pMsg->wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
        // The view of the active document window (the frame's own active view is none of them).
        if (CKVView* view = GetActiveKorvoView()) {
            const HWND form = uiModule.GetCurrentDockFormViewWindow();
            if (KVCmdMsg::SuppressAccelerators(view, *pMsg)) {
                suppress = true;
            } else if (form) {
                suppress = pMsg->hwnd == form || ::IsChild(form, pMsg->hwnd) || typing;
            } else if (ManipPanelEditHasFocus()) {
                suppress = typing;
            } else {
                suppress = Korvo::UI::IsEditBox(pMsg->hwnd);
            }
        } else {
            suppress = Korvo::UI::IsEditBox(pMsg->hwnd);
        }
    }
    CXTPCommandBars* autoMenu = GetAutoMenuBars();
    CXTPShortcutManager* shortcuts = GetCommandBars() ? GetCommandBars()->GetShortcutManager() : nullptr;
    CXTPShortcutManager* framelessShortcuts = m_framelessBars ? m_framelessBars->GetShortcutManager() : nullptr;
    BOOL handled = FALSE;
    {
        // Off only while the frame and its bars translate this message: the frameless bars
        // carry the frame's shortcuts too, so they are off for them as well.
        const BOOL wasDisabled = shortcuts ? shortcuts->IsShortcutsDisabled() : FALSE;
        const BOOL framelessWasDisabled = framelessShortcuts ? framelessShortcuts->IsShortcutsDisabled() : FALSE;
        if (suppress && shortcuts) shortcuts->DisableShortcuts(TRUE);
        if (suppress && framelessShortcuts) framelessShortcuts->DisableShortcuts(TRUE);
        BOOST_SCOPE_EXIT_ALL(&) {
            if (shortcuts) shortcuts->DisableShortcuts(wasDisabled);
            if (framelessShortcuts) framelessShortcuts->DisableShortcuts(framelessWasDisabled);
        };
        handled = Korvo::UI::MdiMainFrame::PreTranslateMessage(pMsg) ||
                  (autoMenu && autoMenu->PreTranslateFrameMessage(pMsg)) ||
                  (m_framelessBars && m_framelessBars->PreTranslateFrameMessage(pMsg));
    }
    if (handled) return TRUE;
    if (pMsg->message == WM_KEYDOWN && !Korvo::UI::IsEditBox(pMsg->hwnd))
        return PreTranslateKeyMessage(static_cast<UINT>(pMsg->wParam)) != 0;
    return FALSE;
}

bool CMainFrame::ManipPanelEditHasFocus() const {
    const HWND focus = ::GetFocus();
    if (!focus || !Korvo::UI::IsEditBox(focus)) return false;
    // A running command's edits stand in the system panel and in the selection-filter tool bar.
    const CWnd* bars[] = {GetSysPanelToolbar(), GetFramelessToolBar(frameless_bars::kSelectionFilter)};
    for (const CWnd* bar : bars)
        if (bar && bar->GetSafeHwnd() && ::IsChild(bar->GetSafeHwnd(), focus)) return true;
    return false;
}

// ---- Window messages -------------------------------------------------------------------------------

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        // The kernel's action log hears of every command given while a document is current; an
        // auto-menu button is logged by its hint, which says what it does in this context.
        ApplicationServices* app = ApplicationServices::Instance();
        if (CKvw32Doc* document = app ? app->GetCurrentDocument() : nullptr)
            document->PushAction(id, id >= kFirstAutoMenuCommand && id <= kLastAutoMenuCommand
                                         ? Korvo::UI::AutoMenuControllerBase::GetCmdHint(id)
                                         : CString());
        if (LTModuleProxy::Instance().OnCommand(id)) return TRUE;
    }
    for (CKVApplication* addOn : CKVApplicationManager::GetApplications())
        if (addOn->OnWndMsgAddon(message, wParam, lParam, pResult)) return TRUE;
    if (CXTPCommandBars* autoMenu = GetAutoMenuBars(); autoMenu && autoMenu->OnFrameWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    if (m_framelessBars && m_framelessBars->OnFrameWndMsg(message, wParam, lParam, pResult)) return TRUE;
    // While a tip of the command search's list shows, the help key is that command's.
    if (message == WM_COMMAND && LOWORD(wParam) == ID_HELP && HIWORD(wParam) <= 1)
        if (ApplicationServices* app = ApplicationServices::Instance(); app && app->OnFindCommandHelp()) return TRUE;
    return Korvo::UI::MdiMainFrame::OnWndMsg(message, wParam, lParam, pResult);
}

void CMainFrame::RecalcLayout(BOOL bNotify) {
    if (DeferLayout() || m_creating) return;
    Korvo::UI::MdiMainFrame::RecalcLayout(bNotify);
    if (CXTPCommandBars* bars = GetCommandBars()) bars->UpdateCommandBars();
    if (CXTPCommandBars* autoMenu = GetAutoMenuBars()) autoMenu->UpdateCommandBars();
}

// ---- Executed controls ------------------------------------------------------------------------------

bool CMainFrame::ExecuteControlParameter(CXTPControl* control) {
    const CString parameter = control->GetParameter();
    if (parameter.IsEmpty()) return false;
    const UINT id = static_cast<UINT>(control->GetID());
    if (id == kOpenControl) return OpenControlPath(control, parameter);
    if (id == kInsertControl || id == kInsertOtherControl) return InsertControlFragment(control, parameter);
    if (!IsUrlParameter(parameter)) return false;
    // A layout shared between users can carry any link: only web and mail links are opened.
    if (IsOpenableUrl(parameter)) ::ShellExecuteW(m_hWnd, L"open", parameter, nullptr, nullptr, SW_SHOWNORMAL);
    else KVLog_WriteF(6, L"Link of control %u not opened: %s", id, parameter.GetString());
    return true;
}

namespace {

// The path a path control names: a gallery's picked document, or a file button's parameter,
// relative to `folder` when it is relative.
CString controlPath(CXTPControl* control, const CString& parameter, const CString& folder) {
    if (const auto* gallery = dynamic_cast<const Korvo::UI::LibraryGallery*>(control)) return gallery->GetSelectedPath().GetPath();
    if (!dynamic_cast<Korvo::UI::FileButton*>(control)) return CString();
    if (folder.IsEmpty() || !kvio::IsRelativePath(parameter.GetString())) return parameter;
    CString base = folder;
    if (base.Right(1) != L"\\") base += L"\\";
    return base + parameter;
}

}  // namespace

bool CMainFrame::OpenControlPath(CXTPControl* control, const CString& parameter) {
    const CString path = controlPath(control, parameter, GetSettings().templateFolder);
    ApplicationServices* app = ApplicationServices::Instance();
    if (path.IsEmpty() || !app) return false;
    KVRibbonBar* ribbon = GetRibbonBar();
    int tab = -1;
    if (ribbon)
        if (auto* current = dynamic_cast<Korvo::UI::RibbonTab*>(ribbon->GetCurrentTab()); current && !current->CarriesTags())
            tab = current->GetIndex();
    app->OpenDocumentFile(path.GetString());
    if (ribbon && tab >= 0) ribbon->SelectTabSilently(tab);
    return true;
}

bool CMainFrame::InsertControlFragment(CXTPControl* control, const CString& parameter) {
    CKVView* view = GetActiveKorvoView();
    const CString path = controlPath(control, parameter, CString());
    if (!view || path.IsEmpty()) return false;
    CFragmentPath& record = CFragmentPath::Application();
    record.Reset();
    record.SetPath(path);
    if (KVPDMWorkMix* pdm = KVPDMWorkMix::Instance()) {
        try {
            if (KVPDMItem* item = pdm->FindFile(SharedPathName(path.GetString()))) {
                record.SetNomenclature(item->GetOpeningContext().CanHaveNomenclature());
                item->Release();
            }
        } catch (KVPDMExceptionProxy* exception) {
            exception->Report();
            exception->Delete();
        }
    }
    view->SendMessage(kInsertFragmentMessage, kInsertFragmentCommand, reinterpret_cast<LPARAM>(&record));
    return true;
}

// ---- Opening documents with their PDM contexts -------------------------------------------------------

namespace {

// What the work mix knows of the paths opened together: each managed path's context (an item's
// own, or the nomenclature object the work mix's source has for the path), whether any of them
// is read-only or can hold nomenclature data, and per path whether the kernel wants its
// nomenclature data.
struct PdmContexts {
    struct Found {
        KVPDMOpenningContext context;
        bool nomenclatureWanted = false;
    };
    std::map<CString, Found> byPath;
    bool anyReadOnly = false;
    bool anyNomenclature = false;
};

PdmContexts FindPdmContexts(KVPDMWorkMix& pdm, const std::vector<CString>& paths) {
    PdmContexts found;
    const std::set<CString> ordered(paths.begin(), paths.end());
    std::map<CString, KVPDMItem*> items = AskPdm(
        [&] {
            for (const CString& path : ordered) pdm.ResetCacheFor(SharedPathName(path.GetString()));
            return pdm.FindFiles(ordered);
        },
        std::map<CString, KVPDMItem*>());
    KVPDMNomenclatureSource* source =
        items.empty() ? nullptr : AskPdm([&] { return pdm.GetNomenclatureSource(); }, static_cast<KVPDMNomenclatureSource*>(nullptr));
    for (auto& [path, item] : items) {
        const KVPDMOpenningContext context = AskPdm(
            [&, &path = path, &item = item] {
                KVPDMOpenningContext own = item->GetOpeningContext();
                if (own.IsEmpty() && source) own.AttachNomenclature(source->GetNomenclatureObject(path));
                return own;
            },
            KVPDMOpenningContext());
        item->Release();
        if (context.IsEmpty()) continue;
        found.byPath[path].context = context;
        found.anyReadOnly = found.anyReadOnly || context.IsReadOnly();
        found.anyNomenclature = found.anyNomenclature || context.CanHaveNomenclature();
    }
    if (found.anyNomenclature)
        for (auto& [path, stored] : found.byPath) stored.nomenclatureWanted = Korvo::WantsNomenclatureData(SharedPathName(path.GetString()));
    return found;
}

}  // namespace

bool ResolvePdmOpeningContexts(const std::vector<CString>& paths, const PdmOpenParameters& parameters, std::size_t* openedCount) {
    KVPDMWorkMix* pdm = KVPDMWorkMix::Instance();
    const PdmContexts found = parameters.context.IsEmpty() && pdm ? FindPdmContexts(*pdm, paths) : PdmContexts();
    std::size_t opened = 0;
    CDocument* lastOpened = nullptr;
    for (const CString& path : paths) {
        PdmOpenParameters own = parameters;
        if (const auto it = found.byPath.find(path); it != found.byPath.end()) {
            // A context whose remaining data cannot be read opens its path without one.
            const bool loaded = AskPdm(
                [&] {
                    it->second.context.LoadRemainingData();
                    return true;
                },
                false);
            if (loaded) {
                own.context = it->second.context;
                own.nomenclatureWanted = it->second.nomenclatureWanted;
            }
        }
        own.anyReadOnly = own.anyReadOnly || found.anyReadOnly;
        own.anyNomenclature = own.anyNomenclature || found.anyNomenclature;
        const PdmOpenParameters* previous = g_currentOpening;
        g_currentOpening = &own;
        BOOST_SCOPE_EXIT_ALL(previous) { g_currentOpening = previous; };
        if (CDocument* document = AnnotateModuleProxy::OpenDocument(path.GetString(), 0, -1, 0)) {
            lastOpened = document;
            ++opened;
        }
    }
    // A pending form factor of the documents menu goes to the one document opened.
    if (opened == 1)
        DocumentsMenu::PreviewFormFactorApplyManager::Instance().ApplyToOpenedDocument(dynamic_cast<CKvw32Doc*>(lastOpened));
    if (openedCount) *openedCount = opened;
    return opened == paths.size();
}

// ---- Pane windows -----------------------------------------------------------------------------------

void CMainFrame::AttachClipartView(CXTPDockingPane* pane) {
    CClipartView* view = CClipartView::FindByControlId(pane->GetID());
    if (!view || pane->GetChild() == view->GetSafeHwnd()) return;
    // The view leaves the pane of the frame that had it.
    CMainFrame* owner = nullptr;
    if (CXTPDockingPane* old = CClipartView::GetDockingPane(view, &owner); old && old != pane && old->GetChild() == view->GetSafeHwnd()) {
        view->OnToBeDetachedFromPane(old);
        old->Detach();
    }
    pane->Detach();
    pane->Attach(view);
    view->CreateContentWithPane(pane);
}

void CMainFrame::AttachPaneWindow(CXTPDockingPane* pane) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!pane || !app || UIModuleProxy::Instance().GetActiveMainFrame() != this) return;
    const UINT id = pane->GetID();
    if (pane->IsValid() && id != kPropertiesPane) return;
    CWnd* window = app->GetDockingPaneWindow(id, false);
    if (!window) {
        AttachClipartView(pane);
        return;
    }
    if (pane->GetChild() == window->GetSafeHwnd()) return;
    pane->Detach();
    pane->Attach(window);
    if (const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme())
        if (auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(window)) child->SetTheme(*theme);
    // A PDM explorer names its pane after what it shows.
    if (const auto* explorer = dynamic_cast<const CVarnelFrame*>(window)) explorer->UpdatePaneCaption(pane);
}
