// The summary stream holds one "name=value" line per property, names in lower case.
#include "platform/kernel/documents/document_properties.h"

#include <sstream>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

#include <cwchar>
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/documents/document_state.h"
#include "platform/kernel/documentsmenu/documents_menu.h"
#include "platform/kernel/record.h"

namespace {

constexpr const wchar_t* kPropertyNames[] = {L"Author",  L"Company",  L"Comments", L"Title",
                                             L"Subject", L"Category", L"Keywords"};

}  // namespace

CString CKVPropertySet::GetProperty(LPCWSTR name) const {
    const auto found = properties_.find(name ? name : L"");
    return found == properties_.end() ? CString() : found->second;
}

void CKVPropertySet::SetProperty(LPCWSTR name, LPCWSTR value) { properties_[name ? name : L""] = value ? value : L""; }

CKVPropertySet KorvoDocument2::ReadProperties(LPCWSTR path) {
    platform::kernel::recordCall(L"KorvoDocument2::ReadProperties(" + platform::kernel::quoted(path ? path : L"") + L")");
    CKVPropertySet properties;
    if (!path) return properties;
    const auto streams = platform::kernel::readCompoundDocument(path).streams;
    if (!streams) return properties;
    const auto summary = streams->find(platform::kernel::kSummaryStreamName);
    if (summary == streams->end()) return properties;
    std::istringstream lines(summary->second);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        // A summary written with Windows line ends would otherwise keep the carriage return.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::wstring key = platform::core::fromUtf8(line.substr(0, equals));
        for (const wchar_t* name : kPropertyNames) {
            if (platform::core::equalsNoCase(key, name)) {
                properties.SetProperty(name, platform::core::fromUtf8(line.substr(equals + 1)).c_str());
            }
        }
    }
    return properties;
}

namespace {

// The file an existing full path names, copied into `result`; false when there is none.
bool answerExistingFile(std::wstring_view path, LPWSTR result) {
    if (path.size() >= MAX_PATH || !platform::files::exists(path) || platform::files::isDirectory(path)) return false;
    if (result) std::wcsncpy(result, std::wstring(path).c_str(), MAX_PATH);
    return true;
}

}  // namespace

bool KorvoDocument2::FindPathName(LPCWSTR path, LPCWSTR, LPWSTR result, int, LPCWSTR, int*, int) {
    if (result) result[0] = L'\0';
    // A full path of a file that exists needs no kernel folder: it is the answer.
    const std::wstring_view given(path ? path : L"");
    const bool absolute = given.size() > 2 && given[1] == L':' && (given[2] == L'\\' || given[2] == L'/');
    if (absolute && given.find(L'<') == std::wstring_view::npos) {
        platform::core::recordCall(L"KorvoDocument2::FindPathName(" + platform::kernel::quoted(path) + L")");
        return answerExistingFile(given, result);
    }
    // "<NAME>REST": NAME is a library of the open configurations, as a fragment's link names it;
    // REST is below its folder.
    const std::size_t close = given.find(L'>');
    if (given.starts_with(L'<') && close != std::wstring_view::npos && close > 1) {
        platform::core::recordCall(L"KorvoDocument2::FindPathName(" + platform::kernel::quoted(path) + L")");
        const CString name(std::wstring(given.substr(1, close - 1)).c_str());
        DocumentsMenu::ILibrary* library = DocumentsMenu::FindLibraryByName(DocumentsMenu::GlobalCfgGroup(), name);
        const CString folder = library ? DocumentsMenu::GetLibraryAbsolutePath(library) : CString();
        const std::wstring_view rest = given.substr(close + 1);
        if (folder.IsEmpty() || rest.empty()) return false;
        return answerExistingFile(std::wstring(folder.GetString()) + std::wstring(rest), result);
    }
    // '<' is no character of a file name: a name holding one that is not a whole "<NAME>" at its
    // start is bad input, which the kernel answers with "not found" as for any name it cannot
    // resolve.
    if (given.find(L'<') != std::wstring_view::npos) {
        platform::core::recordCall(L"KorvoDocument2::FindPathName(" + platform::kernel::quoted(path) + L"): malformed");
        return false;
    }
    platform::core::reportFailure(L"KorvoDocument2::FindPathName(" + platform::kernel::quoted(path ? path : L"") +
                                  L"): the stand-in knows no kernel folder names but the libraries'");
    return false;
}
