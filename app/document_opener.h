// The one open-by-path operation in which every way of opening a document ends.
#pragma once

#include "platform/mfc.h"

// Opens the file at `path` as a kernel document; null when it cannot be opened. Files are
// opened through the kernel's document template; the choice by file type (images, PDM files,
// foreign formats) is not made yet.
CDocument* OpenDocumentFile(LPCWSTR path);
