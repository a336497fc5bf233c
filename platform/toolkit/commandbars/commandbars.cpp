#include "platform/toolkit/commandbars/commandbars.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/toolkit/frames.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

void CXTPCommandBarsOptions::CopyFrom(const CXTPCommandBarsOptions& other) {
    keyboardCuesShow = other.keyboardCuesShow;
    bAlwaysShowFullMenus = other.bAlwaysShowFullMenus;
    bShowFullAfterDelay = other.bShowFullAfterDelay;
    bToolBarScreenTips = other.bToolBarScreenTips;
    bToolBarAccelTips = other.bToolBarAccelTips;
    bShowExpandButtonAlways = other.bShowExpandButtonAlways;
    bLargeIcons = other.bLargeIcons;
    szIcons = other.szIcons;
    szLargeIcons = other.szLargeIcons;
    szPopupIcons = other.szPopupIcons;
    bDpiScaling = other.bDpiScaling;
    animationType = other.animationType;
    bShowPopupBarToolTips = other.bShowPopupBarToolTips;
    bShowContextMenuAccelerators = other.bShowContextMenuAccelerators;
    bAutoUpdateShortcuts = other.bAutoUpdateShortcuts;
    bUseAltNumPadKeys = other.bUseAltNumPadKeys;
    bShowKeyboardTips = other.bShowKeyboardTips;
    bSyncFloatingBars = other.bSyncFloatingBars;
    bDirtyState = other.bDirtyState;
    bRibbonMode = other.bRibbonMode;
}

CXTPCommandBars::CXTPCommandBars() : imageManager_(new CXTPImageManager) {}

CXTPCommandBars::~CXTPCommandBars() {
    RemoveAll();
    imageManager_->InternalRelease();
}

CXTPCommandBars* CXTPCommandBars::CreateCommandBars(CRuntimeClass* runtimeClass, CWnd* site) {
    if (!runtimeClass) runtimeClass = RUNTIME_CLASS(CXTPCommandBars);
    if (!runtimeClass->IsDerivedFrom(RUNTIME_CLASS(CXTPCommandBars))) return nullptr;
    CObject* object = runtimeClass->CreateObject();
    auto* bars = dynamic_cast<CXTPCommandBars*>(object);
    if (!bars) {
        delete object;
        return nullptr;
    }
    bars->SetSite(site);
    return bars;
}

CXTPToolBar* CXTPCommandBars::adopt(CXTPToolBar* bar, LPCWSTR title, XTPBarPosition position) {
    bar->AttachToCommandBars(this);
    bar->SetTitle(title);
    bar->SetPosition(position);
    if (!bar->CreateBarWindow(site_)) {
        platform::core::reportFailure(L"CXTPCommandBars::Add(" + platform::core::quoted(title) +
                                      L"): the command bars have no site window");
        bar->InternalRelease();
        return nullptr;
    }
    return bar;
}

CXTPToolBar* CXTPCommandBars::Add(LPCWSTR title, XTPBarPosition position, CRuntimeClass* barClass) {
    if (!barClass) barClass = RUNTIME_CLASS(CXTPToolBar);
    CObject* object = barClass->IsDerivedFrom(RUNTIME_CLASS(CXTPToolBar)) ? barClass->CreateObject() : nullptr;
    auto* bar = dynamic_cast<CXTPToolBar*>(object);
    if (!bar) {
        delete object;
        platform::core::reportFailure(L"CXTPCommandBars::Add(" + platform::core::quoted(title) + L"): class " +
                                      platform::core::quoted(std::wstring(CString(barClass->m_lpszClassName))) +
                                      L" is not a creatable tool bar");
        return nullptr;
    }
    if (!adopt(bar, title, position)) return nullptr;
    if (auto* menuBar = dynamic_cast<CXTPMenuBar*>(bar)) {
        // A menu bar of the program's own class becomes the menu bar, listed first; there is one.
        if (menuBar_) Remove(menuBar_);
        menuBar_ = menuBar;
        menuBar_->InternalAddRef();
        bars_.insert(bars_.begin(), bar);
        return bar;
    }
    bars_.push_back(bar);
    return bar;
}

CXTPMenuBar* CXTPCommandBars::SetMenu(LPCWSTR title, UINT menuId) {
    if (menuId != 0) {
        platform::core::reportFailure(L"CXTPCommandBars::SetMenu(" + platform::core::quoted(title) + L", " +
                                      std::to_wstring(menuId) + L"): the stand-in has no menu resources");
        return nullptr;
    }
    CXTPMenuBar* bar = CreateMenuBarObject();
    if (!bar || !adopt(bar, title, xtpBarTop)) return nullptr;
    // The earlier menu bar goes as a removed bar does (both its references, its window).
    if (menuBar_) Remove(menuBar_);
    menuBar_ = bar;
    menuBar_->menuId_ = menuId;
    // The bars list keeps its own reference on the menu bar, which comes first.
    menuBar_->InternalAddRef();
    bars_.insert(bars_.begin(), menuBar_);
    OnMenuBarSet(menuBar_);
    return menuBar_;
}

CXTPMenuBar* CXTPCommandBars::CreateMenuBarObject() { return new CXTPMenuBar; }

void CXTPCommandBars::Remove(CXTPToolBar* bar) {
    if (!bar) return;
    const auto it = std::find(bars_.begin(), bars_.end(), bar);
    if (it == bars_.end()) return;
    OnToolBarRemoved(bar);
    bars_.erase(std::find(bars_.begin(), bars_.end(), bar));
    std::erase(hiddenForPreview_, bar);
    if (bar == keyboardBar_) keyboardBar_ = nullptr;
    if (bar == menuBar_) {
        menuBar_ = nullptr;
        bar->InternalRelease();
    }
    if (bar->GetSafeHwnd()) bar->DestroyWindow();
    bar->InternalRelease();
}

void CXTPCommandBars::RemoveAll() {
    while (!bars_.empty()) Remove(bars_.back());
}

CXTPToolBar* CXTPCommandBars::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return bars_[static_cast<std::size_t>(index)];
}

CXTPToolBar* CXTPCommandBars::GetToolBar(UINT barId) const {
    for (CXTPToolBar* bar : bars_)
        if (bar->GetBarID() == barId) return bar;
    return nullptr;
}

CXTPToolBar* CXTPCommandBars::FindToolBar(LPCWSTR title) const {
    for (CXTPToolBar* bar : bars_)
        if (bar->GetTitle() == CString(title ? title : L"")) return bar;
    return nullptr;
}

CXTPControl* CXTPCommandBars::FindControl(XTPControlType type, int id, BOOL visible, BOOL recursive) const {
    for (CXTPToolBar* bar : bars_) {
        if (visible && !bar->IsVisible()) continue;
        if (CXTPControl* control = bar->GetControls()->FindControl(type, id, visible, recursive)) return control;
    }
    return nullptr;
}

void CXTPCommandBars::SetImageManager(CXTPImageManager* manager) {
    if (!manager || manager == imageManager_) return;
    imageManager_->InternalRelease();
    imageManager_ = manager;
}

void CXTPCommandBars::HideCommands(const UINT* ids, int count) {
    if (!ids) return;
    for (int i = 0; i < count; ++i) hiddenCommands_.insert(ids[i]);
}

void CXTPCommandBars::UpdateCommandBars() {
    // A handler may add or remove bars; walk a copy that holds each bar alive.
    std::vector<CXTPToolBar*> bars = bars_;
    for (CXTPToolBar* bar : bars) bar->InternalAddRef();
    for (CXTPToolBar* bar : bars) {
        bar->OnIdleUpdateCmdUI();
        bar->InternalRelease();
    }
}

void CXTPCommandBars::RecalcFrameLayout() {
    if (auto* frame = dynamic_cast<CFrameWnd*>(site_); frame && frame->GetSafeHwnd()) frame->RecalcLayout();
}

bool CXTPCommandBars::IsPlacedBySite() const {
    // Asked by every docked bar on every idle pass: the framework's class walk, not a cast.
    const auto* frame = DYNAMIC_DOWNCAST(CXTPMDIFrameWnd, site_);
    return frame && frame->GetSafeHwnd() && frame->GetCommandBars() == this;
}
