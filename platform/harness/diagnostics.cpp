// The diagnostics pane as the harness sees it: the program's outline of its window, then what
// the UI library and the kernel hold of the messages.
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

using platform::core::handleText;
using platform::core::quoted;

std::wstring titleOf(const ContainerErrors* container) {
    const CKvw32Doc* document = container ? container->GetDocument() : nullptr;
    return document ? quoted(std::wstring(document->GetTitle().view())) : std::wstring(L"none");
}

std::wstring objectsText(const KVErrorRecord& record) {
    std::wstring text;
    for (int object : record.objects) text += (text.empty() ? L"" : L",") + std::to_wstring(object);
    return text.empty() ? L"none" : text;
}

}  // namespace

std::wstring Inspect::dumpDiagnostics() const {
    const auto outline = GetApplicationExports().diagnosticsOutline;
    const std::wstring own = outline ? outline() : std::wstring();
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    auto* window = dynamic_cast<Korvo::UI::ErrorWindowBase*>(shell ? shell->GetErrorWindow() : nullptr);
    if (own.empty() || !window || !window->GetSafeHwnd()) return L"(no pane)";
    std::wstring out = own + L" window " + handleText(window->GetSafeHwnd()) +
                       (::IsWindowVisible(window->GetSafeHwnd()) ? L" shown\n" : L" hidden\n");
    int number = 0;
    for (HWND frame : mainFrames()) {
        ++number;
        Korvo::UI::MainFrame* main = UIModuleProxy::Instance().GetMainFrameOf(frame);
        CXTPDockingPaneManager* panes = main ? main->GetDockingPaneManager() : nullptr;
        const CXTPImageManager* images = panes ? panes->GetImageManager() : nullptr;
        const CXTPImageManagerIcon* icon = images ? images->Lookup(1005, 16) : nullptr;
        out += L"frame " + std::to_wstring(number) + L" pane-icon " +
               (icon ? std::to_wstring(icon->GetResourceID()) : std::wstring(L"none")) + L"\n";
    }
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        const ContainerErrors* container = document->GetErrorContainer();
        const auto* dialog = container ? dynamic_cast<const kvpf::CKVDiagnosticsDialog*>(container->GetObserver()) : nullptr;
        if (!dialog) continue;
        out += L"dialog " + titleOf(container) + L" rows " + std::to_wstring(dialog->GetErrorCount()) +
               (dialog->IsGroupFragmentMessages() ? L" grouped" : L" ungrouped") +
               (window->GetActiveWnd() == dialog ? L" active" : L"") +
               (window->GetLastAutoShown() == dialog ? L" auto-shown" : L"") + L"\n";
        std::vector<const KVErrorRecord*> selected;
        dialog->GetSelectedErrors(selected);
        const auto& rows = dialog->GetRows();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            bool chosen = false;
            for (const KVErrorRecord* record : selected) chosen = chosen || record == &rows[row];
            out += L"  row " + std::to_wstring(row) + L" " + quoted(std::wstring(rows[row].text.view())) + L" objects " +
                   objectsText(rows[row]) + (chosen ? L" selected\n" : L"\n");
        }
        for (int object : container->GetBlockedObjects()) out += L"  blocked " + std::to_wstring(object) + L"\n";
    }
    if (Korvo::UI::DiagnosticsWindow* diagnostics = Korvo::UI::DiagnosticsWindow::Instance())
        out += L"diagnostics-window container " + titleOf(diagnostics->GetErrorContainer()) + L"\n";
    const auto& hidden = GetHiddenErrorCont()->GetTexts();
    out += L"hidden " + std::to_wstring(hidden.size()) + L"\n";
    for (std::size_t i = 0; i < hidden.size(); ++i)
        out += L"  hidden " + std::to_wstring(i) + L" " + quoted(std::wstring(hidden[i].view())) + L"\n";
    return out;
}

}  // namespace platform::harness
