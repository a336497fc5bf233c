// The harness acting as the kernel on documents' parameters: objects, selection, defaults,
// variables and the events after which panels show them again.
#include <stdexcept>
#include <string>

#include "platform/harness.h"
#include "platform/harness/kernel_document.h"
#include "platform/kernel.h"

namespace platform::harness {

namespace {

using detail::kernelDocument;

int parameterId(std::string_view name) {
    const kveval::ParameterDescriptor* descriptor = kveval::ObjectParametersProvider::Instance().GetDescriptorByName(name);
    if (!descriptor) throw std::invalid_argument("harness: unknown parameter " + std::string(name));
    return descriptor->id;
}

CKVObject& object(CDocument* document, int index) {
    CKVObject* found = kernelDocument(document).Cont2D()->GetSafeObject(index);
    if (!found) throw std::out_of_range("harness: no object " + std::to_string(index));
    return *found;
}

}  // namespace

int Kernel::addObject(CDocument* document) { return kernelDocument(document).Cont2D()->AddObject(); }

void Kernel::setObjectParameter(CDocument* document, int index, std::string_view name,
                                const kveval::VariantParameter& value) {
    object(document, index).SetParameterValue(parameterId(name), value);
}

std::optional<kveval::VariantParameter> Kernel::objectParameter(CDocument* document, int index,
                                                                std::string_view name) const {
    return object(document, index).GetParameterValue(parameterId(name));
}

void Kernel::select(CDocument* document, std::vector<int> objects) {
    kernelDocument(document).GetStoreSelection()->Set(std::move(objects));
}

void Kernel::setDefaultParameter(CDocument* document, std::string_view name, const kveval::VariantParameter& value) {
    for (auto& container : kernelDocument(document).GetDefaultParameters()->GetData())
        if (kveval::DefaultParameterItem* item = container.GetParameterByName(name)) item->SetVariantParameter(value);
}

std::vector<kveval::VariantParameter> Kernel::defaultParameter(CDocument* document, std::string_view name) const {
    std::vector<kveval::VariantParameter> values;
    for (const auto& container : kernelDocument(document).GetDefaultParameters()->GetData())
        if (const kveval::DefaultParameterItem* item = container.GetParameterByName(name))
            values.push_back(item->GetVariantParameter());
    return values;
}

int Kernel::addVariable(CDocument* document, std::wstring_view name, double value) {
    return kernelDocument(document).Cont2D()->AddVariable(CString(std::wstring(name).c_str()), value);
}

void Kernel::setVariableCreationResult(CDocument* document, std::optional<int> result) {
    kernelDocument(document).Cont2D()->SetForcedVariableResult(result);
}

void Kernel::raiseParameterEvent(CDocument* document, unsigned eventId, unsigned flags) {
    RaiseParameterEventInEveryView(kernelDocument(document), eventId, flags);
}

}  // namespace platform::harness
