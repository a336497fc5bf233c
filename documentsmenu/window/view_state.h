// What the user expanded and hid in the documents menu, by object identifier, so that it outlives
// the rows (refills, filters) and, through the docking pane's layout, the program.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class ViewState {
public:
    // Identifiers order byte by byte.
    using Id = std::array<std::uint8_t, 16>;
    static Id IdOf(const GUID& guid);

    bool IsGroupExpanded(ILibrariesGroup* group) const;
    bool IsLibraryExpanded(ILibrary* library) const;
    bool IsGroupHidden(ILibrariesGroup* group) const;
    bool IsLibraryHidden(ILibrary* library) const;
    // Document names compare case-sensitively.
    bool IsDocumentHidden(ILibrary* library, const CString& name) const;
    bool HasHiddenItems() const;

    void SetGroupExpanded(ILibrariesGroup* group, bool expanded);
    void SetLibraryExpanded(ILibrary* library, bool expanded);
    void SetGroupHidden(ILibrariesGroup* group, bool hidden);
    void SetLibraryHidden(ILibrary* library, bool hidden);
    // Hiding adds the pair only when it is not there yet; showing removes it.
    void SetDocumentHidden(ILibrary* library, const CString& name, bool hidden);

    // The "State" section. Loading merges into what is held (entries without a readable
    // identifier or with an empty document name are skipped, pairs already held are not added
    // twice); storing writes only objects the model still has and hidden documents whose file
    // still exists, leaving what is held untouched.
    void DoPropExchange(CXTPPropExchange* px);

private:
    using HiddenDocument = std::pair<Id, CString>;
    // By library, then name as written. (A pair's own ordering would compare the names' pointers:
    // CString turns into one.)
    struct HiddenDocumentLess {
        bool operator()(const HiddenDocument& a, const HiddenDocument& b) const {
            return a.first != b.first ? a.first < b.first : a.second.str() < b.second.str();
        }
    };

    void exchangeIds(CXTPPropExchange* px, const wchar_t* section, const wchar_t* entry, std::set<Id>& ids,
                     bool (*resolves)(const Id&));
    void exchangeHiddenDocuments(CXTPPropExchange* px);

    std::set<Id> expandedGroups_;
    std::set<Id> expandedLibraries_;
    std::set<Id> hiddenGroups_;
    std::set<Id> hiddenLibraries_;
    std::set<HiddenDocument, HiddenDocumentLess> hiddenDocuments_;
};

}  // namespace DocumentsMenu
