// The command bars during a print preview of their site.
#include <algorithm>

#include "platform/toolkit/commandbars/commandbars.h"

void CXTPCommandBars::OnSetPreviewMode(BOOL preview) {
    if ((previewMode_ != FALSE) == (preview != FALSE)) return;
    previewMode_ = preview;
    if (preview) {
        hiddenForPreview_.clear();
        for (CXTPToolBar* bar : bars_) {
            if (!bar->IsVisible()) continue;
            hiddenForPreview_.push_back(bar);
            bar->SetVisible(FALSE);
        }
    } else {
        // A bar removed during the preview is not shown again.
        for (CXTPToolBar* bar : bars_)
            if (std::find(hiddenForPreview_.begin(), hiddenForPreview_.end(), bar) != hiddenForPreview_.end())
                bar->SetVisible(TRUE);
        hiddenForPreview_.clear();
    }
    RecalcFrameLayout();
}
