#include "platform/korvoui/controls.h"

namespace Korvo::UI {
IMPLEMENT_DYNCREATE(FileButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(LibraryGallery, CXTPControl)
}  // namespace Korvo::UI
