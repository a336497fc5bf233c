#include "platform/kernel/documents/parameters.h"

#include <algorithm>
#include <cmath>

#include "platform/kernel/documents/document_2d.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/events.h"
#include "platform/kernel/record.h"

namespace kveval {

namespace {

bool sameNumber(const NumberParameter& a, const NumberParameter& b) {
    return std::fabs(a.value - b.value) < 1e-8 && a.variable == b.variable && a.unit == b.unit;
}

bool sameValue(const VariantParameter::Value& a, const VariantParameter::Value& b) {
    if (a.index() != b.index()) return false;
    return std::visit(
        [&b](const auto& left) {
            using T = std::decay_t<decltype(left)>;
            const T& right = std::get<T>(b);
            if constexpr (std::is_same_v<T, NumberParameter>) return sameNumber(left, right);
            else return left == right;
        },
        a);
}

}  // namespace

bool operator==(const VariantParameter& a, const VariantParameter& b) {
    if (a.flags[0] != b.flags[0] || a.flags[1] != b.flags[1]) return false;
    if (!a.value_ || !b.value_) return !a.value_ && !b.value_;
    return sameValue(*a.value_, *b.value_);
}

ObjectParametersProvider& ObjectParametersProvider::Instance() {
    static ObjectParametersProvider provider;
    return provider;
}

ObjectParametersProvider::ObjectParametersProvider()
    : descriptors_{{1, "Color"}, {2, "Layer"}, {3, "Level"}, {4, "Priority"}, {5, "FontSize"}, {6, "FontName"}, {7, "Material"}} {}

const ParameterDescriptor* ObjectParametersProvider::GetDescriptorByName(std::string_view name) const {
    for (const auto& descriptor : descriptors_)
        if (descriptor.name == name) return &descriptor;
    return nullptr;
}

DefaultParameterItem* DefaultParameterContainer::GetParameterByName(std::string_view name) {
    for (auto& item : items_)
        if (item.GetName() == name) return &item;
    return nullptr;
}

const DefaultParameterItem* DefaultParameterContainer::GetParameterByName(std::string_view name) const {
    return const_cast<DefaultParameterContainer*>(this)->GetParameterByName(name);
}

ModelDefaultParameterProvider::ModelDefaultParameterProvider() {
    DefaultParameterContainer flat(L"2D");
    flat.Add("Color", ColorParameter{0, -1});
    flat.Add("Layer", std::int32_t{0});
    flat.Add("Level", NumberParameter{0.0, -1, 0});
    flat.Add("Priority", NumberParameter{0.0, -1, 0});
    flat.Add("FontSize", NumberParameter{3.5, -1, 0});
    flat.Add("FontName", CString(L"Arial"));
    DefaultParameterContainer solid(L"3D");
    solid.Add("Color", ColorParameter{0, -1});
    solid.Add("Layer", std::int32_t{0});
    containers_.push_back(std::move(flat));
    containers_.push_back(std::move(solid));
}

DefaultParameterContainer& ModelDefaultParameterProvider::container(bool is3D) { return containers_[is3D ? 1 : 0]; }
const DefaultParameterContainer& ModelDefaultParameterProvider::container(bool is3D) const {
    return containers_[is3D ? 1 : 0];
}

std::int32_t ModelDefaultParameterProvider::GetDefaultColor(bool is3D) const {
    const DefaultParameterItem* item = container(is3D).GetParameterByName("Color");
    const auto* color = item ? item->GetVariantParameter().Get<ColorParameter>() : nullptr;
    return color ? color->color : 0;
}

void ModelDefaultParameterProvider::SetDefaultColor(const ColorParameter& color, bool is3D) {
    if (DefaultParameterItem* item = container(is3D).GetParameterByName("Color")) item->SetVariantParameter(color);
}

std::int32_t ModelDefaultParameterProvider::GetDefaultLayer(bool is3D) const {
    const DefaultParameterItem* item = container(is3D).GetParameterByName("Layer");
    const auto* layer = item ? item->GetVariantParameter().Get<std::int32_t>() : nullptr;
    return layer ? *layer : 0;
}

void ModelDefaultParameterProvider::SetDefaultLayer(std::int32_t layer, bool is3D) {
    if (DefaultParameterItem* item = container(is3D).GetParameterByName("Layer")) item->SetVariantParameter(layer);
}

void ModelDefaultParameterProvider::SetDefaultLevel(const IntWithVariable& level, bool is3D) {
    if (DefaultParameterItem* item = container(is3D).GetParameterByName("Level"))
        item->SetVariantParameter(NumberParameter{static_cast<double>(level.value), level.variable, 0});
}

void ModelDefaultParameterProvider::SetDefaultPriority(const IntWithVariable& priority, bool is3D) {
    if (DefaultParameterItem* item = container(is3D).GetParameterByName("Priority"))
        item->SetVariantParameter(NumberParameter{static_cast<double>(priority.value), priority.variable, 0});
}

}  // namespace kveval

std::optional<kveval::VariantParameter> CKVObject::GetParameterValue(int id) const {
    const auto it = parameters_.find(id);
    if (it == parameters_.end()) return std::nullopt;
    return it->second;
}

Container2D::~Container2D() = default;

CKVObject* Container2D::GetSafeObject(int index) const {
    if (index >= kFirstPageId) {
        const auto page = static_cast<std::size_t>(index - kFirstPageId);
        return page < pages_.size() ? pages_[page].get() : nullptr;
    }
    if (index < 0 || index >= static_cast<int>(objects_.size())) return nullptr;
    return objects_[static_cast<std::size_t>(index)].get();
}

int Container2D::AddPageObject(std::unique_ptr<CKVObject> page) {
    pages_.push_back(std::move(page));
    return kFirstPageId + static_cast<int>(pages_.size()) - 1;
}

int Container2D::AddObject() {
    objects_.push_back(std::make_unique<CKVObject>());
    return static_cast<int>(objects_.size()) - 1;
}

void EditPropManager::InitFromSelectedObjects() {
    objects_.clear();
    if (!document_) return;
    const CSelectionContainer* selection = document_->GetStoreSelection();
    for (int i = 0; selection && i < selection->GetSize(); ++i)
        if (CKVObject* object = document_->Cont2D()->GetSafeObject(selection->GetAt(i))) objects_.push_back(object);
}

void EditPropManager::StoreParameterValueForAll(int id, const std::optional<kveval::VariantParameter>& value) {
    if (value) values_[id] = *value;
}

bool EditPropManager::ApplyAllChanges(bool) {
    for (CKVObject* object : objects_)
        for (const auto& [id, value] : values_) object->SetParameterValue(id, value);
    platform::kernel::recordCall(L"EditPropManager::ApplyAllChanges(" + std::to_wstring(objects_.size()) + L" objects)");
    if (document_ && !objects_.empty() && !values_.empty())
        RaiseParameterEventInEveryView(*document_, kEventObjectsPropertiesChanged, 0);
    return true;
}

void RaiseParameterEventInEveryView(CKvw32Doc& document, UINT eventId, DWORD flags) {
    std::vector<CKVBaseView*> views;
    for (CView* view : document.GetViews())
        if (auto* kernelView = dynamic_cast<CKVBaseView*>(view)) views.push_back(kernelView);
    const bool noViews = views.empty();
    if (noViews) views.push_back(document.GetActiveKVView());
    const auto stillOpen = [&document] {
        const auto open = Korvo::DocumentManager::Instance().GetDocuments();
        return std::find(open.begin(), open.end(), &document) != open.end();
    };
    for (CKVBaseView* view : views) {
        // A listener may close a window of the document, even its last one (the document then
        // goes too), while the event goes round: what is left is taken from the document again,
        // so that no one is handed a dead view or a dead document.
        if (!stillOpen()) return;
        if (!noViews && std::find(document.GetViews().begin(), document.GetViews().end(), view) ==
                            document.GetViews().end()) {
            continue;
        }
        if (eventId == kEventObjectsPropertiesChanged)
            ApplicationEventManager::Instance().Raise(eventId, ObjectsPropertiesChangedArgs(flags, &document, view, 1));
        else
            ApplicationEventManager::Instance().Raise(eventId, ApplicationEventArgs(flags, &document, view));
    }
}
