#include "documentsmenu/group_rows.h"

#include <climits>

#include "documentsmenu/records/record_icons.h"

namespace DocumentsMenu {

namespace {

bool skippedAsHidden(const DocumentsMenuDlg* window, bool hidden) {
    return hidden && !(window && window->IsShowHidden());
}

template <class Object>
bool hiddenInWindow(const DocumentsMenuDlg* window, Object* object) {
    return window && window->IsHidden(object);
}

// Grey cells, the remembered or searched expansion and the hidden state of a new child row.
template <class Object>
void placeChild(Record& owner, Record* row, Object* object, bool expand, const CString& childFilter) {
    const DocumentsMenuDlg* window = owner.GetWindow();
    if (expand) row->UpdateChildren(childFilter);
    row->SetExpanded(expand ? TRUE : FALSE);
    if (hiddenInWindow(window, object)) row->SetVisible(window->IsShowHidden() ? TRUE : FALSE);
}

// With a filter: whether the object is listed and with which filter for its children.
template <class Object, class Search>
bool filteredPlace(Object* object, const CString& filter, Search deepSearch, bool& expand, CString& childFilter) {
    if (filter.IsEmpty()) return true;
    const bool deep = deepSearch();
    expand = deep;
    if (ContainsFilter(object->GetSearchName(), filter)) {
        childFilter.Empty();
        return true;
    }
    childFilter = filter;
    return deep;
}

}  // namespace

bool GroupMatchesSearch(ILibrariesGroup* group, const CString& filter, const DocumentsMenuDlg* window,
                        const SearchAnswers* answers) {
    if (!group) return false;
    for (int i = 0; i < group->GetGroupCount(); ++i) {
        ILibrariesGroup* sub = group->GetGroupAt(i);
        if (!sub || skippedAsHidden(window, hiddenInWindow(window, sub))) continue;
        if (ContainsFilter(sub->GetSearchName(), filter) || GroupMatchesSearch(sub, filter, window, answers)) return true;
    }
    for (int i = 0; i < group->GetLibraryCount(); ++i) {
        ILibrary* library = group->GetLibraryAt(i);
        if (!library || skippedAsHidden(window, hiddenInWindow(window, library))) continue;
        if (ContainsFilter(library->GetSearchName(), filter) || LibraryMatchesSearch(library, filter, window, answers))
            return true;
    }
    return false;
}

bool LibraryMatchesSearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window,
                          const SearchAnswers* answers) {
    if (answers && answers->GetFilter() == filter) {
        if (const std::optional<bool> answer = answers->Answer(library)) return *answer;
    }
    int work = INT_MAX;
    return LibrarySearch(library, filter, window).Advance(work).value_or(false);
}

void GroupRows::Fill(ILibrariesGroup* group, const CString& filter, const GroupChildRows& make) {
    owner_.GetChilds()->RemoveAll();
    const DocumentsMenuDlg* window = owner_.GetWindow();
    const StructureBase* structure = owner_.GetStructure();
    const SearchAnswers* answers = structure ? structure->GetSearchAnswers() : nullptr;
    const bool showExcluded = owner_.ShowExcluded();
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    for (int i = 0; group && i < group->GetGroupCount(); ++i) {
        ILibrariesGroup* sub = group->GetGroupAt(i);
        if (!sub || (sub->IsExcluded() && !showExcluded)) continue;
        bool expand = window && window->IsExpanded(sub);
        CString childFilter;
        const auto search = [&] { return GroupMatchesSearch(sub, filter, window, answers); };
        if (!filteredPlace(sub, filter, search, expand, childFilter)) continue;
        Record* row = make.group(sub);
        owner_.AppendChild(row);
        if (sub->IsExcluded()) row->SetCellsTextColor(grey);
        placeChild(owner_, row, sub, expand, childFilter);
    }
    for (int i = 0; group && i < group->GetLibraryCount(); ++i) {
        ILibrary* library = group->GetLibraryAt(i);
        if (!library || (library->IsExcluded() && !showExcluded)) continue;
        bool expand = window && window->IsExpanded(library);
        CString childFilter;
        const auto search = [&] { return LibraryMatchesSearch(library, filter, window, answers); };
        if (!filteredPlace(library, filter, search, expand, childFilter)) continue;
        Record* row = make.library(library);
        owner_.AppendChild(row);
        if (library->IsExcluded()) row->SetCellsTextColor(grey);
        placeChild(owner_, row, library, expand, childFilter);
    }
    owner_.SetChildrenFilled(true);
}

void GroupRows::LibraryAdded(ILibrary* library, const GroupChildRows& make) {
    CXTPReportControl* control = owner_.GetControl();
    if (owner_.AreChildrenFilled()) {
        Record* row = make.library(library);
        owner_.AppendChild(row);
        if (library->IsExcluded()) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
        owner_.Expand(true);
        const DocumentsMenuDlg* window = owner_.GetWindow();
        if (window && window->IsExpanded(library)) row->Expand(true);
    } else {
        // The fill lists the new library with the others.
        owner_.Expand(true);
    }
    Korvo::UI::ReportControl::Populate(control);
}

void GroupRows::GroupAdded(ILibrariesGroup* group, const GroupChildRows& make) {
    CXTPReportControl* control = owner_.GetControl();
    if (owner_.AreChildrenFilled()) {
        Record* row = make.group(group);
        owner_.AppendChild(row);
        if (group->IsExcluded()) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
        owner_.Expand(true);
        const DocumentsMenuDlg* window = owner_.GetWindow();
        if (window && window->IsExpanded(group)) row->Expand(true);
    } else {
        owner_.Expand(true);
    }
    Korvo::UI::ReportControl::Populate(control);
}

int GroupRows::GroupIconId(ILibrariesGroup* group, CXTPReportControl* control) {
    auto* images = control ? dynamic_cast<Korvo::UI::CachingImageManager*>(control->GetImageManager()) : nullptr;
    for (int i = 0; images && group && i < group->GetLibraryCount(); ++i) {
        ILibrary* library = group->GetLibraryAt(i);
        const int image = library ? images->AddForPath(GetLibraryAbsolutePath(library)) : -1;
        if (image != -1) return image;
    }
    return kIconGroup;
}

}  // namespace DocumentsMenu
