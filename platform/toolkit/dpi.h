// The toolkit's DPI scaling: sizes designed for 96 dots per inch scaled to the screen's, each axis
// by its own resolution.
#pragma once

#include "platform/mfc.h"

class CXTPDpi {
public:
    static CXTPDpi* GetInstance();

    int GetDPIX() const;
    int GetDPIY() const;
    int ScaleX(int value) const;
    int ScaleY(int value) const;
    // Back to 96 dpi.
    int UnscaleX(int value) const;
    int UnscaleY(int value) const;
    SIZE Scale(SIZE size) const { return {ScaleX(size.cx), ScaleY(size.cy)}; }

private:
    CXTPDpi() = default;
};

inline CXTPDpi* XTPDpiHelper() { return CXTPDpi::GetInstance(); }
