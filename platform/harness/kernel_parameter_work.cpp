// The harness acting as the kernel's own work on documents' parameters by name (the console's
// `model` verb): objects and their parameters, the selection, the defaults, variables, the
// events after which panels show them again, and a running command that reads the panel's value
// back when a parameter control sends it its id.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

using platform::core::quoted;
using platform::core::toUtf8;

constexpr const char* kParameterNames[] = {"Color", "Layer", "Level", "Priority", "FontSize", "FontName", "Material"};

// The measure controls: their value starts with a double; the others' with a 32-bit word.
constexpr UINT kMeasureControls[] = {907, 909, 915};
constexpr const wchar_t* kReaderName = L"PanelValueReader";

// The leading fields of a measure control's value, as the kernel reads what the panel hands out.
struct MeasureHead {
    double value;
    std::int32_t variable;
};

std::wstring number(double value) { return platform::core::roundTripDecimal(value); }

// A value in the form `dump parameters` prints and `model` reads back.
std::wstring valueText(const kveval::VariantParameter& value) {
    if (const auto* measure = value.Get<kveval::NumberParameter>())
        return number(measure->value) + (measure->variable >= 0 ? L" var " + std::to_wstring(measure->variable) : L"");
    if (const auto* text = value.Get<CString>()) return quoted(text->view());
    if (const auto* word = value.Get<std::int32_t>()) return std::to_wstring(*word);
    if (const auto* colour = value.Get<kveval::ColorParameter>()) return L"colour " + std::to_wstring(colour->color);
    if (value.Index() < 0) return L"none";
    return L"alternative " + std::to_wstring(value.Index());
}

class WorkArguments : public ArgumentReader {
public:
    using ArgumentReader::ArgumentReader;

    double real() {
        const std::wstring& text = next();
        try {
            std::size_t used = 0;
            const double value = std::stod(text, &used);
            if (used == text.size() && std::isfinite(value)) return value;
        } catch (const std::exception&) {
        }
        throw bad(toUtf8(text) + " is not a number");
    }
    int integer() {
        const double value = real();
        if (value != std::floor(value) || value < -2147483648.0 || value > 2147483647.0)
            throw bad(platform::core::toUtf8(number(value)) + " is not a whole number");
        return static_cast<int>(value);
    }
    // A {GUID}, or {} for none.
    GUID guid() {
        const std::wstring& text = next();
        if (text == L"{}") return GUID{};
        if (const std::optional<GUID> parsed = platform::mfc::parseGuid(text)) return *parsed;
        throw bad(toUtf8(text) + " is no {GUID}");
    }
    CKvw32Doc* document() {
        const int index = integer();
        const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
        if (index < 1 || index > static_cast<int>(documents.size())) throw bad("no open document " + std::to_string(index));
        return documents[static_cast<std::size_t>(index - 1)];
    }
    // An object of the document's 2D part.
    CKVObject* object(CKvw32Doc* document) {
        const int index = integer();
        CKVObject* found = document->Cont2D() ? document->Cont2D()->GetSafeObject(index) : nullptr;
        if (!found) throw bad("no object " + std::to_string(index));
        return found;
    }
    // A parameter name the kernel knows.
    std::string parameter() {
        const std::string name = toUtf8(next());
        if (!kveval::ObjectParametersProvider::Instance().GetDescriptorByName(name)) throw bad("unknown parameter " + name);
        return name;
    }
    // A value in the alternative the parameter takes: a number (with `var N` a variable's) for
    // the measures, a colour or layer number, a font name.
    kveval::VariantParameter value(const std::string& name) {
        if (name == "FontName" || name == "Material") return CString(text().c_str());
        if (name == "Color") return kveval::ColorParameter{integer(), -1};
        if (name == "Layer") return std::int32_t{integer()};
        kveval::NumberParameter measure{real(), -1, 0};
        if (const std::wstring* following = peek(); following && *following == L"var") {
            next();
            measure.variable = integer();
        }
        return measure;
    }
};

const std::wstring kDone = L"done";

struct WorkOperation {
    const wchar_t* name;
    const wchar_t* arguments;  // as the console shows them
    std::wstring (*run)(Kernel&, WorkArguments&);
};

constexpr WorkOperation kWork[] = {
    {L"ParameterNames", L"", [](Kernel&, WorkArguments&) {
         std::wstring answer;
         for (const char* name : kParameterNames) answer += (answer.empty() ? L"" : L" ") + platform::core::fromUtf8(name);
         return answer;
     }},
    {L"AddObject", L"DOCUMENT", [](Kernel& k, WorkArguments& a) {
         return L"object " + std::to_wstring(k.addObject(a.document()));
     }},
    {L"SetObjectParameter", L"DOCUMENT OBJECT \"NAME\" VALUE", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const int object = a.integer();
         const std::string name = a.parameter();
         k.setObjectParameter(document, object, name, a.value(name));
         return kDone;
     }},
    {L"ObjectParameter", L"DOCUMENT OBJECT \"NAME\"", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const int object = a.integer();
         const auto value = k.objectParameter(document, object, a.parameter());
         return value ? valueText(*value) : std::wstring(L"none");
     }},
    {L"NameObject", L"DOCUMENT OBJECT \"NAME\"", [](Kernel&, WorkArguments& a) {
         CKVObject* object = a.object(a.document());
         object->SetName(CString(a.text().c_str()));
         return kDone;
     }},
    {L"Select", L"DOCUMENT OBJECT ...", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         std::vector<int> objects;
         while (a.more()) objects.push_back(a.integer());
         k.select(document, std::move(objects));
         return kDone;
     }},
    {L"SetDefaultParameter", L"DOCUMENT \"NAME\" VALUE", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const std::string name = a.parameter();
         k.setDefaultParameter(document, name, a.value(name));
         return kDone;
     }},
    {L"DefaultParameter", L"DOCUMENT \"NAME\"", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         std::wstring answer;
         for (const auto& value : k.defaultParameter(document, a.parameter()))
             answer += (answer.empty() ? L"" : L", ") + valueText(value);
         return answer.empty() ? std::wstring(L"none") : answer;
     }},
    {L"AddVariable", L"DOCUMENT \"NAME\" NUMBER", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const std::wstring name = a.text();
         return L"variable " + std::to_wstring(k.addVariable(document, name, a.real()));
     }},
    {L"RaiseParameterEvent", L"DOCUMENT EVENT [FLAGS]", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const int event = a.integer();
         const int flags = a.more() ? a.integer() : 0;
         k.raiseParameterEvent(document, static_cast<unsigned>(event), static_cast<unsigned>(flags));
         return kDone;
     }},
    {L"RunCommand", L"DOCUMENT 0|1", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         k.setCommandRunning(document, a.integer() != 0);
         return kDone;
     }},
    // A running command keeps the keyboard's keys for itself: the frames' shortcuts leave them.
    {L"KeepKeys", L"0|1", [](Kernel& k, WorkArguments& a) {
         k.setRunningCommandTakesKeys(a.integer() != 0);
         return kDone;
     }},
    // An application event without data, on the UI thread (1036: the icons changed).
    {L"RaiseEvent", L"EVENT", [](Kernel&, WorkArguments& a) {
         ApplicationEventManager::Instance().Raise(static_cast<UINT>(a.integer()), ApplicationEventArgs());
         return kDone;
     }},
    // The document gets a 3D part shown in MODE (1: a 3D scene), or loses it with -1.
    {L"Set3D", L"DOCUMENT MODE", [](Kernel& k, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const int mode = a.integer();
         k.set3DContainerMode(document, mode < 0 ? std::nullopt : std::optional<int>(mode));
         return kDone;
     }},
    // A command changed the document: it has unsaved changes now.
    {L"Modify", L"DOCUMENT", [](Kernel&, WorkArguments& a) {
         a.document()->SetModifiedFlag(TRUE);
         return kDone;
     }},
    // The user's option to reopen the documents of the last run at the next start.
    {L"ReopenDocuments", L"0|1", [](Kernel& k, WorkArguments& a) {
         k.setReopenDocuments(a.integer() != 0);
         return kDone;
     }},
    // The kernel's type of the document's view ({GUID}, or {} for none): a view of another kind
    // of model, whose contextual ribbon tabs show while it is active.
    {L"ViewType", L"DOCUMENT {GUID}", [](Kernel&, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const GUID type = a.guid();
         auto* view = dynamic_cast<CKVView*>(document->GetActiveKVView());
         if (!view) throw std::invalid_argument("ViewType: the document has no view");
         view->SetTypeGuid(type);
         return kDone;
     }},
    // The kernel changes what the document's view is (KIND 0 none, 1 and 2 its two document
    // kinds; ALTERNATE and the third and fourth view properties 0 or 1) and tells the view's main
    // frame (message 1315) as it does.
    {L"ViewTraits", L"DOCUMENT KIND ALTERNATE PROPERTY3 PROPERTY4", [](Kernel&, WorkArguments& a) {
         CKvw32Doc* document = a.document();
         const int kind = a.integer();
         const bool alternate = a.integer() != 0, property3 = a.integer() != 0, property4 = a.integer() != 0;
         auto* view = dynamic_cast<CKVView*>(document->GetActiveKVView());
         if (!view) throw std::invalid_argument("ViewTraits: the document has no view");
         view->SetViewTraits(kind, alternate, property3, property4);
         constexpr UINT kViewChanged = WM_USER + 291;
         if (CFrameWnd* frame = view->GetTopLevelFrame())
             ::SendMessageW(frame->GetSafeHwnd(), kViewChanged, reinterpret_cast<WPARAM>(view), 0);
         return kDone;
     }},
};

// What the running command reads of control `id` through the application's panel getters.
std::wstring readBack(KorvoServerAppProxy& application, UINT id) {
    std::wstring line = std::to_wstring(id) + L": GetSyspanelControlData ";
    const void* data = application.GetSyspanelControlData(id);
    const bool measure = std::find(std::begin(kMeasureControls), std::end(kMeasureControls), id) != std::end(kMeasureControls);
    if (!data) {
        line += L"null";
    } else if (measure) {
        MeasureHead head{};
        std::memcpy(&head, data, sizeof head);
        line += number(head.value) + (head.variable >= 0 ? L" var " + std::to_wstring(head.variable) : L"");
    } else {
        std::int32_t word = 0;
        std::memcpy(&word, data, sizeof word);
        line += std::to_wstring(word);
    }
    double real = 0.0;
    int whole = 0;
    line += L", UnpackSyspanelDoubleVar " + (application.UnpackSyspanelDoubleVar(id, real) ? number(real) : L"false");
    line += L", UnpackSyspanelIntVar " + (application.UnpackSyspanelIntVar(id, whole) ? std::to_wstring(whole) : L"false");
    line += L", GetSyspanelControlIntValue " +
            (application.GetSyspanelControlIntValue(id, whole) ? std::to_wstring(whole) : L"false");
    return line;
}

int readPanelValue(CKvw32Doc* document, UINT id) {
    if (!document || !document->IsInCommand()) {
        platform::core::recordCall(std::wstring(kReaderName) + L"(" + std::to_wstring(id) + L"): no command runs");
        return 0;
    }
    KorvoServerAppProxy* application = KorvoServerAppProxy::Instance();
    if (!application) return 0;
    platform::core::recordCall(std::wstring(kReaderName) + L" reads " + readBack(*application, id));
    return 1;
}

template <UINT Id>
int readControl(CKvw32Doc* document) {
    return readPanelValue(document, Id);
}

template <UINT Id>
void registerReader() {
    KVCommandContainer& commands = KVCommandContainer::Instance();
    if (commands.IsRegistered(Id)) return;
    commands.RegisterCommand(new KVDocumentCommand(Id, kReaderName, &readControl<Id>, nullptr, KVCommandFlags()), Id);
}

}  // namespace

void Kernel::setCommandRunning(CDocument* document, bool running) {
    // The running command takes the parameter controls' commands; the registrations stay, and
    // answer that no command runs once it has ended.
    registerReader<904>();
    registerReader<907>();
    registerReader<909>();
    registerReader<911>();
    registerReader<912>();
    registerReader<915>();
    setInCommand(document, running);
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) frame->UpdateCommandState();
    postWorkMessage();
}

std::wstring Kernel::work(std::wstring_view operation, const std::vector<std::wstring>& arguments) {
    for (const WorkOperation& candidate : kWork) {
        if (operation != candidate.name) continue;
        WorkArguments read(operation, arguments);
        std::wstring answer = candidate.run(*this, read);
        read.finish();
        return answer;
    }
    if (std::wstring answer; requirementWork(operation, arguments, answer)) return answer;
    if (std::wstring answer; pdmWork(operation, arguments, answer)) return answer;
    if (std::wstring answer; saveWork(operation, arguments, answer)) return answer;
    if (std::wstring answer; viewWork(operation, arguments, answer)) return answer;
    if (std::wstring answer; pageWork(operation, arguments, answer)) return answer;
    throw std::invalid_argument("model: unknown operation " + toUtf8(operation));
}

std::vector<std::wstring> Kernel::workOperations() {
    std::vector<std::wstring> names;
    for (const WorkOperation& operation : kWork)
        names.push_back(*operation.arguments ? std::wstring(operation.name) + L" " + operation.arguments : operation.name);
    for (std::wstring& name : requirementOperations()) names.push_back(std::move(name));
    for (std::wstring& name : pdmOperations()) names.push_back(std::move(name));
    for (std::wstring& name : saveOperations()) names.push_back(std::move(name));
    for (std::wstring& name : viewOperations()) names.push_back(std::move(name));
    for (std::wstring& name : pageOperations()) names.push_back(std::move(name));
    return names;
}

std::wstring Kernel::dumpParameters() const {
    std::wstring out;
    const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
    for (std::size_t d = 0; d < documents.size(); ++d) {
        CKvw32Doc* document = documents[d];
        out += L"document " + std::to_wstring(d + 1) + L" " + quoted(document->GetTitle().view()) +
               (document->IsInCommand() ? L" in command" : L"") + L"\n";
        KVDocument* objects = document->Cont2D();
        for (int i = 0; objects && i < objects->GetObjectCount(); ++i) {
            out += L"  object " + std::to_wstring(i);
            if (const CKVObject* object = objects->GetSafeObject(i); object && !object->GetName().IsEmpty())
                out += L" name " + quoted(object->GetName().view());
            for (const char* name : kParameterNames)
                if (const auto value = objectParameter(document, i, name))
                    out += L" " + platform::core::fromUtf8(name) + L" " + valueText(*value);
            out += L"\n";
        }
        const CSelectionContainer* selection = document->GetStoreSelection();
        out += L"  selection";
        if (selection->IsEmpty()) out += L" none";
        for (int i = 0; i < selection->GetSize(); ++i) out += L" " + std::to_wstring(selection->GetAt(i));
        out += L"\n";
        if (!document->GetFindHistory().empty()) {
            out += L"  find-history";
            for (const CString& name : document->GetFindHistory()) out += L" " + quoted(name.view());
            out += L"\n";
        }
        for (const auto& container : document->GetDefaultParameters()->GetData()) {
            out += L"  defaults " + std::wstring(container.GetName());
            for (const char* name : kParameterNames)
                if (const auto* item = container.GetParameterByName(name))
                    out += L" " + platform::core::fromUtf8(name) + L" " + valueText(item->GetVariantParameter());
            out += L"\n";
        }
        for (int v = 0; objects && v < objects->GetVariableCount(); ++v)
            if (const KVVariable* variable = objects->GetVariable(v))
                out += L"  variable " + std::to_wstring(v) + L" " + quoted(variable->name.view()) + L" " +
                       number(variable->value) + L"\n";
    }
    return out;
}

}  // namespace platform::harness
