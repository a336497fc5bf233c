// The framework's image list: owns one common image list (platform/win32/controls/imagelist.h)
// and destroys it with itself.
#pragma once

#include "platform/win32/controls/imagelist.h"
#include "platform/win32/types.h"

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    // A new list of cx by cy images in place of the one held; FALSE, holding none, when the
    // list cannot be made.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    // A copy of the icon at the end; its index, or -1.
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    // A new icon of image `nImage` for the caller to free; null outside the list.
    HICON ExtractIcon(int nImage) const { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
};
