// Paths that automation clients give with a place name in angle brackets: "<Library>rest" is
// taken under the folder of that library of the active library configuration, "<@name>rest" under
// the program folder's "profiles\name\".
#pragma once

#include <functional>

#include "platform/mfc.h"

// The absolute folder of a library by name; empty when there is no such library.
using LibraryFolderLookup = std::function<CString(const CString& name)>;

// A path without "<" is returned unchanged. A path that ends with ">" becomes empty. With a ">"
// after the first "<", the text before "<" is followed by the library's folder (nothing when
// unknown) and the rest after the last ">", joined as they are; a name starting with "@" gives
// `programFolder` + "\profiles\" + name + "\" + rest, and is refused (empty) when it holds a path
// separator or "..". Other paths are returned unchanged.
CString ResolveAutomationPath(const CString& path, const LibraryFolderLookup& libraryFolder,
                              const CString& programFolder);
