#include "app/startup/command_line_flags.h"
#include "app/kvw32_app.h"

void CKvw32App::KVCommandLineInfo::ParseParam(LPCWSTR param, BOOL isFlag, BOOL isLast) {
    if (isFlag && param && app::IsKernelCommandLineFlag(param)) return;
    CCommandLineInfo::ParseParam(param, isFlag, isLast);
}
