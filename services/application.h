// What the main frame and the subsystems under it use of the application object: the one
// application of the process, its main frames, its recent-file list and its pane windows. The
// application object implements it and registers itself when it is made.
#pragma once

#include "services/registry.h"

class MainFrameServices;

class ApplicationServices {
public:
    static constexpr const char* kServicesName = "application services";

    // The one application object; null only before it is made and after it is gone.
    static ApplicationServices* Instance() { return services::Registry<ApplicationServices>::Find(); }

    virtual ~ApplicationServices() = default;

protected:
    ApplicationServices() = default;
};
