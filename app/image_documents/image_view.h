// The view of a picture document: the picture centred or scrolled at a zoom factor.
#pragma once

#include "app/image_documents/image_geometry.h"
#include "platform/kernel.h"

class CImageDoc;

class CImageView : public CView {
    DECLARE_DYNCREATE(CImageView)
public:
    CImageView() = default;

    CImageDoc* GetImageDocument() const;
    double GetZoom() const { return m_zoom; }
    int GetOriginX() const { return m_originX; }
    int GetOriginY() const { return m_originY; }

    // Changes the zoom keeping the picture point at the centre of the client area in place,
    // then repaints. A factor that would take the zoomed picture below one pixel or past 2^30
    // pixels, or below the smallest zoom, is ignored.
    void SetZoom(double zoom);
    // Shows the scroll bars the zoomed picture needs and sets their range, page and position.
    void UpdateScrollBars();
    image_geometry::BlitRects GetBlitRects();
    BOOL FitsHorizontally() const;

    void OnDraw(CDC* pDC) override;
    void Dump(CDumpContext& dc) const override;

protected:
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnZoomActual();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    SIZE PictureSize() const;
    SIZE ClientSize() const;
    SIZE ZoomedSize() const;
    // Applies a scroll request to one bar and moves that direction's origin.
    void Scroll(int bar, UINT code, UINT messagePosition, int& origin);

    double m_zoom = 1.0;
    int m_originX = 0;
    int m_originY = 0;
};
