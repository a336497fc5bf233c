#include "syspanel/panel_parameters.h"

#include <cmath>
#include <limits>

namespace {

constexpr DWORD kNoRefreshFlag = 0x20;

HWND windowOf(const CWnd* window) { return window ? window->GetSafeHwnd() : nullptr; }

// The one value all of `values` share, or nothing (also when there is none).
template <class Next>
std::optional<kveval::VariantParameter> commonValue(Next next) {
    std::optional<kveval::VariantParameter> common;
    while (auto value = next()) {
        if (!*value) continue;
        if (!common) {
            common = **value;
        } else if (!(*common == **value)) {
            return std::nullopt;
        }
    }
    return common;
}

std::int32_t clampedToInt32(double value) {
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    if (truncated <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (truncated >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(truncated);
}

// A level or a priority from any alternative: a number truncated into the int range with its
// variable, the first int of alternatives 9 and 2, else 0.
kveval::IntWithVariable intWithVariable(const kveval::VariantParameter& value) {
    if (const auto* number = value.Get<kveval::NumberParameter>()) return {clampedToInt32(number->value), number->variable};
    if (const auto* pair = value.Get<kveval::IntPair>()) return {pair->first, -1};
    if (const auto* word = value.Get<std::int32_t>()) return {*word, -1};
    return {0, -1};
}

}  // namespace

Korvo::UI::MainFrame* GetControlMainFrame(const CXTPControl* control) {
    if (!control) return nullptr;
    UIModuleProxy& ui = UIModuleProxy::Instance();
    const CXTPCommandBar* bar = control->GetParent();
    if (!bar) return ui.GetActiveMainFrame();
    return ui.GetMainFrameOf(windowOf(bar->GetSite()));
}

CKvw32Doc* GetControlKorvoDocument(const CXTPControl* control) {
    Korvo::UI::MainFrame* frame = GetControlMainFrame(control);
    return frame ? frame->GetActiveKorvoDocument() : nullptr;
}

KVDocument* GetControlDocument(const CXTPControl* control) {
    CKvw32Doc* document = GetControlKorvoDocument(control);
    // A bar on a window that is no main frame's serves that window's own document.
    if (!document && control && control->GetParent())
        document = KVGetActiveDoc(dynamic_cast<CFrameWnd*>(control->GetParent()->GetSite()));
    return document ? document->Cont2D() : nullptr;
}

bool IsActiveView3D(CKvw32Doc* document) {
    const CKVBaseView* view = document ? document->GetActiveKVView() : nullptr;
    return view && !view->Is2DView();
}

std::optional<RefreshTarget> GetRefreshTarget(const CXTPControl* control, const ApplicationEventArgs& args,
                                              bool ownWritesToo) {
    if (args.GetFlags() & kNoRefreshFlag) return std::nullopt;
    const CXTPCommandBar* bar = control ? control->GetParent() : nullptr;
    if (!bar) return std::nullopt;
    CKvw32Doc* document = args.GetEventDocument();
    if (!document || document->IsInCommand()) return std::nullopt;
    const CKVBaseView* view = args.GetView() ? args.GetView() : document->GetActiveKVView();
    if (!view) return std::nullopt;
    const HWND site = windowOf(bar->GetSite());
    if (!site) return std::nullopt;
    UIModuleProxy& ui = UIModuleProxy::Instance();
    if (ui.GetMainFrameOf(view->GetSafeHwnd()) != ui.GetMainFrameOf(site)) return std::nullopt;
    if (const auto* changed = dynamic_cast<const ObjectsPropertiesChangedArgs*>(&args);
        changed && changed->GetKind() == 0 && !ownWritesToo)
        return std::nullopt;
    return RefreshTarget{document, !view->Is2DView()};
}

std::optional<kveval::VariantParameter> GetDefaultCommonParameter(CKvw32Doc* document, std::string_view name) {
    if (!document) return std::nullopt;
    const auto& containers = document->GetDefaultParameters()->GetData();
    std::size_t next = 0;
    return commonValue([&]() -> std::optional<std::optional<kveval::VariantParameter>> {
        if (next == containers.size()) return std::nullopt;
        const kveval::DefaultParameterItem* item = containers[next++].GetParameterByName(name);
        if (!item) return std::optional<kveval::VariantParameter>();
        return std::optional<kveval::VariantParameter>(item->GetVariantParameter());
    });
}

std::optional<kveval::VariantParameter> GetSelectionCommonParameter(CKvw32Doc* document, std::string_view name) {
    if (!document) return std::nullopt;
    const CSelectionContainer* selection = document->GetStoreSelection();
    if (!selection || selection->IsEmpty()) return GetDefaultCommonParameter(document, name);
    const kveval::ParameterDescriptor* descriptor = kveval::ObjectParametersProvider::Instance().GetDescriptorByName(name);
    if (!descriptor) return std::nullopt;
    int next = 0;
    return commonValue([&]() -> std::optional<std::optional<kveval::VariantParameter>> {
        if (next == selection->GetSize()) return std::nullopt;
        const CKVObject* object = document->Cont2D()->GetSafeObject(selection->GetAt(next++));
        if (!object) return std::optional<kveval::VariantParameter>();
        return object->GetParameterValue(descriptor->id);
    });
}

bool SetSelectionParameter(CKvw32Doc* document, std::string_view name, const kveval::VariantParameter& value) {
    if (!document) return false;
    const CSelectionContainer* selection = document->GetStoreSelection();
    if (!selection || selection->IsEmpty()) {
        SetDocumentDefaultParameter(document, name, value);
        return false;
    }
    const kveval::ParameterDescriptor* descriptor = kveval::ObjectParametersProvider::Instance().GetDescriptorByName(name);
    if (!descriptor) return true;
    EditPropManager editor(document);
    editor.InitFromSelectedObjects();
    editor.StoreParameterValueForAll(descriptor->id, value);
    editor.ApplyAllChanges(false);
    return true;
}

void SetDocumentDefaultParameter(CKvw32Doc* document, std::string_view name, const kveval::VariantParameter& value) {
    if (!document) return;
    kveval::ModelDefaultParameterProvider* defaults = document->GetDefaultParameters();
    const bool is3D = IsActiveView3D(document);
    if (name == "Color") {
        if (const auto* color = value.Get<kveval::ColorParameter>()) defaults->SetDefaultColor(*color, is3D);
    } else if (name == "Level") {
        defaults->SetDefaultLevel(intWithVariable(value), is3D);
    } else if (name == "Priority") {
        defaults->SetDefaultPriority(intWithVariable(value), is3D);
    } else if (name == "Layer") {
        if (const auto* layer = value.Get<std::int32_t>()) defaults->SetDefaultLayer(*layer, is3D);
    } else {
        // The containers are the document's own: the write stays.
        for (auto& container : defaults->GetData()) {
            kveval::DefaultParameterItem* item = container.GetParameterByName(name);
            if (item && !(item->GetVariantParameter() == value)) item->SetVariantParameter(value);
        }
    }
}
