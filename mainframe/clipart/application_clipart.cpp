#include "mainframe/clipart/application_clipart.h"

#include "mainframe/main_frame.h"

namespace {

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

}  // namespace

ApplicationClipart::ApplicationClipart(CString key, int windowId, CString title)
    : key_(std::move(key)), windowId_(windowId), title_(std::move(title)) {}

ApplicationClipart::~ApplicationClipart() = default;

CKVApplication* ApplicationClipart::RunningApplication() const {
    CKVApplication* application = CKVApplicationManager::FindApplication(key_);
    return application && application->IsRunning() ? application : nullptr;
}

ApplicationClipart* ApplicationClipart::Show(LPCWSTR key, int windowId, LPCWSTR title, const RECT* rect, int flags,
                                             int iconId, HINSTANCE owner) {
    const CString appKey(key ? key : L"");
    const CString caption(title ? title : L"");
    auto* view = dynamic_cast<ApplicationClipart*>(FindByKey(appKey, windowId));
    // A view a saved layout brought back while its add-on did not run has no window yet: it gets
    // its pane as a new view does, with the state the layout kept.
    const bool waiting = view && !view->GetSafeHwnd();
    CXTPDockingPane* pane = nullptr;
    if (view && !waiting) {
        pane = GetDockingPane(view);
        if (pane) {
            if (pane->GetChild() != view->GetSafeHwnd()) pane->Attach(view);
            view->ApplyViewState(pane, true);
        }
    } else {
        CKVApplication* application = CKVApplicationManager::FindApplication(appKey);
        if (!application || !application->IsRunning()) {
            KVLog_WriteF(4, L"Ignoring the request to create a docking pane for the %s application \"%s\"",
                         application ? L"not-running" : L"non-existent", appKey);
            return nullptr;
        }
        std::unique_ptr<ApplicationClipart> created;
        if (!view) {
            created = std::make_unique<ApplicationClipart>(appKey, windowId, caption);
            if (rect) {
                created->rect_ = *rect;
                created->flags_ = flags | kHasRect;
            } else {
                created->flags_ = flags & ~kHasRect;
            }
        }
        ApplicationClipart* target = view ? view : created.get();
        pane = CreateClipartPane(target, ActiveFrame(), target->flags_ & ~kHasRect,
                                 (target->flags_ & kHasRect) ? &target->rect_ : nullptr);
        if (!pane) {
            KVLog_WriteF(7, L"Failed to create a docking pane for the window %u \"%s\" of the application \"%s\"",
                         static_cast<unsigned>(windowId), caption, appKey);
            // Only a view made here goes; a waiting one keeps waiting.
            if (created) Destroy(created.release());
            return nullptr;
        }
        KVLog_WriteF(2, L"Created a docking pane for the window %u \"%s\" of the application \"%s\"",
                     static_cast<unsigned>(windowId), caption, appKey);
        if (created) view = created.release();
        if (waiting) view->ApplyViewState(pane, true);
    }
    if (iconId > 0) view->SetPaneIcon(static_cast<UINT>(iconId), owner, pane);
    view->CreateContentWithPane(pane);
    return view;
}

void ApplicationClipart::SyncPanes(CMainFrame* frame) {
    if (!frame) frame = ActiveFrame();
    for (CClipartView* each = GetHead(); each; each = each->GetNext()) {
        auto* view = dynamic_cast<ApplicationClipart*>(each);
        if (!view) continue;
        CMainFrame* owner = nullptr;
        CXTPDockingPane* pane = GetDockingPane(view, &owner);
        if (!view->RunningApplication()) {
            if (pane && owner) owner->GetPaneManager().DestroyPane(pane);
            continue;
        }
        if (!pane) {
            pane = CreateClipartPane(view, frame, view->flags_ & ~kHasRect, (view->flags_ & kHasRect) ? &view->rect_ : nullptr);
            if (!pane) continue;
            owner = frame;
        }
        if (owner != frame) continue;
        if (!view->PaneHasIcon(pane)) view->UpdateIcon(pane);
        view->UpdateTitle(pane);
        view->ApplyViewState(pane, false);
    }
}

void ApplicationClipart::SetTitle(LPCWSTR title) {
    title_ = title ? title : L"";
    UpdateTitle(GetDockingPane(this));
}

void ApplicationClipart::UpdateTitle(CXTPDockingPane* pane) {
    CString text;
    if (content_ && ::IsWindow(content_)) {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(content_, buffer, 255);
        text = buffer;
    }
    SetPaneTitle(pane, text.IsEmpty() ? title_ : text);
}

bool ApplicationClipart::CreateContent(CXTPDockingPane*) {
    if (content_ && ::IsWindow(content_)) return true;
    if (!GetSafeHwnd()) return false;
    if (CKVApplication* application = CKVApplicationManager::FindApplication(key_)) {
        content_ = application->CreateFloatingWindow(static_cast<UINT>(windowId_), GetSafeHwnd());
    } else {
        content_ = ApplicationManager::CreateFloatingWindow(key_, static_cast<UINT>(windowId_), GetSafeHwnd());
        managed_ = content_ != nullptr;
    }
    if (!content_) return false;
    FitContent();
    ::ShowWindow(content_, SW_SHOW);
    return true;
}

void ApplicationClipart::DestroyContent() {
    if (content_ && ::IsWindow(content_)) ::DestroyWindow(content_);
    content_ = nullptr;
    managed_ = false;
}

void ApplicationClipart::UpdateIcon(CXTPDockingPane* pane) {
    if (!pane) return;
    if (vectorIcon_) {
        PutPaneIcon(pane, true);
        return;
    }
    HICON icon = nullptr;
    bool owned = false;
    if (iconId_ <= 0) {
        if (content_ && ::IsWindow(content_))
            icon = reinterpret_cast<HICON>(::SendMessageW(content_, WM_GETICON, ICON_SMALL, 0));
    } else {
        icon = UIModuleProxy::Instance().LoadIconFromResources(reinterpret_cast<HMODULE>(iconOwner_), static_cast<UINT>(iconId_));
        owned = icon != nullptr;
    }
    if (icon) PutPaneIcon(pane, false);
    if (owned) ::DestroyIcon(icon);
}

std::wstring ApplicationClipart::DescribeKeys() const {
    return L"AppKey=\"" + key_.str() + L"\" WindowID=" + std::to_wstring(windowId_) + L" Title=\"" + title_.str() + L"\"";
}

BOOL ApplicationClipart::PreTranslateMessage(MSG* message) {
    if (managed_ && content_ && ::IsWindow(content_) && ApplicationManager::PreTranslateMessage(message)) return TRUE;
    return CClipartView::PreTranslateMessage(message);
}

BOOL ApplicationClipart::PreCreateWindow(CREATESTRUCT& cs) {
    if (!RunningApplication()) return FALSE;
    return CClipartView::PreCreateWindow(cs);
}

void ApplicationClipart::ExchangeKeys(CXTPPropExchange* px) {
    PX_String(px, L"AppKey", key_, L"");
    PX_Int(px, L"WindowID", windowId_, -1);
    PX_String(px, L"Title", title_, L"");
}
