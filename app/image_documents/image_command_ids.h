// The commands picture documents and their views answer.
#pragma once

#include "platform/win32/types.h"

namespace image_commands {

inline constexpr UINT kPrintPicture = 1027;
inline constexpr UINT kDocumentSave = 1029;    // "DocumentSave"
inline constexpr UINT kDocumentSaveAs = 1093;  // "DocumentSaveAs"
inline constexpr UINT kZoomIn = 1098;
inline constexpr UINT kZoomOut = 1099;
inline constexpr UINT kZoomActual = 1104;

}  // namespace image_commands
