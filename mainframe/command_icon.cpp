#include "mainframe/command_icon.h"

#include "platform/kernel.h"

void SetImageManagerIconForCommand(CXTPImageManager& images, UINT iconId, const CXTPControl& control) {
    images.RemoveIcon(iconId);
    // The UI module answers with the command's own picture when it has one, else its 16-pixel
    // icon; either way the image manager holds it under `iconId`.
    UIModuleProxy::Instance().BindIcon(&images, iconId, static_cast<UINT>(control.GetID()));
}
