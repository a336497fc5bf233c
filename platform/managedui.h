// The managed UI library (KorvoManagedUIProxy.dll) as the application uses it, at its least.
#pragma once

#include "platform/mfc.h"

namespace KorvoManagedUIProxy {

// Prepares the managed resource wrappers (once per process).
void InitManagedResourcesWraps();

class StringResourceAccessor {
public:
    // The managed resources follow the session's culture.
    static void UpdateResourcesCulture();
};

// The managed windows' access to the managed UI thread and its resources.
class WpfAccessor {
public:
    // Managed windows switch between the dark and the light palette.
    static void EnableDarkTheme(bool dark);
    static bool IsDarkThemeEnabled();
};

// The prototype chooser calls back to create a document from a prototype file.
class IPrototypesCallback {
public:
    virtual ~IPrototypesCallback() = default;
    virtual void CreateNewDocumentFromPrototype(LPCWSTR path) = 0;
};

}  // namespace KorvoManagedUIProxy
