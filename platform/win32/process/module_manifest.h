// The text of module manifest files (private to platform/win32/module*.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/malformed_lines.h"
#include "platform/win32/process/module.h"
#include "platform/win32/files/store_control.h"

namespace platform::modules {

struct ParsedManifest {
    ModuleManifest manifest;
    int line = 0;        // of the first error
    std::wstring error;  // empty when the manifest is well-formed
};

// Each malformed line goes to `problems` when given.
ParsedManifest parseManifest(std::string_view bytes, platform::core::MalformedLines* problems = nullptr);
// "18.0.21.0" (four numbers up to 65535) as major << 48 | minor << 32 | build << 16 | revision.
std::optional<std::uint64_t> parseVersion(std::wstring_view text);
// The module file behind a module name (search order in module.h), as a normalised path.
std::optional<std::wstring> locate(std::wstring_view name);
// Reads and parses; a malformed manifest's bad lines are journalled as warnings naming file and
// line, and
// `error` becomes ERROR_BAD_EXE_FORMAT (or the file's read error).
std::optional<ModuleManifest> readManifest(std::wstring_view windowsPath, DWORD& error);

}  // namespace platform::modules
