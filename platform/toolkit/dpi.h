// The toolkit's DPI scaling: sizes designed for 96 dots per inch scaled to the screen's.
#pragma once

#include "platform/mfc.h"

class CXTPDpi {
public:
    static CXTPDpi* GetInstance();

    int GetDPIX() const;
    int GetDPIY() const { return GetDPIX(); }
    int ScaleX(int value) const;
    int ScaleY(int value) const { return ScaleX(value); }
    SIZE Scale(SIZE size) const { return {ScaleX(size.cx), ScaleY(size.cy)}; }

private:
    CXTPDpi() = default;
};

inline CXTPDpi* XTPDpiHelper() { return CXTPDpi::GetInstance(); }
