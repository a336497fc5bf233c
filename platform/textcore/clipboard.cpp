#include "platform/textcore/clipboard.h"

#include <mutex>
#include <optional>

#include "platform/core/journal.h"

namespace {

struct Clipboard {
    std::mutex mutex;
    std::optional<CString> text;
};

Clipboard& clipboard() {
    static Clipboard instance;
    return instance;
}

}  // namespace

namespace Korvo {

bool ClipboardManager::Clear() {
    std::lock_guard lock(clipboard().mutex);
    clipboard().text.reset();
    return true;
}

bool ClipboardManager::SetText(const CString& text) {
    {
        std::lock_guard lock(clipboard().mutex);
        clipboard().text = text;
    }
    platform::core::journal().add("call", L"ClipboardManager::SetText(\"" + std::wstring(text.GetString()) + L"\")");
    return true;
}

CString ClipboardManager::GetText() {
    std::lock_guard lock(clipboard().mutex);
    return clipboard().text.value_or(CString());
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
