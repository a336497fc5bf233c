#include "platform/korvoui/caching_image_list.h"
#include "platform/kernel/documentsmenu/documents_menu.h"

namespace DocumentsMenu {

void LoadStandardLibIcons(Korvo::UI::CachingImageList& images) {
    static const wchar_t* const kIcons[] = {
        L"configuration", L"libraries group", L"open libraries group", L"folder", L"open folder", L"document",
        L"fragment",      L"picture",         L"missing folder",       L"pdm document", L"pdm folder",
        L"duplicate library",
    };
    for (const wchar_t* icon : kIcons) images.Add(icon);
}

}  // namespace DocumentsMenu
