#include "documentsmenu/structure_base.h"

#include "documentsmenu/record_icons.h"

namespace DocumentsMenu {

void StructureBase::UpdateVisibleColumnIcon() {
    visibleColumnIcon_ = window_ && window_->IsShowHidden() ? kIconShown : kIconHidden;
    if (CXTPReportColumn* column = GetColumns()->Find(kColumnVisible)) column->SetIconID(visibleColumnIcon_);
}

}  // namespace DocumentsMenu
