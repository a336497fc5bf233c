#include "platform/kernel/services/folder_chooser.h"

#include "platform/core/useragent.h"
#include "platform/kernel/record.h"

bool SelectFolders(std::vector<CString>& result, CWnd*, LPCWSTR start, LPCWSTR title, bool singleFolder,
                   bool showFiles) {
    using namespace platform::kernel;
    recordCall(L"SelectFolders(" + quoted(start) + L", " + quoted(title) + L", " + boolText(singleFolder) + L", " +
               boolText(showFiles) + L")");
    result.clear();
    platform::core::KernelDialogRequest request;
    request.kind = L"folder";
    request.current = start ? start : L"";
    request.anyText = true;
    const auto chosen = platform::core::userAgent().answerKernelDialog(request);
    if (!chosen) return false;
    result.emplace_back(chosen->c_str());
    return true;
}
