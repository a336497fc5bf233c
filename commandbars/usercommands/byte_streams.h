// Byte streams over memory, and whole files read into or written from them (a file is written
// through the program's atomic replace, so a reader never sees half of it).
#pragma once

#include <optional>
#include <string>

#include "platform/kernel.h"

namespace Korvo::UserCommands {

class MemoryReadStream : public kvio::IReadStream {
public:
    explicit MemoryReadStream(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override { return position_; }
    std::uint64_t Read(void* buffer, std::uint64_t count) override;

private:
    std::string bytes_;
    std::uint64_t position_ = 0;
};

class MemoryWriteStream : public kvio::IWriteStream {
public:
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override { return position_; }
    std::uint64_t Write(const void* buffer, std::uint64_t count) override;
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::uint64_t position_ = 0;
};

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const CString& path);
// False when the file cannot be written; the file is then as it was.
bool WriteWholeFile(const CString& path, const std::string& bytes);

}  // namespace Korvo::UserCommands
