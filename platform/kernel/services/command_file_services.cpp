#include "platform/kernel/services/command_file_services.h"

#include <cstdint>
#include <string>

#include "platform/core/record.h"
#include "platform/core/winpath.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/services/automation_services.h"
#include "platform/win32/files/file.h"
#include "platform/win32/icons.h"

namespace {

std::uint64_t bytesLeft(kvio::IReadStream& stream) {
    const std::uint64_t position = stream.GetPosition();
    const std::uint64_t length = stream.GetLength();
    return length > position ? length - position : 0;
}

void appendCodePoint(std::wstring& text, std::uint32_t point) { text.push_back(static_cast<wchar_t>(point)); }

}  // namespace

bool KvwWriteString(kvio::IWriteStream& stream, const CString& text) {
    std::u16string units;
    for (const wchar_t c : text.view()) {
        const auto point = static_cast<std::uint32_t>(c);
        if (point >= 0x10000 && point <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
        } else {
            units.push_back(point > 0x10FFFF ? u'\uFFFD' : static_cast<char16_t>(point));
        }
    }
    std::string bytes;
    const auto count = static_cast<std::uint32_t>(units.size());
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((count >> shift) & 0xFF));
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return stream.Write(bytes.data(), bytes.size()) == bytes.size();
}

bool KvwReadUniString(kvio::IReadStream& stream, CString& text) {
    text.Empty();
    unsigned char head[4] = {};
    if (stream.Read(head, 4) != 4) return false;
    const std::uint32_t count = head[0] | (head[1] << 8) | (head[2] << 16) | (static_cast<std::uint32_t>(head[3]) << 24);
    // The count comes from the file: it never asks for more than the stream still holds.
    if (static_cast<std::uint64_t>(count) * 2 > bytesLeft(stream)) return false;
    std::string bytes(static_cast<std::size_t>(count) * 2, '\0');
    if (stream.Read(bytes.data(), bytes.size()) != bytes.size()) return false;
    std::wstring decoded;
    decoded.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const auto next = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i + 2]) |
                                                    (static_cast<unsigned char>(bytes[2 * i + 3]) << 8));
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendCodePoint(decoded, 0x10000 + ((static_cast<std::uint32_t>(unit) - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        appendCodePoint(decoded, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    text = decoded.c_str();
    return true;
}

HRESULT StorageRef::open(LPCWSTR path) {
    open_ = false;
    path_ = path ? path : L"";
    std::string bytes;
    const DWORD error = platform::files::readAll(path_.view(), bytes);
    HRESULT result = S_OK;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        const auto normal = platform::core::winpath::normalize(path_.view());
        const std::wstring folder = normal ? platform::core::winpath::parent(*normal) : std::wstring();
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        const bool folderExists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        result = folderExists ? STG_E_FILENOTFOUND : STG_E_PATHNOTFOUND;
    } else if (error != 0 || !platform::kernel::decodeCompoundFile(bytes)) {
        result = STG_E_FILEALREADYEXISTS;
    }
    open_ = result == S_OK;
    return result;
}

CKVDocumentImageManager::~CKVDocumentImageManager() { Clear(); }

void CKVDocumentImageManager::Clear() {
    for (const auto& [icon, width] : icons_) ::DestroyIcon(icon);
    icons_.clear();
}

bool CKVDocumentImageManager::LoadIcon(const StorageRef& storage) {
    Clear();
    const bool loaded = storage.IsOpen() && KvwLoadKVDocImage(storage.GetPath(), g_szDocIcon) != nullptr;
    platform::core::recordCall(L"CKVDocumentImageManager::LoadIcon(" + platform::core::quoted(storage.GetPath().view()) +
                               L") = " + (loaded ? L"true" : L"false"));
    if (!loaded) return false;
    for (const int width : {16, 32}) icons_.emplace_back(platform::win32::createIcon(width, width), width);
    return true;
}

HICON CKVDocumentImageManager::GetIconHandle(int index, int* width) const {
    if (index < 0 || index >= GetIconCount()) return nullptr;
    if (width) *width = icons_[static_cast<std::size_t>(index)].second;
    return icons_[static_cast<std::size_t>(index)].first;
}
