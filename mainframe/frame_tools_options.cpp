#include "mainframe/frame_tools_options.h"

namespace frame_tools {

namespace {
constexpr int kMinimumLargeIcon = 24;
constexpr int kFramelessLargeIcon = 32;

bool atLeast(SIZE size, int edge) { return size.cx >= edge && size.cy >= edge; }
}  // namespace

void CopyAutoMenuOptions(const CXTPCommandBarsOptions& frame, CXTPCommandBarsOptions& autoMenu, SIZE toolBarIconSize) {
    autoMenu.keyboardCuesShow = frame.keyboardCuesShow;
    autoMenu.bAlwaysShowFullMenus = frame.bAlwaysShowFullMenus;
    autoMenu.bShowFullAfterDelay = frame.bShowFullAfterDelay;
    autoMenu.bToolBarScreenTips = frame.bToolBarScreenTips;
    autoMenu.bToolBarAccelTips = frame.bToolBarAccelTips;
    autoMenu.szIcons = frame.szIcons;
    autoMenu.szLargeIcons = frame.szLargeIcons;
    if (autoMenu.szLargeIcons.cx <= kMinimumLargeIcon && autoMenu.szLargeIcons.cy <= kMinimumLargeIcon) {
        autoMenu.szLargeIcons = {kMinimumLargeIcon, kMinimumLargeIcon};
    }
    autoMenu.szPopupIcons = frame.szPopupIcons;
    autoMenu.bLargeIcons = atLeast(toolBarIconSize, kMinimumLargeIcon);
    autoMenu.bDpiScaling = frame.bDpiScaling;
}

void CopyFramelessOptions(const CXTPCommandBarsOptions& autoMenu, CXTPCommandBarsOptions& frameless,
                          SIZE toolBarIconSize) {
    frameless.keyboardCuesShow = autoMenu.keyboardCuesShow;
    frameless.bAlwaysShowFullMenus = autoMenu.bAlwaysShowFullMenus;
    frameless.bShowFullAfterDelay = autoMenu.bShowFullAfterDelay;
    frameless.bToolBarScreenTips = autoMenu.bToolBarScreenTips;
    frameless.bToolBarAccelTips = autoMenu.bToolBarAccelTips;
    frameless.szIcons = autoMenu.szIcons;
    frameless.szLargeIcons = autoMenu.szLargeIcons;
    frameless.szPopupIcons = autoMenu.szPopupIcons;
    frameless.bLargeIcons = atLeast(toolBarIconSize, kFramelessLargeIcon);
    frameless.bDpiScaling = autoMenu.bDpiScaling;
}

SIZE FramelessIconSize(const CXTPCommandBarsOptions& autoMenu) {
    const SIZE size = autoMenu.bLargeIcons ? autoMenu.szLargeIcons : autoMenu.szIcons;
    return autoMenu.bDpiScaling ? XTPDpiHelper()->Scale(size) : size;
}

void CopyShortcuts(CXTPShortcutManager& from, CXTPShortcutManager& to) {
    CXTPPropExchangeXMLNode store(FALSE, L"_");
    from.DoPropExchange(&store);
    CXTPPropExchangeXMLNode load(TRUE, L"_");
    if (!load.LoadFromString(store.SaveToString().view(), L"_")) return;
    to.DoPropExchange(&load);
}

}  // namespace frame_tools
