#include "auxiliary/streams/simple_file.h"

#include <algorithm>
#include <system_error>

namespace kvio {

namespace {

// One handle call moves at most this many bytes.
constexpr std::uint64_t kLargestPiece = 0xFFFFFFFFu;

[[noreturn]] void ThrowIoError() { throw std::system_error(std::make_error_code(std::errc::io_error)); }

}  // namespace

SimpleFile::~SimpleFile() { Close(); }

bool SimpleFile::OpenForRead(const wchar_t* path) {
    Close();
    handle_ = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return IsOpen();
}

void SimpleFile::Close() {
    if (!IsOpen()) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

std::uint64_t SimpleFile::Move(std::int64_t offset, DWORD method) {
    if (!IsOpen()) return 0;
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handle_, distance, &position, method)) return 0;
    return static_cast<std::uint64_t>(position.QuadPart);
}

std::uint64_t SimpleFile::SeekToEnd() { return Move(0, FILE_END); }

void SimpleFile::SeekToBegin() { Move(0, FILE_BEGIN); }

std::uint64_t SimpleFile::GetLength() {
    LARGE_INTEGER size{};
    if (!IsOpen() || !::GetFileSizeEx(handle_, &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::uint64_t SimpleFile::Seek(int origin, std::int64_t offset) {
    switch (origin) {
        case 0: return Move(offset, FILE_BEGIN);
        case 1: return Move(offset, FILE_CURRENT);
        case 2: return Move(offset, FILE_END);
        default: return Move(0, FILE_CURRENT);
    }
}

std::uint64_t SimpleFile::GetPosition() { return Move(0, FILE_CURRENT); }

// Moves `count` bytes in pieces one handle call takes, stopping at a short piece.
template <class Bytes, class Call>
std::uint64_t SimpleFile::Transfer(Bytes* bytes, std::uint64_t count, Call call) {
    if (!IsOpen() || count == 0) return 0;
    std::uint64_t done = 0;
    while (done < count) {
        const auto piece = static_cast<DWORD>(std::min(count - done, kLargestPiece));
        DWORD moved = 0;
        if (!call(handle_, bytes + done, piece, &moved, nullptr)) ThrowIoError();
        done += moved;
        if (moved < piece) break;
    }
    return done;
}

std::uint64_t SimpleFile::Read(void* buffer, std::uint64_t count) {
    return Transfer(static_cast<char*>(buffer), count, &::ReadFile);
}

std::uint64_t SimpleFile::Write(const void* buffer, std::uint64_t count) {
    return Transfer(static_cast<const char*>(buffer), count, &::WriteFile);
}

}  // namespace kvio
