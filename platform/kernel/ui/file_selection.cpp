#include "platform/kernel/ui/file_selection.h"

#include <string>

#include "platform/core/record.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"

CString UIModuleProxy::SelectFile(CWnd* owner, const FileDialogInfo& info, int mode) {
    std::wstring where;
    if (info.placed)
        where = L" at (" + std::to_wstring(info.position.x) + L"," + std::to_wstring(info.position.y) + L") along (" +
                std::to_wstring(info.alignment.left) + L"," + std::to_wstring(info.alignment.top) + L")-(" +
                std::to_wstring(info.alignment.right) + L"," + std::to_wstring(info.alignment.bottom) + L")";
    platform::kernel::recordCall(L"UIModuleProxy::SelectFile(" + platform::kernel::quoted(info.name.str()) + L", " +
                                 platform::kernel::quoted(info.extension.str()) + where + L", " + std::to_wstring(mode) + L")");
    if (mode != kSelectOneFile) {
        platform::core::reportFailure(L"UIModuleProxy::SelectFile: mode " + std::to_wstring(mode) + L" is not offered");
        return CString();
    }
    CFileDialog chooser(info.open ? TRUE : FALSE, info.extension, info.fileName, info.flags, info.filter, owner);
    chooser.m_strInitialDir = info.initialFolder;
    return chooser.DoModal() == IDOK ? chooser.GetPathName() : CString();
}
