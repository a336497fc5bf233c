// The harness acting as the kernel on a main frame's selection-filter interface: the filter set,
// the buttons' looks and states and the geometric types, called by name.
#include <stdexcept>

#include "platform/harness.h"
#include "platform/harness/call_arguments.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

using Frame = Korvo::UI::MainFrame;
using Call = std::wstring (*)(Frame&, CallArguments&);
struct Operation {
    const wchar_t* name;
    Call call;
};

const std::wstring kDone = L"done";
std::wstring answer(bool value) { return value ? L"true" : L"false"; }

// The tooltip argument: a number is the kernel's string of that number, anything else a text.
void setLook(Frame& frame, CallArguments& a, int id, int icon) {
    if (a.nextIsNumber()) frame.SetSelectionFilterButtonIconAndToolTip(id, icon, a.id());
    else frame.SetSelectionFilterButtonIconAndToolTip(id, icon, a.text().c_str());
}

constexpr Operation kOperations[] = {
    {L"GetSelectionFilterSet", [](Frame& f, CallArguments&) { return std::to_wstring(f.GetSelectionFilterSet()); }},
    {L"BeginSelectionFilterConfiguration", [](Frame& f, CallArguments&) { f.BeginSelectionFilterConfiguration(); return kDone; }},
    {L"EndSelectionFilterConfiguration", [](Frame& f, CallArguments&) { f.EndSelectionFilterConfiguration(); return kDone; }},
    {L"SetSelectionFilterSet", [](Frame& f, CallArguments& a) { return answer(f.SetSelectionFilterSet(a.integer())); }},
    {L"ShowSelectionFilterButton", [](Frame& f, CallArguments& a) {
         const int id = a.integer();
         f.ShowSelectionFilterButton(id, a.flag());
         return kDone;
     }},
    {L"HideAllSelectionFilterButtons", [](Frame& f, CallArguments&) { f.HideAllSelectionFilterButtons(); return kDone; }},
    {L"SetSelectionFilterButtonIconAndToolTip", [](Frame& f, CallArguments& a) {
         const int id = a.integer();
         const int icon = a.integer();
         setLook(f, a, id, icon);
         return kDone;
     }},
    // ID CHECKED DISABLED, or `geometric` TYPE STATE SHOW for a geometric type's filter.
    {L"SetSelectionFilterButtonState", [](Frame& f, CallArguments& a) {
         if (a.nextIsNumber()) {
             const int id = a.integer();
             const bool checked = a.flag();
             f.SetSelectionFilterButtonState(id, checked, a.flag());
             return kDone;
         }
         if (a.text() != L"geometric") throw std::invalid_argument("SetSelectionFilterButtonState: ID CHECKED DISABLED or geometric TYPE STATE SHOW");
         const int type = a.integer();
         const TGeomClass state{a.integer()};
         f.SetSelectionFilterButtonState(type, &state, a.flag());
         return kDone;
     }},
    {L"SetSelectionFilterButtonProperties", [](Frame& f, CallArguments& a) {
         const int id = a.integer();
         const int icon = a.integer();
         if (a.nextIsNumber()) {
             const UINT tooltip = a.id();
             const bool checked = a.flag();
             f.SetSelectionFilterButtonProperties(id, icon, tooltip, checked, a.flag());
         } else {
             const std::wstring tooltip = a.text();
             const bool checked = a.flag();
             f.SetSelectionFilterButtonProperties(id, icon, tooltip.c_str(), checked, a.flag());
         }
         return kDone;
     }},
    {L"UpdateSelectionFilters", [](Frame& f, CallArguments& a) { f.UpdateSelectionFilters(a.flag()); return kDone; }},
};

}  // namespace

std::wstring Kernel::frameCall(HWND window, std::wstring_view name, const std::vector<std::wstring>& arguments) {
    Frame* frame = UIModuleProxy::Instance().GetMainFrameOf(window);
    if (!frame || frame->AsWindow()->GetSafeHwnd() != window) throw std::invalid_argument("kernel --frame: the window is no main frame");
    for (const Operation& operation : kOperations) {
        if (name != operation.name) continue;
        CallArguments read(name, arguments);
        std::wstring result = operation.call(*frame, read);
        read.finish();
        return result;
    }
    throw std::invalid_argument("kernel --frame: unknown selection-filter operation " + platform::core::toUtf8(name));
}

}  // namespace platform::harness
