// The harness acting as a running kernel command on a main frame's manipulator panels: the
// command's control objects by name, and the panel's operations on them.
#include <map>
#include <memory>
#include <stdexcept>

#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/harness/call_arguments.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

// The command's control objects, by the names the script gives them; ids from 3001 in the
// order they were made.
struct ControlObjects {
    std::map<std::wstring, std::unique_ptr<CKVSysPanelCtrlImpl>> byName;
    int nextId = 3001;
};

ControlObjects& objects() {
    static ControlObjects made;
    return made;
}

class ManipArguments : public CallArguments {
public:
    using CallArguments::CallArguments;

    template <class Object>
    Object* object() {
        const std::wstring name = text();
        const auto it = objects().byName.find(name);
        if (it == objects().byName.end()) throw bad("no control object \"" + platform::core::toUtf8(name) + "\"");
        auto* typed = dynamic_cast<Object*>(it->second.get());
        if (!typed) throw bad("control object \"" + platform::core::toUtf8(name) + "\" is of another kind");
        return typed;
    }
    template <class Object>
    Object* made() {
        const std::wstring name = text();
        auto& slot = objects().byName[name];
        if (!slot) slot = std::make_unique<Object>(name, objects().nextId++);
        auto* typed = dynamic_cast<Object*>(slot.get());
        if (!typed) throw bad("control object \"" + platform::core::toUtf8(name) + "\" is of another kind");
        return typed;
    }
};

using Panel = CManipPanelProxy;
using Call = std::wstring (*)(Panel&, ManipArguments&);
struct Operation {
    const wchar_t* name;
    Call call;
};

const std::wstring kDone = L"done";
std::wstring answer(bool value) { return value ? L"true" : L"false"; }
std::wstring answer(double value) { return platform::core::roundTripDecimal(value); }

using Ctrl = CKVSysPanelCtrlImpl;
using Edit = CKVSysPanelEditImpl;
using Box = CKVSysPanelCheckBoxImpl;
using Label = CKVSysPanelLabelImpl;

constexpr Operation kOperations[] = {
    {L"Clear", [](Panel& p, ManipArguments&) { p.Clear(); return kDone; }},
    {L"IsPanelVisible", [](Panel& p, ManipArguments&) { return answer(p.IsPanelVisible()); }},
    {L"IsEmpty", [](Panel& p, ManipArguments&) { return answer(p.IsEmpty()); }},
    {L"RecalcPanelLayout", [](Panel& p, ManipArguments&) { p.RecalcPanelLayout(); return kDone; }},
    {L"RepaintPanel", [](Panel& p, ManipArguments&) { p.RepaintPanel(); return kDone; }},
    {L"AddEdit", [](Panel& p, ManipArguments& a) { p.AddEdit(a.made<Edit>()); return kDone; }},
    {L"AddCheckBox", [](Panel& p, ManipArguments& a) { p.AddCheckBox(a.made<Box>()); return kDone; }},
    {L"AddLabel", [](Panel& p, ManipArguments& a) { p.AddLabel(a.made<Label>()); return kDone; }},
    {L"SetControlEnabled", [](Panel& p, ManipArguments& a) {
         Ctrl* object = a.object<Ctrl>();
         p.SetControlEnabled(object, a.flag());
         return kDone;
     }},
    {L"SetControlVisible", [](Panel& p, ManipArguments& a) {
         Ctrl* object = a.object<Ctrl>();
         p.SetControlVisible(object, a.flag());
         return kDone;
     }},
    {L"IsControlEnabled", [](Panel& p, ManipArguments& a) { return answer(p.IsControlEnabled(a.object<Ctrl>())); }},
    // NAME VALUE [VARIABLE]
    {L"SetEditValue", [](Panel& p, ManipArguments& a) {
         Edit* object = a.object<Edit>();
         const double value = a.real();
         const short variable = a.more() ? static_cast<short>(a.numberIn(-32768, 32767, "a 16-bit number")) : -1;
         p.SetEditValue(object, nullptr, value, variable);
         return kDone;
     }},
    {L"GetEditValue", [](Panel& p, ManipArguments& a) {
         double value = 0.0;
         int variable = -1;
         if (!p.GetEditValue(a.object<Edit>(), &value, &variable)) return answer(false);
         return answer(value) + L" var " + std::to_wstring(variable);
     }},
    {L"SetEditShowSign", [](Panel& p, ManipArguments& a) {
         Edit* object = a.object<Edit>();
         p.SetEditShowSign(object, a.flag());
         return kDone;
     }},
    {L"GetEditShowSign", [](Panel& p, ManipArguments& a) { return answer(p.GetEditShowSign(a.object<Edit>())); }},
    {L"SetEditFormatValue", [](Panel& p, ManipArguments& a) {
         Edit* object = a.object<Edit>();
         p.SetEditFormatValue(object, a.real());
         return kDone;
     }},
    {L"GetEditFormatValue", [](Panel& p, ManipArguments& a) { return answer(p.GetEditFormatValue(a.object<Edit>())); }},
    {L"SetEditReadOnly", [](Panel& p, ManipArguments& a) {
         Edit* object = a.object<Edit>();
         p.SetEditReadOnly(object, a.flag());
         return kDone;
     }},
    {L"SetEditFocus", [](Panel& p, ManipArguments& a) { p.SetEditFocus(a.object<Edit>()); return kDone; }},
    {L"SetEditSel", [](Panel& p, ManipArguments& a) {
         Edit* object = a.object<Edit>();
         const int start = a.integer();
         const int end = a.integer();
         p.SetEditSel(object, start, end, a.flag());
         return kDone;
     }},
    {L"SetCheckBoxChecked", [](Panel& p, ManipArguments& a) {
         Box* object = a.object<Box>();
         p.SetCheckBoxChecked(object, a.flag());
         return kDone;
     }},
    {L"IsCheckBoxChecked", [](Panel& p, ManipArguments& a) { return answer(p.IsCheckBoxChecked(a.object<Box>())); }},
    {L"SetLabelCaption", [](Panel& p, ManipArguments& a) {
         Label* object = a.object<Label>();
         p.SetLabelCaption(object, a.text().c_str());
         return kDone;
     }},
    {L"GetLabelCaption", [](Panel& p, ManipArguments& a) {
         return platform::core::quoted(p.GetLabelCaption(a.object<Label>()).view());
     }},
};

}  // namespace

std::wstring Kernel::manipCall(HWND window, int panelId, std::wstring_view name, const std::vector<std::wstring>& arguments) {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetMainFrameOf(window);
    if (!frame || frame->AsWindow()->GetSafeHwnd() != window) throw std::invalid_argument("kernel --manip: the window is no main frame");
    ManipArguments read(name, arguments);
    if (name == L"Destroy") {
        const std::wstring object = read.text();
        read.finish();
        if (!objects().byName.erase(object)) throw std::invalid_argument("Destroy: no control object \"" + platform::core::toUtf8(object) + "\"");
        return kDone;
    }
    if (name == L"HookKeys") {
        Ctrl* object = read.object<Ctrl>();
        std::vector<UINT> keys;
        while (read.more()) keys.push_back(read.id());
        object->SetHookedKeys(std::move(keys));
        return kDone;
    }
    CManipPanelProxy* panel = frame->GetManipPanelProxy(panelId);
    if (!panel) throw std::invalid_argument("kernel --manip: the frame has no manipulator panel " + std::to_string(panelId));
    for (const Operation& operation : kOperations) {
        if (name != operation.name) continue;
        std::wstring result = operation.call(*panel, read);
        read.finish();
        return result;
    }
    throw std::invalid_argument("kernel --manip: unknown manipulator-panel operation " + platform::core::toUtf8(name));
}

}  // namespace platform::harness
