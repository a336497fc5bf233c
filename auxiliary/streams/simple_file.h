// A byte stream over a Windows file handle, read and written in pieces the handle calls take.
#pragma once

#include "platform/compression.h"
#include "platform/win32.h"

namespace kvio {

class SimpleFile : public IReadStream, public IWriteStream {
public:
    SimpleFile() = default;
    ~SimpleFile();
    SimpleFile(const SimpleFile&) = delete;
    SimpleFile& operator=(const SimpleFile&) = delete;

    // Opens an existing file for reading while others may read and write it; a file already
    // open is closed first.
    bool OpenForRead(const wchar_t* path);
    void Close();
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Each reports 0 (or does nothing) while no file is open or when the handle call fails.
    std::uint64_t SeekToEnd() override;
    void SeekToBegin() override;
    std::uint64_t GetLength() override;
    // Origin 0, 1, 2 from the start, the current position, the end; another origin moves by 0.
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override;
    // A failing handle read or write throws std::system_error (std::errc::io_error).
    std::uint64_t Read(void* buffer, std::uint64_t count) override;
    std::uint64_t Write(const void* buffer, std::uint64_t count) override;

private:
    std::uint64_t Move(std::int64_t offset, DWORD method);
    template <class Bytes, class Call>
    std::uint64_t Transfer(Bytes* bytes, std::uint64_t count, Call call);

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace kvio
