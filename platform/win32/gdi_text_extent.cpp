#include "platform/win32/gdi.h"

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
    TEXTMETRICW metrics;
    if (!size || (!text && count > 0) || count < 0 || !GetTextMetricsW(dc, &metrics)) return FALSE;
    size->cx = static_cast<LONG>(count) * metrics.tmAveCharWidth;
    size->cy = metrics.tmHeight;
    return TRUE;
}
