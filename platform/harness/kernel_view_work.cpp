// The harness acting as the kernel's own work on its views: a view zoomed to a new window (the
// kernel then tells the bird's-eye view that it redrew), a model that waits for regeneration.
#include <stdexcept>

#include "platform/harness.h"
#include "platform/harness/call_arguments.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

// A view is the active view of main frame N.
CKVView* activeView(CallArguments& arguments) {
    CWnd* frame = arguments.frame();
    Korvo::UI::MainFrame* main = frame ? UIModuleProxy::Instance().GetMainFrameOf(frame->GetSafeHwnd()) : nullptr;
    CKVView* view = main ? main->GetActiveKorvoView() : nullptr;
    if (!view) throw arguments.bad("the main frame has no active view");
    return view;
}

struct ViewOperation {
    const wchar_t* name;
    const wchar_t* arguments;
    std::wstring (*run)(Kernel&, CallArguments&);
};

constexpr ViewOperation kOperations[] = {
    // The active view of main frame FRAME shows the world window LEFT TOP RIGHT BOTTOM.
    {L"ZoomView", L"FRAME LEFT TOP RIGHT BOTTOM", [](Kernel& k, CallArguments& a) {
         CKVView* view = activeView(a);
         const double left = a.real(), top = a.real(), right = a.real(), bottom = a.real();
         view->SetVisibleWindow(left, top, right, bottom);
         k.callback([](KorvoServerAppProxy& application) { application.RedrawBirdsEyeView(); });
         return std::wstring(L"done");
     }},
    // The document's model changed and waits for its regeneration (1), or is regenerated (0).
    {L"SetRegenerationNeeded", L"DOCUMENT 0|1", [](Kernel&, CallArguments& a) {
         CKvw32Doc* document = a.document();
         if (!document) throw a.bad("no document");
         document->SetRegenerationNeeded(a.flag());
         return std::wstring(L"done");
     }},
};

}  // namespace

bool Kernel::viewWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer) {
    for (const ViewOperation& candidate : kOperations) {
        if (operation != candidate.name) continue;
        CallArguments read(operation, arguments);
        answer = candidate.run(*this, read);
        read.finish();
        postWorkMessage();
        return true;
    }
    return false;
}

std::vector<std::wstring> Kernel::viewOperations() {
    std::vector<std::wstring> names;
    for (const ViewOperation& operation : kOperations)
        names.push_back(*operation.arguments ? std::wstring(operation.name) + L" " + operation.arguments : operation.name);
    return names;
}

}  // namespace platform::harness
