#include "documentsmenu/report_paint_manager.h"

namespace DocumentsMenu {

std::unique_ptr<CXTPReportPaintManager> MakeReportPaintManager(int theme) {
    switch (theme) {
        case 4: return std::make_unique<ReportPaintManager<CXTPReportThemeOffice2013>>();
        case 8: return std::make_unique<ReportPaintManager<CXTPReportThemeVisualStudio2015>>();
        case 11: return std::make_unique<ReportPaintManager<CXTPReportThemeNativeWindows10>>();
        default: return std::make_unique<ReportPaintManager<CXTPReportThemeOfficeXP>>();
    }
}

}  // namespace DocumentsMenu
