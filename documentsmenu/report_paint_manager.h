// The paint managers of the documents menu's structure views, one per report theme, and the
// choice among them by the theme's number.
#pragma once

#include <memory>

#include "platform/toolkit.h"

namespace DocumentsMenu {

// A report theme's paint manager as the structure views use it. The stand-in's report control
// draws no item controls, so the theme's own drawing of a button's caption has nothing to act on
// and is not repeated here.
template <class Theme>
class ReportPaintManager : public Theme {};

// 4: Office 2013, 8: Visual Studio 2015, 11: native Windows 10; any other number: Office XP.
std::unique_ptr<CXTPReportPaintManager> MakeReportPaintManager(int theme);

}  // namespace DocumentsMenu
