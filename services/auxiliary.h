// What the auxiliary documents and panes offer the command bars: the caption of a PDM explorer
// pane by its kind, which the tool-bars menu gives the pane commands while the PDM work mix is
// active. The application registers the auxiliary services when it is made; the main frame and
// the application above reach the rest of the auxiliary windows directly.
#pragma once

#include "platform/mfc.h"
#include "services/registry.h"

class AuxiliaryServices {
public:
    static constexpr const char* kServicesName = "auxiliary services";

    // The registered services; null before the application made them and after they are gone.
    static AuxiliaryServices* Instance() { return services::Registry<AuxiliaryServices>::Find(); }

    // The PDM explorer panes' kinds, in the numbering the panes and menus use.
    enum PdmPaneKind { kDesktop = 0, kFavorites = 1, kArchives = 2, kSearch = 3, kMail = 4, kConfigurationSettings = 5,
                       kLibraryElements = 6 };

    virtual ~AuxiliaryServices() = default;
    AuxiliaryServices(const AuxiliaryServices&) = delete;
    AuxiliaryServices& operator=(const AuxiliaryServices&) = delete;

    // The caption of a PDM pane kind: the kernel's string, the PDM object's name or a UI text;
    // empty for the search pane and for a number that names no kind. With `accelerator` a
    // caption that is not empty gets "&" before it.
    virtual CString BuildPaneTitle(int kind, bool accelerator) const = 0;

protected:
    AuxiliaryServices() = default;
};
