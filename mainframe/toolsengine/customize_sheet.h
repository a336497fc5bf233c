// The customise sheet of a main frame and the pages of it that the application or other parts
// provide (the frame knows only that they exist): the tool-bar options page, the settings
// profiles page and the ribbon page.
#pragma once

#include <functional>
#include <memory>

#include "platform/mfc.h"

class CXTPCommandBars;

class CMainFrame;

namespace CustomizeSheet {

using PageFactory = std::function<std::unique_ptr<CPropertyPage>()>;
// The maker of the profiles page; the application sets it once, before any frame shows the sheet.
void SetProfilesPageFactory(PageFactory factory);

// What the ribbon page opens on: the bar view (0 the ribbon's tabs) and the value the sheet was
// asked with (the ribbon item to focus, or 0).
struct RibbonPageRequest {
    int view = 0;
    LPARAM value = 0;
};
using RibbonPageFactory = std::function<std::unique_ptr<CPropertyPage>(CMainFrame&, const RibbonPageRequest&)>;
// The maker of the ribbon page; without one the sheet has no ribbon page.
void SetRibbonPageFactory(RibbonPageFactory factory);

// The maker of the tool-bar options page (the sheet's first), over the sheet's command bars; the
// application sets it once. Without one the sheet has no such page.
using OptionsPageFactory = std::function<std::unique_ptr<CPropertyPage>(CXTPCommandBars*)>;
void SetOptionsPageFactory(OptionsPageFactory factory);

// The start modes of the sheet: the profiles page or the ribbon page first (any other: the first
// page).
inline constexpr int kProfilesPageMode = 1;
inline constexpr int kRibbonPageMode = 2;

// The index of the page that was shown when a sheet last closed (-1 before any closed); one for
// the whole program.
int LastPageIndex();

// Every control of command `commandId` in the command bars of the application's active main
// frame (pop-ups included) takes the icon `iconId`; the bars that changed are redrawn.
void SpreadIconId(int commandId, int iconId);

// The command ids the all-commands category leaves out: the kernel's service commands.
bool IsServiceCommand(UINT id);

}  // namespace CustomizeSheet
