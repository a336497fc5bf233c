// Picture documents: documents of their own for raster pictures, shown in image views.
#pragma once

#include <memory>

#include "platform/kernel.h"

// Abstract base of picture documents.
class CImageDoc : public CDocument {
    DECLARE_DYNAMIC(CImageDoc)
public:
    // The picture's width and height in pixels.
    virtual SIZE GetImageSize() const = 0;
};

// A picture read into a bitmap by the graphics library.
class CDibDoc : public CImageDoc {
    DECLARE_DYNCREATE(CDibDoc)
public:
    CDibDoc() = default;

    // Reads the picture; false (and no bitmap) when the graphics library can't read it, with
    // the reason in GetOpenFailureCode.
    BOOL OnOpenDocument(LPCWSTR lpszPathName) override;
    // Why the last OnOpenDocument failed, in the storage failure codes of document opening
    // (S_OK after a success).
    HRESULT GetOpenFailureCode() const { return m_openFailure; }
    // The bitmap's size, 0 x 0 without one.
    SIZE GetImageSize() const override;
    // The loaded picture, or null.
    CBitmap* GetBitmap() const { return m_bitmap.get(); }
    void Dump(CDumpContext& dc) const override;

protected:
    // Prints the picture through the kernel's bitmap printing.
    afx_msg void OnPrintPicture();
    // Saves the picture through the graphics library, which asks where.
    afx_msg void OnSavePicture();

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CBitmap> m_bitmap;
    HRESULT m_openFailure = S_OK;
};
