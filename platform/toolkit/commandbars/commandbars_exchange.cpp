// The command bars' property exchange: their options and the places of their bars.
#include <vector>

#include "platform/toolkit/commandbars/commandbars.h"

namespace {

// Loading keeps the current value as the default: a missing or malformed value changes nothing.
void exchangeFlag(CXTPPropExchange* px, LPCWSTR name, BOOL& value) { PX_Bool(px, name, value, value); }

void exchangeNumber(CXTPPropExchange* px, LPCWSTR name, int& value) { PX_Int(px, name, value, value); }

void exchangeSize(CXTPPropExchange* px, LPCWSTR name, SIZE& size) {
    int cx = size.cx, cy = size.cy;
    exchangeNumber(px, (CString(name) + L"X").GetString(), cx);
    exchangeNumber(px, (CString(name) + L"Y").GetString(), cy);
    if (cx > 0 && cy > 0) size = SIZE{cx, cy};
}

template <class Enum>
void exchangeEnum(CXTPPropExchange* px, LPCWSTR name, Enum& value, int first, int last) {
    int number = static_cast<int>(value);
    exchangeNumber(px, name, number);
    if (number >= first && number <= last) value = static_cast<Enum>(number);
}

}  // namespace

void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    exchangeEnum(px, L"KeyboardCuesShow", keyboardCuesShow, xtpKeyboardCuesShowAlways, xtpKeyboardCuesShowWindowsDefault);
    exchangeFlag(px, L"AlwaysShowFullMenus", bAlwaysShowFullMenus);
    exchangeFlag(px, L"ShowFullAfterDelay", bShowFullAfterDelay);
    exchangeFlag(px, L"ToolBarScreenTips", bToolBarScreenTips);
    exchangeFlag(px, L"ToolBarAccelTips", bToolBarAccelTips);
    exchangeFlag(px, L"ShowExpandButtonAlways", bShowExpandButtonAlways);
    exchangeFlag(px, L"LargeIcons", bLargeIcons);
    exchangeSize(px, L"Icons", szIcons);
    exchangeSize(px, L"LargeIcons", szLargeIcons);
    exchangeSize(px, L"PopupIcons", szPopupIcons);
    exchangeEnum(px, L"Animation", animationType, xtpAnimateWindowsDefault, xtpAnimateNone);
    exchangeFlag(px, L"ShowPopupBarToolTips", bShowPopupBarToolTips);
    exchangeFlag(px, L"ShowContextMenuAccelerators", bShowContextMenuAccelerators);
    exchangeFlag(px, L"AutoUpdateShortcuts", bAutoUpdateShortcuts);
    exchangeFlag(px, L"UseAltNumPadKeys", bUseAltNumPadKeys);
    exchangeFlag(px, L"ShowKeyboardTips", bShowKeyboardTips);
    exchangeFlag(px, L"SyncFloatingBars", bSyncFloatingBars);
}

void CXTPCommandBars::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    CXTPPropExchangeEnumeratorPtr bars = px->GetEnumerator(L"Bar");
    if (!px->IsLoading()) {
        POSITION position = bars->GetPosition(static_cast<DWORD>(GetCount()));
        for (int i = 0; i < GetCount(); ++i) {
            CXTPToolBar* bar = GetAt(i);
            CXTPPropExchange* entry = bars->GetNext(position);
            int id = static_cast<int>(bar->GetBarID());
            CString title = bar->GetTitle();
            BOOL visible = bar->IsVisible();
            int place = static_cast<int>(bar->GetPosition());
            PX_Int(entry, L"Id", id);
            PX_String(entry, L"Title", title);
            PX_Bool(entry, L"Visible", visible);
            PX_Int(entry, L"Position", place);
        }
        return;
    }
    // Bars may share an id (the menu bar and the ribbon): each entry goes to the first bar of its
    // id that no earlier entry took.
    std::vector<bool> taken(static_cast<std::size_t>(GetCount()), false);
    POSITION position = bars->GetPosition();
    while (position) {
        CXTPPropExchange* entry = bars->GetNext(position);
        if (!entry) break;
        int id = -1;
        PX_Int(entry, L"Id", id, -1);
        CXTPToolBar* bar = nullptr;
        for (int i = 0; id >= 0 && !bar && i < GetCount(); ++i) {
            if (taken[static_cast<std::size_t>(i)] || GetAt(i)->GetBarID() != static_cast<UINT>(id)) continue;
            taken[static_cast<std::size_t>(i)] = true;
            bar = GetAt(i);
        }
        if (!bar) continue;
        CString title = bar->GetTitle();
        BOOL visible = bar->IsVisible();
        int place = static_cast<int>(bar->GetPosition());
        PX_String(entry, L"Title", title, title.GetString());
        PX_Bool(entry, L"Visible", visible, visible);
        PX_Int(entry, L"Position", place, place);
        if (!title.IsEmpty()) bar->SetTitle(title);
        if (place >= xtpBarTop && place <= xtpBarFloating) bar->SetPosition(static_cast<XTPBarPosition>(place));
        bar->SetVisible(visible);
    }
}
