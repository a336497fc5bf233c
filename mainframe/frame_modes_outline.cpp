#include "mainframe/frame_modes_outline.h"

#include <cstdio>

#include "mainframe/main_frame.h"

namespace {

const wchar_t* onOff(bool on) { return on ? L"on" : L"off"; }

}  // namespace

std::wstring FrameModesOutline(HWND frame) {
    auto* mainFrame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame));
    return mainFrame ? std::wstring(mainFrame->DescribeModes().GetString()) : std::wstring();
}

CString CMainFrame::DescribeModes() const {
    std::wstring out = L"screen " + std::to_wstring(m_screenMode) + L"\n";
    out += L"workbook " + std::wstring(onOff(m_workbookMode)) + L"\n";
    out += L"ribbon " + std::wstring(onOff(IsRibbonMode())) + L"\n";
    out += L"analysis " + std::to_wstring(m_analysisRibbonId) + L"\n";
    out += L"ribbon-minimised windowed " + std::wstring(onOff(m_minimizeRibbonWindowed)) + L" full-screen " +
           onOff(m_minimizeRibbonFullScreen) + L"\n";
    const CXTPToolBar* autoMenu = GetAutoMenuToolBar();
    out += L"auto-menu " + std::wstring(!autoMenu ? L"none" : autoMenu->IsVisible() ? L"visible" : L"hidden") +
           L" remembered " + onOff(m_showClassicAutoMenu) + L"\n";
    wchar_t bits[16] = {};
    std::swprintf(bits, 16, L"0x%02X", static_cast<unsigned>(GetVarnelWindowBits()));
    out += L"pdm-panes " + std::wstring(bits) + L"\n";
    out += L"lock-panes " + std::wstring(onOff(GetSettings().lockPanes)) + L"\n";
    for (const auto& bar : m_messageBars.Bars()) {
        CString text;
        bar->GetWindowText(text);
        out += L"message-bar " + std::to_wstring(bar->GetId()) + L" \"" + text.GetString() + L"\"\n";
    }
    if (!out.empty()) out.pop_back();
    return CString(out.c_str());
}
