// The kernel's parameter values: the variant that carries a parameter between the kernel and the
// panels, the descriptors of object parameters, objects that hold parameters and the document's
// defaults for new elements, and the property editor that writes to selected objects.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/mfc.h"

namespace kveval {

// Alternative 0: a number that may stand for a document variable, in a unit.
struct NumberParameter {
    double value = 0.0;
    std::int32_t variable = -1;
    std::int32_t unit = 0;  // the low 30 bits hold the unit's index
};
struct TextAndInt {  // alternative 4
    CString text;
    std::int32_t number = 0;
    bool operator==(const TextAndInt&) const = default;
};
struct ColorParameter {  // alternative 5: the colour word and a second word (-1 from the panel)
    std::int32_t color = 0;
    std::int32_t second = -1;
    bool operator==(const ColorParameter&) const = default;
};
struct FlagAndInt {  // alternative 6
    bool flag = false;
    std::int32_t number = 0;
    bool operator==(const FlagAndInt&) const = default;
};
struct NumberListItem {  // an element of alternative 8
    double value = 0.0;
    std::int32_t first = 0;
    std::int32_t second = 0;
    bool operator==(const NumberListItem&) const = default;
};
struct IntPair {  // alternative 9
    std::int32_t first = 0;
    std::int32_t second = 0;
    bool operator==(const IntPair&) const = default;
};
struct NameAndInt {  // alternative 10
    CString name;
    std::int32_t number = 0;
    bool operator==(const NameAndInt&) const = default;
};

}  // namespace kveval

// The parameters of a hole (alternative 7).
struct HoleParameters {
    double diameter = 0.0;
    double depth = 0.0;
    std::int32_t kind = 0;
    bool operator==(const HoleParameters&) const = default;
};

namespace kveval {

// A parameter value: one of eleven alternatives (or none) and two flag bytes.
class VariantParameter {
public:
    using Value = std::variant<NumberParameter, CString, std::int32_t, bool, TextAndInt, ColorParameter, FlagAndInt,
                               HoleParameters, std::vector<NumberListItem>, IntPair, NameAndInt>;

    VariantParameter() = default;
    // A value of exactly one of the alternatives' types.
    // The copy is ruled out first: checking it against the alternatives would ask about itself.
    template <class T>
        requires(!std::is_same_v<std::remove_cvref_t<T>, VariantParameter>) &&
                std::is_constructible_v<Value, std::in_place_type_t<T>, T>
    // Built in place: a temporary variant moved into the optional makes GCC 12 at -O2 see a
    // destructor of a never-built vector on that temporary (a false -Wfree-nonheap-object).
    VariantParameter(T value) : value_(std::in_place, std::in_place_type<T>, std::move(value)) {}  // NOLINT: implicit

    // The alternative held, or -1 for none.
    int Index() const { return value_ ? static_cast<int>(value_->index()) : -1; }
    template <class T>
    const T* Get() const {
        return value_ ? std::get_if<T>(&*value_) : nullptr;
    }
    std::uint8_t flags[2] = {0, 0};

    // Same alternative, equal by that alternative's rule, equal flags; two empty values are equal.
    // Numbers (alternative 0) are equal within 1e-8; the number lists of alternative 8 exactly.
    friend bool operator==(const VariantParameter& a, const VariantParameter& b);

private:
    std::optional<Value> value_;
};

// What the kernel knows of an object parameter: its numeric id.
struct ParameterDescriptor {
    int id = 0;
    std::string name;
};

class ObjectParametersProvider {
public:
    static ObjectParametersProvider& Instance();
    // Null for a name the kernel does not know.
    const ParameterDescriptor* GetDescriptorByName(std::string_view name) const;

private:
    ObjectParametersProvider();
    std::vector<ParameterDescriptor> descriptors_;
};

// One default of a container, by parameter name.
class DefaultParameterItem {
public:
    DefaultParameterItem(std::string name, VariantParameter value) : name_(std::move(name)), value_(std::move(value)) {}
    const std::string& GetName() const { return name_; }
    const VariantParameter& GetVariantParameter() const { return value_; }
    void SetVariantParameter(const VariantParameter& value) { value_ = value; }

private:
    std::string name_;
    VariantParameter value_;
};

class DefaultParameterContainer {
public:
    explicit DefaultParameterContainer(std::wstring name) : name_(std::move(name)) {}
    const std::wstring& GetName() const { return name_; }
    DefaultParameterItem* GetParameterByName(std::string_view name);
    const DefaultParameterItem* GetParameterByName(std::string_view name) const;
    void Add(std::string name, VariantParameter value) { items_.emplace_back(std::move(name), std::move(value)); }

private:
    std::wstring name_;
    std::vector<DefaultParameterItem> items_;
};

// The document's default containers. They are handed out by reference: what a caller writes
// into them is the document's default.
class DefaultParameterProvider {
public:
    virtual ~DefaultParameterProvider() = default;
    std::vector<DefaultParameterContainer>& GetData() { return containers_; }
    const std::vector<DefaultParameterContainer>& GetData() const { return containers_; }

protected:
    std::vector<DefaultParameterContainer> containers_;
};

// A level or a priority with the variable that holds it (-1: none).
struct IntWithVariable {
    std::int32_t value = 0;
    std::int32_t variable = -1;
};

// The defaults of a model: one container for 2D elements (colour, layer, level, priority and
// text) and one for 3D elements (colour and layer). The 3D flag picks the container.
class ModelDefaultParameterProvider : public DefaultParameterProvider {
public:
    ModelDefaultParameterProvider();
    std::int32_t GetDefaultColor(bool is3D) const;
    void SetDefaultColor(const ColorParameter& color, bool is3D);
    std::int32_t GetDefaultLayer(bool is3D) const;
    void SetDefaultLayer(std::int32_t layer, bool is3D);
    void SetDefaultLevel(const IntWithVariable& level, bool is3D);
    void SetDefaultPriority(const IntWithVariable& priority, bool is3D);

private:
    DefaultParameterContainer& container(bool is3D);
    const DefaultParameterContainer& container(bool is3D) const;
};

}  // namespace kveval

// A drawing object with its parameters by descriptor id.
class CKVObject {
public:
    virtual ~CKVObject() = default;
    // The icon resource the kernel shows for objects of a type (0: any object, which has none).
    static int GetDefaultIconID(UINT objectType) { return objectType == 0 ? 0 : static_cast<int>(kFirstObjectIcon + objectType); }
    static constexpr UINT kFirstObjectIcon = 52000;
    std::optional<kveval::VariantParameter> GetParameterValue(int id) const;
    void SetParameterValue(int id, const kveval::VariantParameter& value) { parameters_[id] = value; }
    // The element's name (empty: none), by which the user finds it.
    const CString& GetName() const { return name_; }
    void SetName(const CString& name) { name_ = name; }

private:
    std::map<int, kveval::VariantParameter> parameters_;
    CString name_;
};

// The objects of a document's 2D part, by index.
class Container2D {
public:
    Container2D() = default;
    virtual ~Container2D();
    Container2D(const Container2D&) = delete;
    Container2D& operator=(const Container2D&) = delete;

    // Null for an index that holds no object. Page objects answer to their page ids, which lie
    // past every drawing object's index (kFirstPageId on).
    CKVObject* GetSafeObject(int index) const;
    int AddObject();  // the new object's index
    int GetObjectCount() const { return static_cast<int>(objects_.size()); }

    static constexpr int kFirstPageId = 0x10000;

protected:
    // Takes a page object and gives it the next page id.
    int AddPageObject(std::unique_ptr<CKVObject> page);

private:
    std::vector<std::unique_ptr<CKVObject>> objects_;
    std::vector<std::unique_ptr<CKVObject>> pages_;
};

// The objects a document has selected, by index into its 2D container (-1: an empty entry).
class CSelectionContainer {
public:
    bool IsEmpty() const { return entries_.empty(); }
    int GetSize() const { return static_cast<int>(entries_.size()); }
    int GetAt(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    void Set(std::vector<int> entries) { entries_ = std::move(entries); }

private:
    std::vector<int> entries_;
};

class CKvw32Doc;

// Tells every window of the document that its parameters changed (event `eventId`, one of the
// parameter events), so that every main frame showing the document hears it.
void RaiseParameterEventInEveryView(CKvw32Doc& document, UINT eventId, DWORD flags);

// Changes parameters of a document's selected objects: initialised from the selection, given a
// value per parameter, then applied all at once; the kernel then tells the document's windows
// that the objects' properties changed.
class EditPropManager {
public:
    explicit EditPropManager(CKvw32Doc* document) : document_(document) {}
    void InitFromSelectedObjects();
    // Without a value the parameter is left as it is.
    void StoreParameterValueForAll(int id, const std::optional<kveval::VariantParameter>& value);
    // Writes the stored values into the objects; `undoSeparately` would give each its own step.
    bool ApplyAllChanges(bool undoSeparately);

private:
    CKvw32Doc* document_;
    std::vector<CKVObject*> objects_;
    std::map<int, kveval::VariantParameter> values_;
};
