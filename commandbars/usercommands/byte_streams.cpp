#include "commandbars/usercommands/byte_streams.h"

#include <algorithm>
#include <cstring>

#include "platform/win32.h"

namespace Korvo::UserCommands {

namespace {

std::uint64_t SeekWithin(std::uint64_t size, std::uint64_t position, int origin, std::int64_t offset) {
    const std::int64_t base = origin == 0 ? 0 : origin == 1 ? static_cast<std::int64_t>(position) : static_cast<std::int64_t>(size);
    return static_cast<std::uint64_t>(std::clamp<std::int64_t>(base + offset, 0, static_cast<std::int64_t>(size)));
}

// Closes the handle when it goes.
struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};

}  // namespace

std::uint64_t MemoryReadStream::Seek(int origin, std::int64_t offset) {
    return position_ = SeekWithin(bytes_.size(), position_, origin, offset);
}

std::uint64_t MemoryReadStream::Read(void* buffer, std::uint64_t count) {
    const std::uint64_t taken = std::min<std::uint64_t>(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, taken);
    position_ += taken;
    return taken;
}

std::uint64_t MemoryWriteStream::Seek(int origin, std::int64_t offset) {
    return position_ = SeekWithin(bytes_.size(), position_, origin, offset);
}

std::uint64_t MemoryWriteStream::Write(const void* buffer, std::uint64_t count) {
    if (bytes_.size() < position_ + count) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::optional<std::string> ReadWholeFile(const CString& path) {
    const FileHandle file{::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.handle, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const CString& path, const std::string& bytes) {
    // The program's own atomic replace: its temporary cannot be a file of the user's, and one a
    // killed run leaves is swept at the next start.
    return platform::files::writeAllAtomic(path.GetString(), bytes) == ERROR_SUCCESS;
}

}  // namespace Korvo::UserCommands
