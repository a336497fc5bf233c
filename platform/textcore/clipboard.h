// The maker's clipboard helper: text put on the Windows clipboard the edits use too.
#pragma once

#include "platform/mfc.h"

namespace Korvo {

class ClipboardManager {
public:
    // `owner`: the window that owns what it puts on the clipboard (none by default).
    explicit ClipboardManager(HWND owner = nullptr) : owner_(owner) {}
    // Empties the clipboard; false when it cannot be opened.
    bool Clear();
    bool SetText(const CString& text);
    // The text on the clipboard (empty when none).
    static CString GetText();
    // The number of the format registered under `name`, as 16 bits (0 for no name).
    static CLIPFORMAT registerFormat(LPCWSTR name);

private:
    HWND owner_;
};

}  // namespace Korvo

namespace Korvo {

// A movable block locked for as long as the object lives; null `Get` when the handle is null or
// cannot be locked. The block itself stays the owner's.
class GlobalMemoryPtr {
public:
    explicit GlobalMemoryPtr(HGLOBAL memory);
    ~GlobalMemoryPtr();
    GlobalMemoryPtr(const GlobalMemoryPtr&) = delete;
    GlobalMemoryPtr& operator=(const GlobalMemoryPtr&) = delete;
    void* Get() const { return data_; }
    SIZE_T GetSize() const { return size_; }

private:
    HGLOBAL memory_;
    void* data_ = nullptr;
    SIZE_T size_ = 0;
};

}  // namespace Korvo
