// The toolkit's shared paint manager: one instance for the process, shared by its users.
#pragma once

#include "platform/mfc.h"

class CXTPPaintManager {
public:
    // Takes a reference on the shared instance (made at the first call) and returns it. The
    // instance lives until the process ends, as the toolkit keeps it until it is unloaded.
    static CXTPPaintManager* GetInstanceAddRef();
    // The program ends: the toolkit lets go of the shared instance (recorded; the object stays
    // for windows that still paint while the process unwinds).
    static void ReleaseInstance();

    virtual ~CXTPPaintManager() = default;

    // How icons are drawn: faded when inactive, and scaled for the screen's DPI.
    struct IconsInfo {
        BOOL bUseFadedIcons = FALSE;
        BOOL bUseDpiIcons = FALSE;
    };
    IconsInfo* GetIconsInfo() { return &iconsInfo_; }
    // The height of the toolkit's regular font from its text metrics (pixels, scaled for the
    // screen).
    int GetRegularFontHeight() const;

protected:
    CXTPPaintManager() = default;

private:
    IconsInfo iconsInfo_;
};

// The shared instance, for drawing code that takes no reference of its own.
CXTPPaintManager* XTPPaintManager();
