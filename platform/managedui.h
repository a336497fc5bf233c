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

// The prototype chooser calls back to create a document from a prototype file.
class IPrototypesCallback {
public:
    virtual ~IPrototypesCallback() = default;
    virtual void CreateNewDocumentFromPrototype(LPCWSTR path) = 0;
};

}  // namespace KorvoManagedUIProxy
