#include "mainframe/frame_modes_outline.h"

#include <cstdio>

#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/varnel_windows.h"

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
    out += L"ribbon-minimised windowed " + std::wstring(onOff(m_minimizeRibbonWindowed)) + L" if-full-screen " +
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
    std::swprintf(bits, 16, L"0x%02X", static_cast<unsigned>(m_viewTypeMask));
    out += L"view-types " + std::wstring(bits) + L"\n";
    std::swprintf(bits, 16, L"0x%02X", static_cast<unsigned>(ListedVarnelPanes()));
    out += L"pdm-listed " + std::wstring(bits) + L"\n";
    if (const std::wstring assembly = DescribeVarnelAssembly(); !assembly.empty()) out += assembly + L"\n";
    out += DescribeFramelessBars(*this);
    if (m_contextHelpMode) out += L"context-help on\n";
    if (const CPreviewView* preview = GetPreviewView())
        out += L"print-preview page " + std::to_wstring(preview->GetCurrentPage()) + L" of " +
               std::to_wstring(preview->GetPageCount()) + L"\n";
    if (const CKVTabView* view = ActiveTabView())
        out += L"view rulers " + std::wstring(onOff(view->AreRulersShown())) + L" page-tabs " + onOff(view->AreTabsShown()) +
               L" split-rulers " + onOff(view->GetSplitToolBar().GetRulersState()) + L"\n";
    for (const bool fullScreen : {false, true}) {
        const CString layout = DescribeSavedLayout(fullScreen);
        out += std::wstring(L"saved-layout ") + (fullScreen ? L"full-screen" : L"normal") + (layout.IsEmpty() ? L" none\n" : L"\n");
        std::wstring text = layout.GetString();
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(L'\n', start);
            const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            if (!line.empty()) out += L"  " + line + L"\n";
            if (end == std::wstring::npos) break;
            start = end + 1;
        }
    }
    if (!out.empty()) out.pop_back();
    return CString(out.c_str());
}
