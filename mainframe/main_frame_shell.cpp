// What Windows and the shell send a main frame: the end of the session, files dropped from the
// shell, DDE commands, help for a command, and moves that the embedded windows follow.
#include "services/application.h"
#include "auxiliary/varnel_frame.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_routing.h"
#include "mainframe/main_frame_commands.h"
#include "documentsmenu/window/preview_form_factor_apply_manager.h"

namespace {

constexpr UINT kInsertFragmentMessage = 1387;
constexpr UINT kInsertFragmentCommand = 1609;
constexpr UINT kFirstTopicHelpId = 0x10000, kEndTopicHelpId = 0x20000;

// The documents shown by the document windows of an MDI client, the last window first.
std::vector<CDocument*> DocumentsOfWindows(HWND mdiClient) {
    std::vector<CDocument*> documents;
    for (HWND child = ::GetWindow(::GetTopWindow(mdiClient), GW_HWNDLAST); child;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(child));
        if (CDocument* document = frame ? frame->GetActiveDocument() : nullptr) documents.push_back(document);
    }
    return documents;
}

// Whether the window or one of its parents is of the class.
template <class Window>
Window* WindowOrParentOf(HWND hwnd) {
    for (; hwnd; hwnd = ::GetParent(hwnd)) {
        if (auto* window = dynamic_cast<Window*>(CWnd::FromHandlePermanent(hwnd))) return window;
    }
    return nullptr;
}

// Which of several dropped files to insert: the file-selection dialog with a row per path (its
// file name, the whole path when the name is empty). False when the dialog could not run;
// otherwise `chosen` is the path of the row selected with OK, or nothing.
bool ChooseDroppedFile(CWnd* owner, const std::vector<CString>& paths, std::optional<CString>& chosen) {
    Korvo::UI::FileSelectionDialog dialog(owner, L"dialogs.file_selection");
    for (const CString& path : paths) {
        const std::wstring_view name = kvio::FileNamePart(path.GetString());
        dialog.AddRow(name.empty() ? path : CString(std::wstring(name).c_str()));
    }
    const INT_PTR answer = dialog.DoModal();
    if (answer == -1) return false;
    chosen.reset();
    const int row = dialog.GetSelectedRow();
    if (answer == IDOK && row >= 0 && static_cast<std::size_t>(row) < paths.size()) chosen = paths[static_cast<std::size_t>(row)];
    return true;
}

}  // namespace

// ---- The end of the Windows session ----------------------------------------------------------------

LRESULT CMainFrame::OnQueryEndSession(WPARAM, LPARAM) {
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance())
        kernel->TerminateAllCommands(GetActiveKorvoDocument(), true);
    for (CDocument* document : DocumentsOfWindows(m_hWndMDIClient)) {
        if (!document->IsModified()) continue;
        ::ShutdownBlockReasonCreate(m_hWnd, Korvo::I18n::Translate(L"unsaved_changes").GetString());
        return FALSE;
    }
    return TRUE;
}

LRESULT CMainFrame::OnEndSession(WPARAM ending, LPARAM) {
    KorvoProfileManager& profiles = KorvoProfileManager::Instance();
    if (!ending || !profiles.IsStateLoaded()) return 0;
    profiles.SaveState();
    m_tabClient.SaveState();
    // Once: every frame hears of the end, the profile is saved by the first.
    profiles.SetStateLoaded(false);
    return 0;
}

// ---- Files dropped from the shell -------------------------------------------------------------------

LRESULT CMainFrame::OnDropFiles(WPARAM wParam, LPARAM) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    ActivateFrame();
    POINT point{};
    ::DragQueryPoint(drop, &point);
    ::ClientToScreen(m_hWnd, &point);
    std::vector<CString> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
        if (length == 0) continue;
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, index, path.data(), length + 1);
        path.resize(length);
        paths.emplace_back(path.c_str());
    }
    ::DragFinish(drop);
    auto& formFactor = DocumentsMenu::PreviewFormFactorApplyManager::Instance();
    if (!paths.empty()) {
        const HWND target = ::WindowFromPoint(point);
        if (WindowOrParentOf<CVarnelFrame>(target)) {
            // The PDM explorer handles its own drops.
        } else if (CView* view = WindowOrParentOf<CKVView>(target)) {
            InsertDroppedFragment(view, paths, point);
        } else {
            OpenDroppedFiles(paths);
        }
    }
    formFactor.Reset();
    return 0;
}

void CMainFrame::InsertDroppedFragment(CView* view, const std::vector<CString>& paths, POINT point) {
    CFragmentPath& record = CFragmentPath::Application();
    record.Reset();
    if (paths.size() == 1) {
        record.SetPath(paths.front());
    } else {
        std::optional<CString> chosen;
        if (!ChooseDroppedFile(this, paths, chosen)) return;
        // Cancel, or OK without a row, still sends the record: with no path it inserts nothing.
        if (chosen) record.SetPath(*chosen);
    }
    DocumentsMenu::PreviewFormFactorApplyManager::Instance().Apply(record);
    if (record.HasPath())
        if (KVPDMWorkMix* pdm = KVPDMWorkMix::Instance())
            if (KVPDMItem* item = pdm->FindFile(SharedPathName(record.GetPath().GetString()))) {
                record.SetNomenclature(item->GetOpeningContext().CanHaveNomenclature());
                item->Release();
            }
    record.SetDropPoint(point);
    view->SendMessage(kInsertFragmentMessage, kInsertFragmentCommand, reinterpret_cast<LPARAM>(&record));
}

void CMainFrame::OpenDroppedFiles(const std::vector<CString>& paths) {
    ResolvePdmOpeningContexts(paths, PdmOpenParameters{});
}

// ---- DDE ----------------------------------------------------------------------------------------------

LRESULT CMainFrame::OnDDEExecute(WPARAM wParam, LPARAM lParam) {
    const auto client = reinterpret_cast<HWND>(wParam);
    CString command;
    try {
        if (const auto* text = reinterpret_cast<const wchar_t*>(lParam)) command = text;
    } catch (const std::bad_alloc&) {
        command.Empty();
    }
    ApplicationServices* app = ApplicationServices::Instance();
    enum class Fate { Run, Queue, Drop } fate = Fate::Run;
    if (!IsWindowEnabled()) fate = GetModalDepth() != 0 ? Fate::Queue : Fate::Drop;
    // Acknowledged before it runs, so a client waiting for the answer never blocks the command;
    // negatively when there is nothing to run or it will not run.
    const bool positive = !command.IsEmpty() && fate != Fate::Drop && app;
    ::PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(positive ? 0x8000 : 0, 0));
    if (!positive) return 0;
    if (fate == Fate::Queue) {
        app->QueueDdeCommand(command.GetString());
        return 0;
    }
    app->OnDDECommand(command.GetBuffer());
    command.ReleaseBuffer();
    return 0;
}

// ---- Help for a command ---------------------------------------------------------------------------

LRESULT CMainFrame::OnCommandHelp(WPARAM, LPARAM helpId) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (!app) return 0;
    const auto id = static_cast<DWORD>(helpId);
    if (id >= kFirstTopicHelpId && id < kEndTopicHelpId) {
        app->ShowHelpTopic((id & 0xFFFF) * 100);
        return 1;
    }
    CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    CXTPToolTipContext* tips = bars ? bars->GetToolTipContext() : nullptr;
    if (!tips) {
        app->OnHelp();
        return 0;
    }
    if (const int control = tips->GetShownToolId(); control > 0) {
            app->SetHelpContext(static_cast<UINT>(control) * 100, nullptr, 1);
            app->OnHelp();
            app->SetHelpContext(0, nullptr, -1);
            return 1;
    }
    app->OnHelp();
    return 1;
}

// ---- Moves and sizes the windows outside the frame follow ------------------------------------------

void CMainFrame::OnSize(UINT type, int cx, int cy) {
    Korvo::UI::MdiMainFrame::OnSize(type, cx, cy);
    FollowFrameWindow();
}

LRESULT CMainFrame::OnMoveMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    FollowFrameWindow();
    return result;
}

void CMainFrame::FollowFrameWindow() {
    UpdateEmbeddedHelp();
    if (KVPDMClient* pdm = KVPDMClient::Instance()) pdm->OnMainWindowMoved(m_hWnd);
}

LRESULT CMainFrame::OnKernelNotice(WPARAM wParam, LPARAM lParam) {
    CKVCom_Is3D::OnMainFrameNotice(m_hWnd, wParam, lParam);
    return 0;
}
