// The auxiliary subsystem's services as the command bars below reach them: registered while one
// of these lives (the application keeps one for its whole life), withdrawn when it goes.
#pragma once

#include "auxiliary/varnel_frame.h"
#include "services/auxiliary.h"
#include "services/registry.h"

class VarnelPaneTitles final : public AuxiliaryServices {
public:
    VarnelPaneTitles() { services::Registry<AuxiliaryServices>::Register(this); }
    ~VarnelPaneTitles() override { services::Registry<AuxiliaryServices>::Withdraw(this); }

    CString BuildPaneTitle(int kind, bool accelerator) const override {
        return CVarnelFrame::BuildPaneTitle(kind, accelerator);
    }
};

// The menus name the kinds by the services' numbers; the panes by their own.
static_assert(static_cast<int>(AuxiliaryServices::kDesktop) == CVarnelFrame::kDesktop);
static_assert(static_cast<int>(AuxiliaryServices::kArchives) == CVarnelFrame::kArchives);
static_assert(static_cast<int>(AuxiliaryServices::kMail) == CVarnelFrame::kMail);
static_assert(static_cast<int>(AuxiliaryServices::kLibraryElements) == CVarnelFrame::kLibraryElements);
