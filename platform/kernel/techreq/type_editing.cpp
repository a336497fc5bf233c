// Editing the requirement types tree, as the types editor does it on a copy of a document's
// database. The vector keeps parents before their children; siblings keep their vector order.
#include <algorithm>

#include "platform/kernel/techreq/store.h"
#include "platform/kernel/techreq/tech_requirements.h"

namespace {

const Korvo::UniqueIdentifier kNone;

// New types get ids the same in every run: the n-th id made in the process.
Korvo::UniqueIdentifier newTypeId(const TechRequirementTypesDb& types) {
    static unsigned made = 0;
    Korvo::UniqueIdentifier id;
    do {
        id = Korvo::UniqueIdentifier(platform::kernel::guidOfText(L"requirement type " + std::to_wstring(++made)));
    } while (types.Find(id));
    return id;
}

}  // namespace

TechRequirementTypesDb::Type* TechRequirementTypesDb::find(const Korvo::UniqueIdentifier& id) {
    return const_cast<Type*>(Find(id));
}

Korvo::UniqueIdentifier TechRequirementTypesDb::GetParent(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    return type ? type->parent : kNone;
}

bool TechRequirementTypesDb::IsMainType(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    return type && type->parent == kNone;
}

void TechRequirementTypesDb::SetName(const Korvo::UniqueIdentifier& id, const CString& name) {
    if (Type* type = find(id)) type->name = name;
}

bool TechRequirementTypesDb::GetShowHeader(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    return type && type->showHeader;
}

void TechRequirementTypesDb::SetShowHeader(const Korvo::UniqueIdentifier& id, bool show) {
    if (Type* type = find(id)) type->showHeader = show;
}

bool TechRequirementTypesDb::GetResetNumeration(const Korvo::UniqueIdentifier& id) const {
    const Type* type = Find(id);
    return type && type->resetNumeration;
}

void TechRequirementTypesDb::SetResetNumeration(const Korvo::UniqueIdentifier& id, bool reset) {
    if (Type* type = find(id)) type->resetNumeration = reset;
}

Korvo::UniqueIdentifier TechRequirementTypesDb::insert(Type type, const Korvo::UniqueIdentifier& after) {
    type.id = newTypeId(*this);
    const auto at = std::find_if(types_.begin(), types_.end(), [&after](const Type& each) { return each.id == after; });
    // Right behind `after` itself: its children come later in the vector, but sibling order is
    // all the order siblings have.
    if (after == kNone || at == types_.end() || at->parent != type.parent) types_.push_back(type);
    else types_.insert(std::next(at), type);
    return type.id;
}

Korvo::UniqueIdentifier TechRequirementTypesDb::AddMainType(const CString& name, const Korvo::UniqueIdentifier& after) {
    Type type;
    type.name = name;
    return insert(type, after);
}

Korvo::UniqueIdentifier TechRequirementTypesDb::AddChild(const Korvo::UniqueIdentifier& parent, const CString& name,
                                                         const Korvo::UniqueIdentifier& after) {
    if (parent == kNone || !Find(parent)) return kNone;
    Type type;
    type.name = name;
    type.parent = parent;
    return insert(type, after);
}

bool TechRequirementTypesDb::Remove(const Korvo::UniqueIdentifier& id, int& count) {
    count = 0;
    if (!Find(id)) return false;
    std::vector<Korvo::UniqueIdentifier> doomed{id};
    // Parents come first, so one pass collects every type below.
    for (const Type& type : types_)
        if (std::find(doomed.begin(), doomed.end(), type.parent) != doomed.end()) doomed.push_back(type.id);
    const auto before = types_.size();
    std::erase_if(types_, [&doomed](const Type& type) { return std::find(doomed.begin(), doomed.end(), type.id) != doomed.end(); });
    count = static_cast<int>(before - types_.size());
    return true;
}

std::optional<std::size_t> TechRequirementTypesDb::sibling(const Korvo::UniqueIdentifier& id, bool before) const {
    const Type* type = Find(id);
    if (!type) return std::nullopt;
    const auto at = static_cast<std::size_t>(type - types_.data());
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < types_.size(); ++i) {
        if (i == at || types_[i].parent != type->parent) continue;
        if (before && i < at) found = i;
        if (!before && i > at) return i;
    }
    return found;
}

bool TechRequirementTypesDb::CanMove(const Korvo::UniqueIdentifier& id, bool up) const { return sibling(id, up).has_value(); }

bool TechRequirementTypesDb::Move(const Korvo::UniqueIdentifier& id, bool up) {
    const std::optional<std::size_t> other = sibling(id, up);
    if (!other) return false;
    const auto at = static_cast<std::size_t>(Find(id) - types_.data());
    std::swap(types_[at], types_[*other]);
    // A swap may put a type behind its children: lay the vector out depth first again.
    std::vector<Type> ordered;
    ordered.reserve(types_.size());
    for (const Korvo::UniqueIdentifier& each : GetAllSorted(false)) ordered.push_back(*Find(each));
    types_ = std::move(ordered);
    return true;
}
