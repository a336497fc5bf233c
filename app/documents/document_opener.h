// The one open-by-path operation in which every way of opening a document ends (command line,
// DDE, automation, the recent-file list, File Open): images go to the image documents, files the
// kernel's storage reader rejects are imported, native documents open through the kernel's
// document manager; a failure is reported in one of six fixed messages.
#pragma once

#include "platform/kernel.h"

// The opened document, or null.
CDocument* OpenDocumentFile(LPCWSTR path);

// Whether the extension (with its dot) is one of the image formats opened as image documents.
bool IsImageFileExtension(const CString& extension);

// The message for a failed open by the storage failure code, and whether the path is in the
// recent-file list (the texts with a question offer to remove it).
CString OpenFailureMessage(HRESULT failureCode, bool inRecentList);

// The document manager's open parameters as every open starts from them.
Korvo::DocInitParams GetDocumentOpenParameters(const Korvo::DocumentManager& manager);

// This edition opens every native document with editing blocked, unless the kernel allowed its
// editing (flag 0x10000); anything else is left as it is.
void BlockEditingInViewerEdition(CDocument* document);
