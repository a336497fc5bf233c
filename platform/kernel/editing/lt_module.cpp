#include "platform/kernel/editing/lt_module.h"

#include "platform/kernel/ui/ui_control.h"

#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/kernel/documents/document_2d.h"

LTModuleProxy& LTModuleProxy::Instance() {
    static LTModuleProxy proxy;
    return proxy;
}

bool LTModuleProxy::InsertVariableDialog(KVDocument* document, int textOutput, int& index, CString& name) {
    (void)textOutput;  // the stand-in's dialog has no text output of its own to switch
    if (!document) {
        platform::core::reportFailure(L"LTModuleProxy::InsertVariableDialog: no document");
        return false;
    }
    platform::core::KernelDialogRequest request;
    request.kind = L"variable";
    for (int i = 0; i < document->GetVariableCount(); ++i)
        if (const KVVariable* variable = document->GetVariable(i))
            request.choices.emplace_back(FORMULA::GetNameOrExpression(*variable).view());
    const auto chosen = platform::core::userAgent().answerKernelDialog(request);
    if (!chosen || chosen->empty()) return false;
    for (int i = 0; i < document->GetVariableCount(); ++i) {
        const KVVariable* variable = document->GetVariable(i);
        if (!variable || std::wstring(FORMULA::GetNameOrExpression(*variable).view()) != *chosen) continue;
        index = i;
        name = chosen->c_str();
        return true;
    }
    return false;
}

bool LTModuleProxy::TextModule(KVDocument* document, const CString& text, CString& result) {
    if (!document) {
        platform::core::reportFailure(L"LTModuleProxy::TextModule: no document");
        return false;
    }
    platform::core::KernelDialogRequest request;
    request.kind = L"text-module";
    request.current = std::wstring(text.view());
    request.anyText = true;
    const auto chosen = platform::core::userAgent().answerKernelDialog(request);
    if (!chosen) return false;
    result = chosen->c_str();
    return true;
}

namespace {
// The formats of the modules the sample installation carries.
const std::vector<LTModuleProxy::ExportFilter>& exportFilters() {
    static const std::vector<LTModuleProxy::ExportFilter> filters{
        {L"Drawing exchange", L"*.dxf", L"ltdxf"},
        {L"Portable document", L"*.pdf", L"ltpdf"},
        {L"Picture", L"*.png", L"ltimage"},
    };
    return filters;
}
}  // namespace

std::vector<LTModuleProxy::ExportFilter> LTModuleProxy::GetExportFilters(KVDocument* document) {
    platform::core::recordCall(L"LTModuleProxy::GetExportFilters(" + platform::core::handleText(document) + L")");
    return exportFilters();
}

bool LTModuleProxy::Export(KVDocument* document, bool toPdm, int index) {
    platform::core::recordCall(L"LTModuleProxy::Export(" + platform::core::handleText(document) + L", " +
                               platform::core::boolText(toPdm) + L", " + std::to_wstring(index) + L")");
    return document && index >= 0 && index < static_cast<int>(exportFilters().size());
}

bool LTModuleProxy::OnCommand(UINT id) {
    // Only a command the module takes is recorded: every command of every frame comes by.
    if (platform::kernel::uiControl().editingModuleCommands.count(id) == 0) return false;
    platform::core::recordCall(L"LTModuleProxy::OnCommand(" + std::to_wstring(id) + L") = true");
    return true;
}
