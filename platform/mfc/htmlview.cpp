#include "platform/mfc/htmlview.h"

#include <fstream>
#include <sstream>

#include "platform/core/hostfs.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

IMPLEMENT_DYNCREATE(CHtmlView, CView)

namespace {

constexpr std::wstring_view kCompiledHelpPrefix = L"mk:@msitstore:";

bool StartsWithNoCase(const CString& text, std::wstring_view prefix) {
    return text.GetLength() >= static_cast<int>(prefix.size()) &&
           platform::core::equalsNoCase(text.view().substr(0, prefix.size()), prefix);
}

bool IsWebAddress(const CString& url) { return StartsWithNoCase(url, L"http://") || StartsWithNoCase(url, L"https://"); }

bool IsFile(const CString& path) {
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The compiled help file of a "mk:@MSITStore:FILE::/TOPIC" address.
CString CompiledHelpFile(const CString& url) {
    const CString rest = url.Mid(static_cast<int>(kCompiledHelpPrefix.size()));
    const int topic = rest.Find(L"::");
    return topic < 0 ? rest : rest.Left(topic);
}

bool CanShow(const CString& url) {
    if (url.IsEmpty()) return false;
    if (IsWebAddress(url)) return true;
    if (StartsWithNoCase(url, kCompiledHelpPrefix)) return IsFile(CompiledHelpFile(url));
    return IsFile(url);
}

// The text of the first <title> element of a local page, or empty.
CString LocalPageTitle(const CString& url) {
    if (IsWebAddress(url) || StartsWithNoCase(url, kCompiledHelpPrefix)) return {};
    const auto location = platform::core::hostFs().resolve(url.view());
    if (!location.exists || location.directory) return {};
    std::ifstream file(location.hostPath, std::ios::binary);
    std::string head(64 * 1024, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    std::string lower = head;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t open = lower.find("<title>");
    if (open == std::string::npos) return {};
    const std::size_t begin = open + 7;
    const std::size_t end = lower.find("</title>", begin);
    if (end == std::string::npos) return {};
    return CString(platform::core::fromUtf8(head.substr(begin, end - begin)).c_str());
}

}  // namespace

void CHtmlView::OnDraw(CDC*) {}

void CHtmlView::Navigate2(LPCWSTR url, DWORD flags, LPCWSTR targetFrameName, LPCWSTR headers, LPVOID, DWORD) {
    BOOL cancel = FALSE;
    const CString address = url ? url : L"";
    OnBeforeNavigate2(address, flags, targetFrameName, headers, &cancel);
    if (cancel) return;
    go(address, -1);
}

void CHtmlView::GoBack() {
    if (current_ <= 0) return;
    BOOL cancel = FALSE;
    const CString address = history_[static_cast<std::size_t>(current_ - 1)];
    OnBeforeNavigate2(address, 0, nullptr, nullptr, &cancel);
    if (!cancel) go(address, current_ - 1);
}

void CHtmlView::GoForward() {
    if (current_ < 0 || current_ + 1 >= static_cast<int>(history_.size())) return;
    BOOL cancel = FALSE;
    const CString address = history_[static_cast<std::size_t>(current_ + 1)];
    OnBeforeNavigate2(address, 0, nullptr, nullptr, &cancel);
    if (!cancel) go(address, current_ + 1);
}

void CHtmlView::go(const CString& url, int historyIndex) {
    if (!CanShow(url)) {
        BOOL cancel = FALSE;
        OnNavigateError(url, nullptr, 404, &cancel);
        if (cancel) return;
        location_ = url;
        title_ = L"Navigation canceled";
        OnTitleChange(title_);
        return;
    }
    if (historyIndex < 0) {
        history_.resize(static_cast<std::size_t>(current_ + 1));
        history_.push_back(url);
        current_ = static_cast<int>(history_.size()) - 1;
    } else {
        current_ = historyIndex;
    }
    location_ = url;
    OnNavigateComplete2(url);
    const CString title = LocalPageTitle(url);
    title_ = title.IsEmpty() ? url : title;
    OnTitleChange(title_);
}

IDropTarget* CHtmlView::GetBrowserDropTarget() {
    IDropTarget* result = nullptr;
    return OnGetDropTarget(nullptr, &result) == S_OK ? result : nullptr;
}

void CHtmlView::OnBeforeNavigate2(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, BOOL*) {}
void CHtmlView::OnNavigateComplete2(LPCWSTR) {}
void CHtmlView::OnTitleChange(LPCWSTR) {}
void CHtmlView::OnNavigateError(LPCWSTR, LPCWSTR, DWORD, BOOL*) {}
HRESULT CHtmlView::OnGetDropTarget(IDropTarget*, IDropTarget**) { return E_NOTIMPL; }
