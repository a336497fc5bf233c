// The popup tool bar's button sets as the UI library's editor holds them.
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/korvoui.h"
#include "platform/textcore.h"

namespace platform::harness {

namespace {

// The caption a user reads for the set (as the ribbon page names it).
std::wstring setCaption(const Korvo::UI::PopupToolBar::SetKey& key) {
    static constexpr UINT kViewStrings[] = {43362, 43359, 43358};
    if (key.viewType >= 1 && key.viewType <= 3) return KVLoadString(kViewStrings[key.viewType - 1]).GetString();
    if (key.viewType == 4 || key.viewType == 5)
        return Korvo::I18n::Translate(key.viewType == 4 ? L"panels.dynamic_toolbar.view_types.cam" : L"panels.dynamic_toolbar.view_types.fea").GetString();
    if (key.viewType != 0) return {};
    std::wstring name = L"panels.dynamic_toolbar.objects." + (key.objectType == 0 ? std::wstring(L"any") : std::to_wstring(key.objectType));
    if (key.objectSubtype >= 0) name += L"_" + std::to_wstring(key.objectSubtype);
    std::wstring caption = Korvo::I18n::Translate(name.c_str()).GetString();
    if (key.flags & 0x2) caption += L" (" + std::wstring(Korvo::I18n::Translate(L"panels.dynamic_toolbar.objects.multiple").GetString()) + L")";
    return caption;
}

}  // namespace

std::wstring Inspect::dumpButtonSets() const {
    std::wstring out;
    Korvo::UI::PopupToolBarEditor::instance().ForEachSet([&](const Korvo::UI::PopupToolBar::ButtonSet& set) {
        wchar_t flags[16]{};
        swprintf(flags, 16, L"0x%X", set.key.flags);
        out += L"set " + std::to_wstring(set.key.viewType) + L" " + std::to_wstring(set.key.objectType) + L" " +
               std::to_wstring(set.key.objectSubtype) + L" flags " + flags + L" " + platform::core::quoted(setCaption(set.key)) + L"\n";
        for (const Korvo::UI::PopupToolBar::Button& button : set.buttons)
            out += L"  " + std::to_wstring(button.id) + (button.flag ? L" show-in-panel\n" : L" hidden\n");
    });
    return out;
}

}  // namespace platform::harness
