// Opening a configuration file as the documents menu and its clients do.
#pragma once

#include "platform/kernel.h"

namespace DocumentsMenu {

// The configuration of the file at `path`, which ends as the active one: one open already is only
// made active; otherwise it is read into a new configuration called `name` and added to the
// global group. Null (and nothing kept) when the file cannot be read or added.
IConfiguration* OpenConfigurationFile(const CString& path, const CString& name);

}  // namespace DocumentsMenu
