#include "platform/win32/controls/clipboard.h"

#include <map>
#include <vector>

#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/win32/window/window_table.h"

namespace platform::win32 {

namespace {

struct Block {
    std::vector<std::byte> bytes;
    int locks = 0;
};

struct ClipboardTable {
    std::map<std::uintptr_t, Block> blocks;
    std::uintptr_t nextBlock = 0x00050010;
    DWORD openThread = 0;  // 0: closed
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    HGLOBAL text = nullptr;  // CF_UNICODETEXT, owned by the clipboard
};

ClipboardTable& table() {
    static ClipboardTable& instance = core::process().table<ClipboardTable>();
    return instance;
}

Block* findBlock(HGLOBAL memory) {
    auto& blocks = table().blocks;
    const auto it = blocks.find(reinterpret_cast<std::uintptr_t>(memory));
    return it == blocks.end() ? nullptr : &it->second;
}

bool openedByCaller(Lock& lock) { return table().openThread != 0 && table().openThread == currentThread(lock); }

void freeText() {
    if (table().text) table().blocks.erase(reinterpret_cast<std::uintptr_t>(table().text));
    table().text = nullptr;
}

}  // namespace

}  // namespace platform::win32

using namespace platform::win32;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (!(flags & GMEM_MOVEABLE)) {
        platform::core::reportFailure(L"GlobalAlloc(GMEM_FIXED): the stand-in hands out movable blocks only");
        return failWith(ERROR_NOT_ENOUGH_MEMORY, static_cast<HGLOBAL>(nullptr));
    }
    Lock lock = lockPlatform();
    auto& t = table();
    const std::uintptr_t handle = t.nextBlock;
    t.nextBlock += 8;
    // The stand-in always zeroes: a block is never read before it is written.
    t.blocks[handle].bytes.assign(bytes, std::byte{0});
    return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID GlobalLock(HGLOBAL memory) {
    Lock lock = lockPlatform();
    Block* block = findBlock(memory);
    if (!block) return failWith(ERROR_INVALID_HANDLE, static_cast<LPVOID>(nullptr));
    ++block->locks;
    // A block of 0 bytes still locks to a valid (unusable) address.
    return block->bytes.empty() ? static_cast<LPVOID>(block) : static_cast<LPVOID>(block->bytes.data());
}

BOOL GlobalUnlock(HGLOBAL memory) {
    Lock lock = lockPlatform();
    Block* block = findBlock(memory);
    if (!block) return failWith(ERROR_INVALID_HANDLE, FALSE);
    if (block->locks == 0) return failWith(ERROR_NOT_LOCKED, FALSE);
    if (--block->locks > 0) return TRUE;
    return failWith(static_cast<DWORD>(ERROR_SUCCESS), FALSE);
}

SIZE_T GlobalSize(HGLOBAL memory) {
    Lock lock = lockPlatform();
    const Block* block = findBlock(memory);
    if (!block) return failWith(ERROR_INVALID_HANDLE, SIZE_T{0});
    return block->bytes.size();
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    Lock lock = lockPlatform();
    if (!findBlock(memory) || memory == table().text) return failWith(ERROR_INVALID_HANDLE, memory);
    table().blocks.erase(reinterpret_cast<std::uintptr_t>(memory));
    return nullptr;
}

BOOL OpenClipboard(HWND newOwner) {
    Lock lock = lockPlatform();
    auto& t = table();
    const DWORD me = currentThread(lock);
    if (t.openThread != 0 && (t.openThread != me || t.openWindow != newOwner)) return failWith(ERROR_ACCESS_DENIED, FALSE);
    t.openThread = me;
    t.openWindow = newOwner;
    return TRUE;
}

BOOL CloseClipboard() {
    Lock lock = lockPlatform();
    if (!openedByCaller(lock)) return failWith(ERROR_CLIPBOARD_NOT_OPEN, FALSE);
    table().openThread = 0;
    table().openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    Lock lock = lockPlatform();
    if (!openedByCaller(lock)) return failWith(ERROR_CLIPBOARD_NOT_OPEN, FALSE);
    freeText();
    table().owner = table().openWindow;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE memory) {
    if (format != CF_UNICODETEXT || !memory) {
        platform::core::reportFailure(L"SetClipboardData(" + std::to_wstring(format) +
                                      (memory ? L", block)" : L", null)") +
                                      L": the stand-in keeps rendered Unicode text only");
        return nullptr;
    }
    Lock lock = lockPlatform();
    if (!openedByCaller(lock)) return failWith(ERROR_CLIPBOARD_NOT_OPEN, static_cast<HANDLE>(nullptr));
    if (!findBlock(memory)) return failWith(ERROR_INVALID_HANDLE, static_cast<HANDLE>(nullptr));
    if (table().text != memory) freeText();
    table().text = memory;
    return memory;
}

HANDLE GetClipboardData(UINT format) {
    Lock lock = lockPlatform();
    if (!openedByCaller(lock)) return failWith(ERROR_CLIPBOARD_NOT_OPEN, static_cast<HANDLE>(nullptr));
    if (format != CF_UNICODETEXT) return nullptr;
    return table().text;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    Lock lock = lockPlatform();
    return format == CF_UNICODETEXT && table().text != nullptr ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
    Lock lock = lockPlatform();
    return table().owner;
}

HWND GetOpenClipboardWindow() {
    Lock lock = lockPlatform();
    return table().openThread != 0 ? table().openWindow : nullptr;
}
