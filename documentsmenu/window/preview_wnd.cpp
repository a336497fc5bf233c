#include "documentsmenu/window/preview_wnd.h"

#include "platform/win32.h"

namespace DocumentsMenu {

BOOL PreviewWnd::Create(CWnd* parent, DWORD style, UINT id) {
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, style, RECT{0, 0, 0, 0}, parent, id, nullptr);
}

void PreviewWnd::clear() {
    configuration_ = nullptr;
    group_ = nullptr;
    library_ = nullptr;
    folder_.Empty();
    document_.Empty();
}

void PreviewWnd::show(const CString& text, bool record) {
    if (record) ++history_;
    if (GetSafeHwnd()) SetWindowText(text);
}

void PreviewWnd::ShowConfiguration(IConfiguration* configuration, bool record) {
    clear();
    configuration_ = configuration;
    show(configuration ? static_cast<ILibrariesGroup*>(configuration)->GetName() : CString(), record);
}

void PreviewWnd::ShowLibrariesGroup(ILibrariesGroup* group, bool record) {
    clear();
    group_ = group;
    show(group ? group->GetName() : CString(), record);
}

void PreviewWnd::ShowLibrary(ILibrary* library, bool record) {
    clear();
    library_ = library;
    if (library) folder_ = GetLibraryAbsolutePath(library);
    show(library ? library->GetName() : CString(), record);
}

void PreviewWnd::ShowFolder(const CString& path, bool record) {
    clear();
    folder_ = path;
    show(path, record);
}

bool PreviewWnd::ShowDocument(ILibrary* library, const CString& name, bool record) {
    const CString folder = library ? GetLibraryAbsolutePath(library) : CString();
    const DWORD attributes = folder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder + name);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    clear();
    library_ = library;
    folder_ = folder;
    document_ = name;
    show(name, record);
    return true;
}

void PreviewWnd::Hide() {
    clear();
    show(CString(), false);
}

CString PreviewWnd::GetCurrentPath() const { return document_.IsEmpty() ? folder_ : folder_ + document_; }

}  // namespace DocumentsMenu
