#include "platform/kernel/editing/dialogs.h"

IMPLEMENT_DYNAMIC(CKorvoXTPDialog, CDialog)
IMPLEMENT_DYNAMIC(CKVBasicEditEx, CWnd)
