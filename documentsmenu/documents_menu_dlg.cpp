#include "documentsmenu/documents_menu_dlg.h"

namespace DocumentsMenu {

namespace {

template <class Set>
void setMember(Set& set, const std::wstring& key, bool member) {
    if (member) {
        set.insert(key);
    } else {
        set.erase(key);
    }
}

}  // namespace

std::wstring DocumentsMenuDlg::key(const GUID& id) {
    return std::wstring(Korvo::UniqueIdentifier(id).ToString().view());
}

// Document names compare without regard to case, as the file system does.
std::wstring DocumentsMenuDlg::documentKey(ILibrary* library, const CString& name) {
    CString folded = name;
    folded.MakeLower();
    return key(library->GetId()) + L"/" + std::wstring(folded.view());
}

bool DocumentsMenuDlg::IsExpanded(ILibrariesGroup* group) const {
    return group && expanded_.contains(key(group->GetId()));
}

bool DocumentsMenuDlg::IsExpanded(ILibrary* library) const {
    return library && expanded_.contains(key(library->GetId()));
}

void DocumentsMenuDlg::SetExpanded(ILibrariesGroup* group, bool expanded) {
    if (group) setMember(expanded_, key(group->GetId()), expanded);
}

void DocumentsMenuDlg::SetExpanded(ILibrary* library, bool expanded) {
    if (library) setMember(expanded_, key(library->GetId()), expanded);
}

bool DocumentsMenuDlg::IsHidden(ILibrariesGroup* group) const { return group && hidden_.contains(key(group->GetId())); }

bool DocumentsMenuDlg::IsHidden(ILibrary* library) const { return library && hidden_.contains(key(library->GetId())); }

bool DocumentsMenuDlg::IsHidden(ILibrary* library, const CString& documentName) const {
    return library && hidden_.contains(documentKey(library, documentName));
}

void DocumentsMenuDlg::SetHidden(ILibrariesGroup* group, bool hidden) {
    if (group) setMember(hidden_, key(group->GetId()), hidden);
}

void DocumentsMenuDlg::SetHidden(ILibrary* library, bool hidden) {
    if (library) setMember(hidden_, key(library->GetId()), hidden);
}

void DocumentsMenuDlg::SetHidden(ILibrary* library, const CString& documentName, bool hidden) {
    if (library) setMember(hidden_, documentKey(library, documentName), hidden);
}

void DocumentsMenuDlg::ShowInBrowser(ILibrariesGroup* group) { browsed_ = group; }

void DocumentsMenuDlg::ShowInBrowser(ILibrary* library) { browsed_ = library; }

void DocumentsMenuDlg::ShowInBrowser(ILibrary* library, const CString&) { browsed_ = library; }

}  // namespace DocumentsMenu
