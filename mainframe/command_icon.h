// A command's icon in an image manager, as the kernel's UI module holds it.
#pragma once

#include "platform/toolkit.h"

// Replaces the icon `iconId` of `images` by the icon the UI module keeps for `control`'s command.
void SetImageManagerIconForCommand(CXTPImageManager& images, UINT iconId, const CXTPControl& control);
