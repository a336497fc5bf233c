#include "platform/toolkit/panes/tabpaintmanager.h"

CXTPTabPaintManager::CXTPTabPaintManager()
    : font_(::CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma")),
      boldFont_(::CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma")) {}

CXTPTabPaintManager::~CXTPTabPaintManager() {
    ::DeleteObject(font_);
    ::DeleteObject(boldFont_);
}
