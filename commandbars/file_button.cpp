#include "commandbars/file_button.h"

#include "platform/kernel.h"
#include "platform/korvoui/images.h"

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(FileButton, CXTPControlButton)

void FileButton::OnIdleUpdate() {
    if (iconLookedUp_) return;
    iconLookedUp_ = true;
    const CString path = GetParameter();
    // Only the UI library's manager knows path icons; while the toolkit keeps another, the
    // button keeps its icon.
    auto* images = dynamic_cast<ImageManager*>(XTPImageManager());
    if (path.IsEmpty() || !images) return;
    wchar_t found[MAX_PATH] = {};
    if (!KorvoDocument2::FindPathName(path, nullptr, found, 0, nullptr, nullptr, 0)) return;
    const UINT icon = images->GetPathIconId(found, true);
    if (icon != 0 && GetID() >= 1) SetIconId(static_cast<int>(icon));
}

}  // namespace Korvo::UI
