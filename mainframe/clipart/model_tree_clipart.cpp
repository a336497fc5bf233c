#include "mainframe/clipart/model_tree_clipart.h"

#include "mainframe/main_frame.h"

namespace {

constexpr UINT kNoModelTreeCaption = 13393;

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

}  // namespace

ModelTreeClipart::ModelTreeClipart(std::vector<BYTE> state, int groupType, CString specType)
    : state_(std::move(state)), specType_(std::move(specType)), groupType_(groupType) {}

ModelTreeClipart::~ModelTreeClipart() { KVModelTrees::Destroy(std::exchange(tree_, nullptr)); }

ModelTreeClipart* ModelTreeClipart::Show(const std::vector<BYTE>& state, int groupType, const CString& specType) {
    auto view = std::make_unique<ModelTreeClipart>(state, groupType, specType);
    CXTPDockingPane* pane = CreateClipartPane(view.get(), ActiveFrame(), 0);
    if (!pane) {
        Destroy(view.release());
        return nullptr;
    }
    ModelTreeClipart* shown = view.release();
    shown->CreateContentWithPane(pane);
    return shown;
}

void ModelTreeClipart::SetDocumentOfAll(CKvw32Doc* document) {
    for (CClipartView* view = GetHead(); view; view = view->GetNext())
        if (auto* tree = dynamic_cast<ModelTreeClipart*>(view)) tree->SetDocument(document);
}

void ModelTreeClipart::ForwardToKernelOfAll(CKvw32Doc* document) {
    for (CClipartView* view = GetHead(); view; view = view->GetNext())
        if (auto* tree = dynamic_cast<ModelTreeClipart*>(view)) tree->ForwardToKernel(document);
}

void ModelTreeClipart::SetDocument(CKvw32Doc* document) {
    if (!tree_) return;
    KVModelTrees::SetDocument(tree_, document);
    CXTPDockingPane* pane = GetDockingPane(this);
    UpdateIcon(pane);
    UpdateTitle(pane);
}

void ModelTreeClipart::ForwardToKernel(CKvw32Doc* document) {
    if (tree_) KVModelTrees::DocumentClosed(tree_, document);
}

void ModelTreeClipart::UpdateTitle(CXTPDockingPane* pane) {
    const CString caption = tree_ ? KVModelTrees::GetCaption(tree_) : CString();
    if (!caption.IsEmpty()) SetPaneTitle(pane, caption);
}

bool ModelTreeClipart::CreateContent(CXTPDockingPane*) {
    KVModelTree* tree = KVModelTrees::Create(state_, specType_, groupType_);
    KVModelTrees::Destroy(std::exchange(tree_, tree));
    if (!tree_ || !GetSafeHwnd()) return false;
    if (window_.GetSafeHwnd()) window_.DestroyWindow();
    if (!window_.Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, this,
                        GetControlId(), nullptr))
        return false;
    KVModelTrees::RegisterWindow(tree_, window_.GetSafeHwnd());
    FitContent();
    return true;
}

void ModelTreeClipart::DestroyContent() {
    if (window_.GetSafeHwnd()) window_.DestroyWindow();
    KVModelTrees::Destroy(std::exchange(tree_, nullptr));
    const CString caption = KVLoadString(kNoModelTreeCaption);
    if (CXTPDockingPane* pane = GetDockingPane(this)) {
        pane->SetTitle(caption);
        pane->SetTabCaption(caption);
    }
}

void ModelTreeClipart::UpdateIcon(CXTPDockingPane* pane) {
    if (!pane) return;
    int iconId = 0;
    const HICON icon = tree_ ? KVModelTrees::GetIcon(tree_, iconId) : nullptr;
    if (iconId > 0) iconIdKept_ = iconId;
    if (icon) {
        PutPaneIcon(pane, false);
        ::DestroyIcon(icon);
    } else if (iconIdKept_ > 0) {
        // The kept id stands for an icon of the UI module's image list.
        PutPaneIcon(pane, false);
    }
}

std::wstring ModelTreeClipart::DescribeKeys() const {
    return L"ModelTreeGroupType=" + std::to_wstring(groupType_) + L" ModelTreeSpecType=\"" + specType_.str() +
           L"\" ModelTreeIconId=" + std::to_wstring(iconIdKept_) + L" ModelTreeWndStateSize=" + std::to_wstring(state_.size());
}

void ModelTreeClipart::ExchangeKeys(CXTPPropExchange* px) {
    PX_Int(px, L"ModelTreeGroupType", groupType_, 0);
    PX_String(px, L"ModelTreeSpecType", specType_, L"");
    PX_Int(px, L"ModelTreeIconId", iconIdKept_, 0);
    DWORD size = static_cast<DWORD>(state_.size());
    PX_DWord(px, L"ModelTreeWndStateSize", size, 0);
    if (!px->IsLoading()) {
        if (!state_.empty()) PX_Blob(px, L"ModelTreeWndState", state_);
        return;
    }
    state_.clear();
    if (size == 0 || size > kMaxWindowStateSize) return;
    // The file is the user's to edit: the blob counts only when it is exactly as long as stated.
    std::vector<BYTE> stored;
    PX_Blob(px, L"ModelTreeWndState", stored);
    if (stored.size() == size) state_ = std::move(stored);
}
