#include "auxiliary/varnel_frame.h"

#include <array>

#include "platform/textcore.h"
#include "platform/win32/edges.h"
#include "platform/win32/files/shell.h"
#include "platform/win32/icons.h"
#include "services/application.h"
#include "services/main_frame.h"

namespace {

// Posted to itself once shown: a second attempt after the showing has finished.
constexpr UINT kCreateExplorerMessage = 1149;
constexpr int kExplorerInset = 2;
constexpr int kSmallIconSide = 16;

struct KindRow {
    UINT paneId;
    UINT commandId;
    UINT stringId;         // the kernel's string, or the fallback of a PDM object's name
    bool objectName;       // captioned with the PDM object's name
    const wchar_t* key;    // else a UI text key
};

constexpr std::array<KindRow, 7> kKinds{{{1013, 788, 42154, false, nullptr},
                                         {1014, 789, 42156, true, nullptr},
                                         {1012, 787, 42155, true, nullptr},
                                         {1015, 791, 0, false, nullptr},
                                         {1027, 798, 0, false, L"panes.varnel.mail"},
                                         {1033, 819, 0, false, L"panes.varnel.configuration_settings"},
                                         {1040, 825, 0, false, L"panes.varnel.library_elements"}}};

const KindRow* RowOf(int kind) {
    return kind >= 0 && kind < static_cast<int>(kKinds.size()) ? &kKinds[static_cast<std::size_t>(kind)] : nullptr;
}

// Whether an explorer is being made: the PDM client may dispatch messages that would start another.
bool g_creatingExplorer = false;

class CreationGuard {
public:
    CreationGuard() { g_creatingExplorer = true; }
    ~CreationGuard() { g_creatingExplorer = false; }
    CreationGuard(const CreationGuard&) = delete;
    CreationGuard& operator=(const CreationGuard&) = delete;
};

void Report(KVPDMExceptionProxy* error) {
    error->Report();
    error->Delete();
}

// The name of the kind's PDM object; empty when there is none or it cannot be had.
CString GetVarnelObjectName(int kind) {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    KVPDMPaneObject* object = workMix ? workMix->GetPaneObject(kind) : nullptr;
    if (!object) return CString();
    try {
        return object->GetName();
    } catch (KVPDMExceptionProxy* error) {
        error->Delete();  // a caption falls back quietly
        return CString();
    }
}

MainFrameServices* HoldingFrame(const CWnd* window) {
    if (!window || !window->GetSafeHwnd()) return nullptr;
    return dynamic_cast<MainFrameServices*>(UIModuleProxy::Instance().GetMainFrameOf(window->GetSafeHwnd()));
}

MainFrameServices* ActiveFrame() {
    const ApplicationServices* app = ApplicationServices::Instance();
    return app ? app->GetActiveMainFrame() : nullptr;
}

}  // namespace

CVarnelFrame::CVarnelFrame(int kind) : m_kind(kind) {}

CVarnelFrame::~CVarnelFrame() {
    if (m_explorer) m_explorer->Release();
}

UINT CVarnelFrame::PaneIdOf(int kind) {
    const KindRow* row = RowOf(kind);
    return row ? row->paneId : 0;
}

UINT CVarnelFrame::CommandIdOf(int kind) {
    const KindRow* row = RowOf(kind);
    return row ? row->commandId : 0;
}

CString CVarnelFrame::BuildPaneTitle(int kind, bool accelerator) {
    const KindRow* row = RowOf(kind);
    if (!row) return CString();
    CString caption;
    if (row->objectName) caption = GetVarnelObjectName(kind);
    if (caption.IsEmpty() && row->stringId) caption = KVLoadString(row->stringId);
    if (caption.IsEmpty() && row->key) caption = Korvo::I18n::Translate(row->key);
    if (accelerator && !caption.IsEmpty()) caption = L"&" + caption;
    return caption;
}

bool CVarnelFrame::IsAvailable() const { return m_explorerWindow || KVPDMWorkMix::IsActive(); }

void CVarnelFrame::UpdatePaneCaption(CXTPDockingPane* pane) const {
    const CString caption = GetPaneTitle(false);
    if (!pane || caption.IsEmpty()) return;
    pane->SetTitle(caption);
    pane->SetTabCaption(caption);
}

void CVarnelFrame::PlaceExplorer() {
    if (!m_explorerWindow) return;
    RECT client{};
    GetClientRect(&client);
    const int width = client.right - client.left - 2 * kExplorerInset;
    const int height = client.bottom - client.top - 2 * kExplorerInset;
    ::SetWindowPos(m_explorerWindow, nullptr, client.left + kExplorerInset, client.top + kExplorerInset,
                   width > 0 ? width : 0, height > 0 ? height : 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVarnelFrame::ShowIcons() {
    MainFrameServices* frame = ActiveFrame();
    const KindRow* row = RowOf(m_kind);
    if (!frame || !row) return;
    CXTPImageManager* paneImages = frame->GetPaneManager().GetImageManager();
    CXTPCommandBars* bars = frame->AsMdiMainFrame().GetCommandBars();
    if (HICON icon = m_explorer->GetIcon()) {
        HANDLE copy = CopyImage(icon, IMAGE_ICON, kSmallIconSide, kSmallIconSide, LR_COPYFROMRESOURCE);
        if (!copy) return;
        const auto small = static_cast<HICON>(copy);
        if (paneImages) paneImages->SetIcon(small, row->paneId, kSmallIconSide);
        if (bars && bars->GetImageManager()) bars->GetImageManager()->SetIcon(small, row->commandId, kSmallIconSide);
        DestroyIcon(small);  // the image managers keep their own copies
        return;
    }
    if (paneImages) UIModuleProxy::Instance().BindIcon(paneImages, row->paneId, row->commandId);
    if (bars) UIModuleProxy::Instance().BindCommandIcon(bars, row->commandId, row->commandId);
}

void CVarnelFrame::CreateExplorer() {
    if (m_explorerWindow || !GetSafeHwnd() || !KVPDMWorkMix::IsActive() || !ActiveFrame() ||
        g_creatingExplorer)
        return;
    // Released on every way out, so that a failure never blocks every later creation.
    const CreationGuard guard;
    try {
        KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
        KVPDMPaneObject* object = workMix ? workMix->GetPaneObject(m_kind) : nullptr;
        if (!m_explorer && object) {
            KVPDMExplorer* explorer = m_kind == kFavorites   ? object->CreateExplorerEx()
                                      : m_kind == kArchives ? object->CreateExplorerEx(0)
                                                            : object->CreateExplorer();
            if (m_explorer) m_explorer->Release();
            m_explorer = explorer;
            if (m_explorer && m_kind == kArchives) {
                auto* command = new KVPDMExplorerSelectCommand;
                m_explorer->SetCommand(command);
                command->Release();
            }
        }
        if (m_explorer) ShowIcons();
        if (!m_explorerWindow && m_explorer && IsWindowVisible()) {
            if (const HWND window = m_explorer->GetWindow()) {
                ::SetParent(window, m_hWnd);
                m_explorerWindow = window;
                PlaceExplorer();
            }
        }
    } catch (KVPDMExceptionProxy* error) {
        Report(error);
        return;
    }
    if (MainFrameServices* frame = ActiveFrame()) UpdatePaneCaption(frame->FindPane(GetDlgCtrlID()));
}

void CVarnelFrame::DestroyExplorer() {
    if (!m_explorer) {
        if (m_explorerWindow && ::IsWindow(m_explorerWindow)) ::DestroyWindow(m_explorerWindow);
        m_explorerWindow = nullptr;
        return;
    }
    KVPDMExplorer* explorer = m_explorer;
    m_explorer = nullptr;
    try {
        explorer->Close();
        m_explorerWindow = nullptr;  // the explorer closes its own window
    } catch (KVPDMExceptionProxy* error) {
        Report(error);
        if (m_explorerWindow && ::IsWindow(m_explorerWindow)) ::DestroyWindow(m_explorerWindow);
        m_explorerWindow = nullptr;
    }
    explorer->Release();
}

void CVarnelFrame::OnActivatePane() {
    if (IsWindowVisible()) {
        CreateExplorer();
        return;
    }
    if (MainFrameServices* frame = ActiveFrame()) UpdatePaneCaption(frame->FindPane(GetDlgCtrlID()));
}

void CVarnelFrame::RefreshExplorer() {
    if (!m_explorer) return;
    try {
        m_explorer->Refresh();
    } catch (KVPDMExceptionProxy* error) {
        Report(error);
    }
}

BOOL CVarnelFrame::PreTranslateMessage(MSG* message) {
    if (m_explorerWindow && m_explorer && KVPDMWorkMix::IsActive()) {
        try {
            if (m_explorer->PreTranslateMessage(message)) return TRUE;
        } catch (KVPDMExceptionProxy* error) {
            Report(error);
        }
    }
    return CWnd::PreTranslateMessage(message);
}

LRESULT CVarnelFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kCreateExplorerMessage: {
            const CWaitCursor wait;
            CreateExplorer();
            return 1;
        }
        case WM_SHOWWINDOW: {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            if (wParam) {
                CreateExplorer();
                PostMessage(kCreateExplorerMessage, 0, 0);
            }
            return result;
        }
        case WM_SIZE: PlaceExplorer(); break;
        case WM_DESTROY: DestroyExplorer(); break;
        case WM_KILLFOCUS: {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            // Leaving the archives may have changed what the active document may do.
            if (m_kind == kArchives)
                if (MainFrameServices* frame = HoldingFrame(this)) frame->AsMdiMainFrame().UpdateActiveDocumentReadOnlyState();
            return result;
        }
        case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CVarnelFrame::OnEraseBkgnd(HDC dc) {
    if (!dc) return TRUE;
    RECT clip{};
    ::GetClipBox(dc, &clip);
    RECT client{};
    GetClientRect(&client);
    HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    HBRUSH window = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    // Only the parts of the clip box outside the client rectangle take the button face.
    const RECT outside[] = {{clip.left, clip.top, clip.right, client.top},
                            {clip.left, client.bottom, clip.right, clip.bottom},
                            {clip.left, client.top, client.left, client.bottom},
                            {client.right, client.top, clip.right, client.bottom}};
    for (const RECT& part : outside)
        if (part.left < part.right && part.top < part.bottom) ::FillRect(dc, &part, face);
    ::FillRect(dc, &client, window);
    if (client.bottom > client.top) ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    ::DeleteObject(face);
    ::DeleteObject(window);
    return TRUE;
}

bool KVPDMExplorerSelectCommand::Execute(KVPDMHandle* item) {
    KVPDMWorkingCopy* copy = nullptr;
    try {
        copy = AsWorkingCopy(item);
        KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
        bool opened = false;
        if (copy && workMix && workMix->CanOpenFileFromWorkmix(SharedPathName(copy->GetFilePath().GetString()), {})) {
            MainFrameServices* frame = ActiveFrame();
            const HINSTANCE result = ::ShellExecuteW(frame ? frame->AsMdiMainFrame().GetSafeHwnd() : nullptr, L"open",
                                                     copy->GetFilePath().GetString(), nullptr, nullptr, SW_SHOWNORMAL);
            opened = reinterpret_cast<INT_PTR>(result) > 32;
        }
        if (copy) copy->Release();
        return opened;
    } catch (KVPDMExceptionProxy* error) {
        if (copy) copy->Release();
        Report(error);
        return false;
    }
}
