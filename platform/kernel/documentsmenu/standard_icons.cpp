#include "platform/kernel/documentsmenu/documents_menu.h"

namespace DocumentsMenu {

const std::vector<const wchar_t*>& StandardLibIconNames() {
    static const std::vector<const wchar_t*> kIcons = {
        L"configuration", L"libraries group", L"open libraries group", L"folder", L"open folder", L"document",
        L"fragment",      L"picture",         L"missing folder",       L"pdm document", L"pdm folder",
        L"duplicate library",
    };
    return kIcons;
}

}  // namespace DocumentsMenu
