// The pages of the customise sheet that the application provides (the frame knows only that
// they exist): the settings profiles page is made by the application.
#pragma once

#include <functional>
#include <memory>

#include "platform/mfc.h"

namespace CustomizeSheet {

using PageFactory = std::function<std::unique_ptr<CPropertyPage>()>;
// The maker of the profiles page; the application sets it once, before any frame shows the sheet.
void SetProfilesPageFactory(PageFactory factory);
// Shows the sheet modally over `owner` (until the customise pages arrive, `first`, when given and
// then shown first, and the profiles page); its result, or -1 when there is no page to show.
INT_PTR Show(CWnd* owner, CPropertyPage* first = nullptr);

}  // namespace CustomizeSheet
