#include "platform/textcore/clipboard.h"

#include <algorithm>
#include <cstring>

#include "platform/core/journal.h"

namespace {

// The clipboard is opened for the call only; it is shut again whatever happens.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

namespace Korvo {

bool ClipboardManager::Clear() {
    OpenedClipboard clipboard(owner_);
    return clipboard.IsOpen() && EmptyClipboard() != FALSE;
}

bool ClipboardManager::SetText(const CString& text) {
    OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    const SIZE_T bytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    void* target = block ? GlobalLock(block) : nullptr;
    if (!target) {
        if (block) GlobalFree(block);
        return false;
    }
    std::memcpy(target, text.GetString(), bytes);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
        return false;
    }
    platform::core::journal().add("call", L"ClipboardManager::SetText(\"" + std::wstring(text.GetString()) + L"\")");
    return true;
}

CString ClipboardManager::GetText() {
    OpenedClipboard clipboard(nullptr);
    HANDLE block = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = block ? static_cast<const wchar_t*>(GlobalLock(block)) : nullptr;
    if (!text) return CString();
    // Text another program left may lack its NUL: it ends with its block.
    const SIZE_T units = GlobalSize(block) / sizeof(wchar_t);
    CString copy(text, static_cast<int>(std::find(text, text + units, L'\0') - text));
    GlobalUnlock(block);
    return copy;
}

}  // namespace Korvo

namespace Korvo {

CLIPFORMAT ClipboardManager::registerFormat(LPCWSTR name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name) & 0xFFFF);
}

GlobalMemoryPtr::GlobalMemoryPtr(HGLOBAL memory) : memory_(memory) {
    if (!memory_) return;
    data_ = GlobalLock(memory_);
    if (data_) size_ = GlobalSize(memory_);
}

GlobalMemoryPtr::~GlobalMemoryPtr() {
    if (data_) GlobalUnlock(memory_);
}

}  // namespace Korvo
