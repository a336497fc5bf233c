#include <string>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

const wchar_t* onOff(bool on) { return on ? L"on" : L"off"; }

std::wstring sizeText(const SIZE& size) { return std::to_wstring(size.cx) + L"x" + std::to_wstring(size.cy); }

}  // namespace

std::wstring Inspect::dumpBarOptions(HWND frame) const {
    Korvo::UI::MainFrame* main = UIModuleProxy::Instance().GetMainFrameOf(frame);
    if (!main || !main->AsWindow() || main->AsWindow()->GetSafeHwnd() != frame) return {};
    CXTPCommandBars* bars = main->GetCommandBars();
    if (!bars) return {};
    const CXTPCommandBarsOptions& options = *bars->GetCommandBarsOptions();
    std::wstring dump = L"icons " + sizeText(options.szIcons) + L" large " + sizeText(options.szLargeIcons) + L" " +
                        onOff(options.bLargeIcons) + L" popup " + sizeText(options.szPopupIcons);
    dump += L"\nmenus full " + std::wstring(onOff(options.bAlwaysShowFullMenus)) + L" after-delay " +
            onOff(options.bShowFullAfterDelay) + L" animation " + std::to_wstring(static_cast<int>(options.animationType));
    const KVOptions& kernelOptions = GetKVOptions();
    dump += L"\nscreen-tips " + std::wstring(onOff(options.bToolBarScreenTips)) + L" kernel " +
            (kernelOptions.screenTipsSet ? onOff(kernelOptions.screenTips) : L"unset") + L" shortcuts " +
            onOff(options.bToolBarAccelTips) + L" names " + onOff(GetSettings().showCommandNames) + L" extended " +
            onOff(kernelOptions.extendedTooltips);
    for (int i = 0; i < bars->GetCount(); ++i)
        if (const auto* tabs = dynamic_cast<const Korvo::UI::TabbableToolBar*>(bars->GetAt(i)))
            dump += L"\ntab-bar " + std::to_wstring(tabs->GetBarID()) + L" large-icons " + onOff(tabs->IsLargeIcons()) +
                    L" prompts " + onOff(tabs->IsPromptsShown()) + L" standard-font " + onOff(tabs->IsStandardFont());
    const auto* mdi = dynamic_cast<const Korvo::UI::MdiMainFrame*>(main);
    if (CXTPCommandBars* frameless = mdi ? mdi->GetFramelessToolBars() : nullptr) {
        const CXTPCommandBarsOptions& shared = *frameless->GetCommandBarsOptions();
        dump += L"\nframeless icons " + sizeText(shared.szIcons) + L" large " + sizeText(shared.szLargeIcons) + L" " +
                onOff(shared.bLargeIcons) + L" shortcuts " +
                std::to_wstring(frameless->GetShortcutManager()->GetAccelerators().size());
    }
    dump += L"\nusage " + std::to_wstring(bars->GetUsedCommandCount()) + L" commands";
    return dump;
}

}  // namespace platform::harness
