// The toolkit's shared paint manager: one instance, reference counted by its users.
#pragma once

#include "platform/mfc.h"

class CXTPPaintManager {
public:
    // Takes a reference on the shared instance (creating it on first use) and returns it.
    static CXTPPaintManager* GetInstanceAddRef();
    // Gives one reference back; the instance goes away with the last one.
    static void ReleaseInstance();
    // References currently held (0: no instance).
    static int GetInstanceRefCount();

    virtual ~CXTPPaintManager() = default;

protected:
    CXTPPaintManager() = default;
};
