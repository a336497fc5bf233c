#include "documentsmenu/window/view_state.h"

#include <algorithm>
#include <cstring>

#include "services/command_bars.h"
#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

using Id = ViewState::Id;

constexpr Id kNoId{};

GUID GuidOf(const Id& id) {
    GUID guid{};
    std::memcpy(&guid, id.data(), sizeof guid);
    return guid;
}

template <class Set>
void SetMember(Set& set, const typename Set::key_type& key, bool member) {
    if (member) {
        set.insert(key);
    } else {
        set.erase(key);
    }
}

bool GroupResolves(const Id& id) { return FindLibrariesGroup(GuidOf(id)) != nullptr; }
bool LibraryResolves(const Id& id) { return FindLibrary(GuidOf(id)) != nullptr; }

bool IsRegularFile(const CString& path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Reads an identifier; the all-zero one when the entry has none that parses.
Id ReadId(CXTPPropExchange* entry, const wchar_t* key) {
    Korvo::UniqueIdentifier value;
    PX_UniqueIdentifier(entry, key, value);
    return ViewState::IdOf(value.Get());
}

void WriteId(CXTPPropExchange* entry, const wchar_t* key, const Id& id) {
    Korvo::UniqueIdentifier value(GuidOf(id));
    PX_UniqueIdentifier(entry, key, value);
}

}  // namespace

Id ViewState::IdOf(const GUID& guid) {
    Id id{};
    static_assert(sizeof(GUID) == sizeof(Id));
    std::memcpy(id.data(), &guid, sizeof guid);
    return id;
}

bool ViewState::IsGroupExpanded(ILibrariesGroup* group) const {
    return group && expandedGroups_.contains(IdOf(group->GetId()));
}

bool ViewState::IsLibraryExpanded(ILibrary* library) const {
    return library && expandedLibraries_.contains(IdOf(library->GetId()));
}

bool ViewState::IsGroupHidden(ILibrariesGroup* group) const {
    return group && hiddenGroups_.contains(IdOf(group->GetId()));
}

bool ViewState::IsLibraryHidden(ILibrary* library) const {
    return library && hiddenLibraries_.contains(IdOf(library->GetId()));
}

bool ViewState::IsDocumentHidden(ILibrary* library, const CString& name) const {
    if (!library) return false;
    return hiddenDocuments_.contains(HiddenDocument{IdOf(library->GetId()), name});
}

bool ViewState::HasHiddenItems() const {
    return !hiddenGroups_.empty() || !hiddenLibraries_.empty() || !hiddenDocuments_.empty();
}

void ViewState::SetGroupExpanded(ILibrariesGroup* group, bool expanded) {
    if (group) SetMember(expandedGroups_, IdOf(group->GetId()), expanded);
}

void ViewState::SetLibraryExpanded(ILibrary* library, bool expanded) {
    if (library) SetMember(expandedLibraries_, IdOf(library->GetId()), expanded);
}

void ViewState::SetGroupHidden(ILibrariesGroup* group, bool hidden) {
    if (group) SetMember(hiddenGroups_, IdOf(group->GetId()), hidden);
}

void ViewState::SetLibraryHidden(ILibrary* library, bool hidden) {
    if (library) SetMember(hiddenLibraries_, IdOf(library->GetId()), hidden);
}

void ViewState::SetDocumentHidden(ILibrary* library, const CString& name, bool hidden) {
    if (!library) return;
    SetMember(hiddenDocuments_, HiddenDocument{IdOf(library->GetId()), name}, hidden);
}

void ViewState::DoPropExchange(CXTPPropExchange* px) {
    exchangeIds(px, L"ExpandedGroups", L"group", expandedGroups_, GroupResolves);
    exchangeIds(px, L"ExpandedLibs", L"lib", expandedLibraries_, LibraryResolves);
    exchangeIds(px, L"HiddenGroups", L"group", hiddenGroups_, GroupResolves);
    exchangeIds(px, L"HiddenLibs", L"lib", hiddenLibraries_, LibraryResolves);
    exchangeHiddenDocuments(px);
}

void ViewState::exchangeIds(CXTPPropExchange* px, const wchar_t* section, const wchar_t* entry,
                            std::set<Id>& ids, bool (*resolves)(const Id&)) {
    CXTPPropExchangeSection node(px->GetSection(section));
    CXTPPropExchangeEnumeratorPtr entries = node->GetEnumerator(entry);
    if (px->IsLoading()) {
        POSITION position = entries->GetPosition();
        while (position) {
            const Id id = ReadId(entries->GetNext(position), L"id");
            if (id != kNoId) ids.insert(id);
        }
        return;
    }
    std::vector<Id> written;
    std::copy_if(ids.begin(), ids.end(), std::back_inserter(written), resolves);
    POSITION position = entries->GetPosition(static_cast<DWORD>(written.size()));
    for (const Id& id : written) WriteId(entries->GetNext(position), L"id", id);
}

void ViewState::exchangeHiddenDocuments(CXTPPropExchange* px) {
    CXTPPropExchangeSection node(px->GetSection(L"HiddenDocs"));
    CXTPPropExchangeEnumeratorPtr entries = node->GetEnumerator(L"doc");
    if (px->IsLoading()) {
        POSITION position = entries->GetPosition();
        while (position) {
            CXTPPropExchange* entry = entries->GetNext(position);
            const Id library = ReadId(entry, L"libID");
            if (library == kNoId) continue;
            CString name;
            PX_String(entry, L"docName", name, L"");
            if (name.IsEmpty()) continue;
            // A state loaded twice (a layout or profile applied again) holds each pair once.
            hiddenDocuments_.emplace(library, name);
        }
        return;
    }
    std::vector<const HiddenDocument*> written;
    for (const HiddenDocument& pair : hiddenDocuments_) {
        ILibrary* library = FindLibrary(GuidOf(pair.first));
        if (library && IsRegularFile(GetLibraryAbsolutePath(library) + pair.second)) written.push_back(&pair);
    }
    POSITION position = entries->GetPosition(static_cast<DWORD>(written.size()));
    for (const HiddenDocument* pair : written) {
        CXTPPropExchange* entry = entries->GetNext(position);
        WriteId(entry, L"libID", pair->first);
        CString name = pair->second;
        PX_String(entry, L"docName", name, L"");
    }
}

}  // namespace DocumentsMenu
