// The popup tool bar's button sets as the UI library's editor holds them.
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/korvoui.h"

namespace platform::harness {

std::wstring Inspect::dumpButtonSets() const {
    std::wstring out;
    Korvo::UI::PopupToolBarEditor::instance().ForEachSet([&](const Korvo::UI::PopupToolBar::ButtonSet& set) {
        wchar_t flags[16]{};
        swprintf(flags, 16, L"0x%X", set.key.flags);
        out += L"set " + std::to_wstring(set.key.viewType) + L" " + std::to_wstring(set.key.objectType) + L" " +
               std::to_wstring(set.key.objectSubtype) + L" flags " + flags + L"\n";
        for (const Korvo::UI::PopupToolBar::Button& button : set.buttons)
            out += L"  " + std::to_wstring(button.id) + (button.flag ? L" show-in-panel\n" : L" hidden\n");
    });
    return out;
}

}  // namespace platform::harness
