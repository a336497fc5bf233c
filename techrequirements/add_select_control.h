// A select control appended to a container of the UI library's control framework (the ribbon
// customisation's new-button-set dialog lists its candidates in one).
#pragma once

#include "platform/korvoui.h"

// Creates a select named `name` (null: unnamed) and appends it to `container`; the container's
// handle of the new control.
kvpf::BaseControl* AddSelectControl(kvpf::ContainerControl& container, const wchar_t* name);
