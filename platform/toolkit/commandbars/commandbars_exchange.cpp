// The command bars' options in a saved layout (the bars themselves: bar_layout.cpp).
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
