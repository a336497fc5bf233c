#include "platform/toolkit/window_classes.h"

#include "platform/mfc.h"
#include "platform/mfc/framework_state.h"

namespace platform::toolkit {

LPCWSTR toolkitWindowClass(LPCWSTR name) { return mfc::detail::registerWindowClass(name, CS_DBLCLKS); }

}  // namespace platform::toolkit
