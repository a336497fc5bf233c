#include "mainframe/toolsengine/frame_tools_options.h"

namespace frame_tools {

namespace {
constexpr int kMinimumLargeIcon = 24;
constexpr int kFramelessLargeIcon = 32;

bool atLeast(SIZE size, int edge) { return size.cx >= edge && size.cy >= edge; }

// What every bar set of a frame shows alike: keyboard cues, full menus, tips and icon sizes.
void copyCommonOptions(const CXTPCommandBarsOptions& from, CXTPCommandBarsOptions& to) {
    to.keyboardCuesShow = from.keyboardCuesShow;
    to.bAlwaysShowFullMenus = from.bAlwaysShowFullMenus;
    to.bShowFullAfterDelay = from.bShowFullAfterDelay;
    to.bToolBarScreenTips = from.bToolBarScreenTips;
    to.bToolBarAccelTips = from.bToolBarAccelTips;
    to.szIcons = from.szIcons;
    to.szLargeIcons = from.szLargeIcons;
    to.szPopupIcons = from.szPopupIcons;
    to.bDpiScaling = from.bDpiScaling;
}

}  // namespace

void CopyAutoMenuOptions(const CXTPCommandBarsOptions& frame, CXTPCommandBarsOptions& autoMenu, SIZE toolBarIconSize) {
    copyCommonOptions(frame, autoMenu);
    if (autoMenu.szLargeIcons.cx <= kMinimumLargeIcon && autoMenu.szLargeIcons.cy <= kMinimumLargeIcon) {
        autoMenu.szLargeIcons = {kMinimumLargeIcon, kMinimumLargeIcon};
    }
    autoMenu.bLargeIcons = atLeast(toolBarIconSize, kMinimumLargeIcon);
}

void CopyFramelessOptions(const CXTPCommandBarsOptions& autoMenu, CXTPCommandBarsOptions& frameless,
                          SIZE toolBarIconSize) {
    copyCommonOptions(autoMenu, frameless);
    frameless.bLargeIcons = atLeast(toolBarIconSize, kFramelessLargeIcon);
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
