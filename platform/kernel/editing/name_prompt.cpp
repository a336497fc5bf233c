#include "platform/kernel/editing/name_prompt.h"

#include "platform/core/useragent.h"
#include "platform/kernel/strings.h"

bool KVPromptName(UINT titleId, CString& name) {
    platform::core::KernelDialogRequest request;
    request.kind = L"prompt";
    request.current = std::wstring(KVLoadString(titleId).view());
    request.anyText = true;
    const auto answer = platform::core::userAgent().answerKernelDialog(request);
    if (!answer) return false;
    name = answer->c_str();
    return true;
}
