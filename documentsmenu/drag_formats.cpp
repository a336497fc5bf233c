#include "documentsmenu/drag_formats.h"

#include <cstdint>
#include <cstring>

#include "platform/textcore/clipboard.h"

namespace DocumentsMenu {

namespace {

constexpr std::size_t kCountSize = 8;
constexpr std::size_t kIdSize = 16;
constexpr std::uint32_t kDropFilesHeader = 20;

void putLittleEndian(std::byte* at, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) at[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

std::uint64_t getLittleEndian(const std::byte* at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    return value;
}

// The identifier's fields as they lie in memory: three little-endian numbers and eight bytes.
void putId(std::byte* at, const GUID& id) {
    putLittleEndian(at, id.Data1, 4);
    putLittleEndian(at + 4, id.Data2, 2);
    putLittleEndian(at + 6, id.Data3, 2);
    for (int i = 0; i < 8; ++i) at[8 + i] = static_cast<std::byte>(id.Data4[i]);
}

GUID getId(const std::byte* at) {
    GUID id;
    id.Data1 = static_cast<DWORD>(getLittleEndian(at, 4));
    id.Data2 = static_cast<WORD>(getLittleEndian(at + 4, 2));
    id.Data3 = static_cast<WORD>(getLittleEndian(at + 6, 2));
    for (int i = 0; i < 8; ++i) id.Data4[i] = static_cast<BYTE>(at[8 + i]);
    return id;
}

}  // namespace

CLIPFORMAT LibraryFormat() { return Korvo::ClipboardManager::registerFormat(L"Library"); }
CLIPFORMAT LibrariesGroupFormat() { return Korvo::ClipboardManager::registerFormat(L"Libraries group"); }
CLIPFORMAT PreferredDropEffectFormat() { return Korvo::ClipboardManager::registerFormat(L"Preferred DropEffect"); }

std::vector<std::byte> MakeIdentifierList(const std::vector<GUID>& ids) {
    std::vector<std::byte> block(kCountSize + kIdSize * ids.size());
    putLittleEndian(block.data(), ids.size(), kCountSize);
    for (std::size_t i = 0; i < ids.size(); ++i) putId(block.data() + kCountSize + kIdSize * i, ids[i]);
    return block;
}

std::optional<std::vector<GUID>> ReadIdentifierList(const std::byte* data, std::size_t size) {
    if (!data || size < kCountSize) return std::nullopt;
    // Another program's block may claim more identifiers than it holds.
    const std::uint64_t claimed = getLittleEndian(data, kCountSize);
    const std::uint64_t held = (size - kCountSize) / kIdSize;
    const std::size_t count = static_cast<std::size_t>(claimed < held ? claimed : held);
    std::vector<GUID> ids;
    ids.reserve(count);
    for (std::size_t i = 0; i < count; ++i) ids.push_back(getId(data + kCountSize + kIdSize * i));
    return ids;
}

std::vector<std::byte> MakeDropFiles(const std::vector<CString>& paths) {
    std::size_t characters = 1;  // the closing NUL
    for (const CString& path : paths) characters += static_cast<std::size_t>(path.GetLength()) + 1;
    // The block is zero-initialised: the header's point and every NUL come from it.
    std::vector<std::byte> block(kDropFilesHeader + characters * 2);
    putLittleEndian(block.data(), kDropFilesHeader, 4);
    putLittleEndian(block.data() + 12, 1, 4);  // in the non-client area
    putLittleEndian(block.data() + 16, 1, 4);  // wide characters
    std::size_t at = kDropFilesHeader;
    for (const CString& path : paths) {
        for (int i = 0; i < path.GetLength(); ++i, at += 2) putLittleEndian(block.data() + at, path[i], 2);
        at += 2;
    }
    return block;
}

HGLOBAL MakeGlobalBlock(const std::vector<std::byte>& bytes) {
    HGLOBAL memory = GlobalAlloc(GHND, bytes.size());
    if (!memory) return nullptr;
    Korvo::GlobalMemoryPtr locked(memory);
    if (!locked.Get()) {
        GlobalFree(memory);
        return nullptr;
    }
    if (!bytes.empty()) std::memcpy(locked.Get(), bytes.data(), bytes.size());
    return memory;
}

std::optional<std::vector<std::byte>> ReadGlobalBlock(const COleDataObject& data, CLIPFORMAT format) {
    HGLOBAL memory = data.GetGlobalData(format);
    if (!memory) return std::nullopt;
    std::optional<std::vector<std::byte>> bytes;
    {
        Korvo::GlobalMemoryPtr locked(memory);
        if (locked.Get()) {
            const auto* begin = static_cast<const std::byte*>(locked.Get());
            bytes.emplace(begin, begin + locked.GetSize());
        }
    }
    GlobalFree(memory);
    return bytes;
}

}  // namespace DocumentsMenu
