// Where an exported profile goes: a file the user chooses, or, while the program is connected to
// the PDM system, a new document there.
#pragma once

#include <optional>

#include "platform/mfc.h"

namespace KorvoProfiles {

enum class ExportTarget { File, Pdm };

// With a PDM connection a pop-up at `button` offers both (nothing when it is dismissed); without
// one the profile goes to a file.
std::optional<ExportTarget> ChooseExportTarget(CWnd* owner, HWND button);

// Writes the profile section into a temporary file and hands that to the PDM system's add
// dialog as `name` of kind "kvenv"; the temporary file goes either way. False on any failure.
bool ExportToPdm(HKEY section, const CString& name);

}  // namespace KorvoProfiles
