// What the splash shows and where: the banner for the primary monitor, the scale of its texts and
// the notice under the picture. Kept apart from the window so the choices can be checked alone.
#pragma once

#include <functional>

#include "platform/mfc.h"

struct SplashBanner {
    CString path;
    int scale = 1;  // 2 for the banner made for monitors 1800 pixels wide and more
};

// The banner: `configured` when it names an existing file, else "Banner.bmp" of the program
// folder, or "Banner4K.bmp" there at scale 2 on a monitor at least 1800 pixels wide.
SplashBanner ChooseSplashBanner(const CString& configured, int monitorWidth, const CString& programFolder,
                                const std::function<bool(const CString&)>& fileExists);

// The rectangle the notice is drawn in, on a banner of `size`: 22 x scale pixels in from either
// side; the `textHeight` the wrapped text needs is centred in the 82 x scale band that starts
// 70 x scale above the bottom, and what passes the bitmap is cut off.
RECT SplashNoticeRect(SIZE size, int scale, int textHeight);
// The place the notice is measured in before it is centred.
RECT SplashNoticeArea(SIZE size, int scale);

// The notice line for the kernel's country setting.
CString SplashNotice(int country);
// The font height of the notice.
inline int SplashNoticeFontHeight(int scale) { return 13 * scale; }
