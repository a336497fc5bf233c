// Raster pictures open as documents of their own in MDI child frames beside the CAD documents:
// the process-wide image document template, opening without a window, and giving an opened
// picture its window.
#pragma once

#include "platform/kernel.h"

class CMainFrame;

// The image document template, made and added to the application's templates on first use.
CMultiDocTemplate& ImageDocumentTemplate();

// Opens the picture at `path` as a document without a window; null when it can't be read (then
// no document is left behind, and `failureCode`, when given, says why as the storage failure
// codes of document opening do).
CDocument* OpenImageDocument(LPCWSTR path, HRESULT* failureCode = nullptr);

// Gives an opened picture document an MDI child frame titled `title` in `mainFrame` (null: the
// active main frame), sized to the picture within the main frame's client area, maximised when
// the active child is. With `activate` the new frame becomes the active child; otherwise the
// child active before stays so. False when there is no main frame or the frame could not be
// made (then nothing of it is left and the document stays without a window).
bool CreateImageFrame(CDocument* document, LPCWSTR title, CMainFrame* mainFrame, bool activate);

// OpenImageDocument, then CreateImageFrame; the document whether or not its frame could be made,
// null when the picture can't be read (with `failureCode` as OpenImageDocument gives it).
CDocument* OpenImageInFrame(LPCWSTR path, LPCWSTR title, CMainFrame* mainFrame, bool activate,
                            HRESULT* failureCode = nullptr);
