#include "platform/kernel/documents/coordinate_systems.h"

#include "platform/kernel/record.h"

namespace platform::kernel {

CoordinateSystemStore::CoordinateSystemStore()
    : pageSystem_(std::make_unique<KVCoordinateSystem>(-1, L"Page 1", 0, 0, nullptr, CString())) {
    systems_.push_back(std::make_unique<KVCoordinateSystem>(0, L"Base", 0, 1, nullptr, CString()));
    projections_.push_back(std::make_unique<KVProjection>(L"Front view", 0));
    projections_.push_back(std::make_unique<KVProjection>(L"Top view", 0));
}

CoordinateSystemStore::~CoordinateSystemStore() = default;

KVCoordinateSystem* CoordinateSystemStore::GetPageSystem(int page) const {
    return page == pageSystem_->GetPage() ? pageSystem_.get() : nullptr;
}

KVCoordinateSystem* CoordinateSystemStore::Get(int number) const {
    for (const auto& system : systems_)
        if (system->GetNumber() == number) return system.get();
    return nullptr;
}

std::vector<KVCoordinateSystem*> CoordinateSystemStore::GetOnPage(int page) const {
    std::vector<KVCoordinateSystem*> found;
    for (const auto& system : systems_)
        if (system->GetPage() == page) found.push_back(system.get());
    return found;
}

std::vector<KVProjection*> CoordinateSystemStore::GetProjections(int page) const {
    std::vector<KVProjection*> found;
    for (const auto& projection : projections_)
        if (projection->GetPage() == page) found.push_back(projection.get());
    return found;
}

bool CoordinateSystemStore::HasSystemFor(const KVProjection* projection) const {
    for (const auto& system : systems_)
        if (system->GetLink() == projection) return true;
    return false;
}

int CoordinateSystemStore::Create(int page, int type, const KVProjection* link, const CString& comment) {
    const int number = systems_.empty() ? 0 : systems_.back()->GetNumber() + 1;
    const CString name = link ? link->GetName() : CString((L"LCS " + std::to_wstring(number)).c_str());
    systems_.push_back(std::make_unique<KVCoordinateSystem>(number, name, page, type, link, comment));
    recordCall(L"LCS::Create(page " + std::to_wstring(page) + L", type " + std::to_wstring(type) + L", " +
               quoted(name.view()) + L") = " + std::to_wstring(number));
    return number;
}

void CoordinateSystemStore::Show(int number) { recordCall(L"LCS::Show(" + std::to_wstring(number) + L")"); }

KVProjection* CoordinateSystemStore::AddProjection(const CString& name) {
    projections_.push_back(std::make_unique<KVProjection>(name, activePage_));
    return projections_.back().get();
}

void CoordinateSystemStore::SetLastFound(const CKVObject* object) { lastFound_ = object; }

}  // namespace platform::kernel

CString KVGetCurrentComment() { return CString(); }
