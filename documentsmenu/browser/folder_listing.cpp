#include "documentsmenu/browser/folder_listing.h"

#include <vector>

#include "platform/kernel.h"

namespace DocumentsMenu {

namespace {

template <class Take>
void forEachEntry(const CString& pattern, Take take) {
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        take(entry);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

bool hasExtension(const CString& name, const CString& extension) {
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 && name.Mid(dot + 1).CompareNoCase(extension) == 0;
}

}  // namespace

CString JoinPath(const CString& folder, const CString& name) {
    if (folder.IsEmpty() || folder.Right(1) == L"\\") return folder + name;
    return folder + L"\\" + name;
}

CString FolderPathWithoutSeparator(const CString& folder) {
    CString trimmed = folder;
    while (trimmed.Right(1) == L"\\" && !(trimmed.GetLength() == 3 && trimmed[1] == L':'))
        trimmed = trimmed.Left(trimmed.GetLength() - 1);
    return trimmed;
}

void ForEachSubfolder(const CString& folder, const std::function<void(const CString& name)>& callback) {
    forEachEntry(JoinPath(folder, L"*"), [&](const WIN32_FIND_DATAW& entry) {
        const CString name(entry.cFileName);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) return;
        if (name == L"." || name == L"..") return;
        callback(name);
    });
}

void ForEachDocumentFile(const CString& folder, const std::function<void(const CString& name)>& callback) {
    std::vector<CString> extensions{L"grb"};
    KorvoServerAppProxy* server = KorvoServerAppProxy::Instance();
    if (server && server->IsGrsDocumentsShown()) extensions.push_back(L"grs");
    for (const CString& extension : extensions) {
        forEachEntry(JoinPath(folder, L"*." + extension), [&](const WIN32_FIND_DATAW& entry) {
            const CString name(entry.cFileName);
            if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) return;
            if (hasExtension(name, extension)) callback(name);
        });
    }
}

}  // namespace DocumentsMenu
