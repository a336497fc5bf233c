#include "platform/diagnostics.h"

namespace kvaux {

IMPLEMENT_DYNAMIC(MfcApplication, CWinApp)

}  // namespace kvaux
