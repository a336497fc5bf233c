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
    // Whether the toolkit scales its bitmaps to the screen DPI (off unless the program turns it on).
    BOOL IsDpiBitmapScalingEnabled() const { return bitmapScaling_; }
    void SetDpiBitmapScaling(BOOL enable) { bitmapScaling_ = enable; }

private:
    CXTPDpi() = default;
    BOOL bitmapScaling_ = FALSE;
};

inline CXTPDpi* XTPDpiHelper() { return CXTPDpi::GetInstance(); }
