// The byte streams of the maker's libraries: one interface for files and memory, the file
// streams over standard streams, and the line reader of text files.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "platform/mfc/cstring.h"

namespace kvio {

// Positions and lengths are unsigned 64-bit byte counts. Streams are never deleted through the
// interface, so it has no destructor slot.
class IStream {
public:
    // Shared defaults over Seek and GetPosition.
    virtual std::uint64_t SeekToEnd();
    virtual void SeekToBegin();
    // The length; the position is the same afterwards.
    virtual std::uint64_t GetLength();
    // Origin 0 the start, 1 the current position, 2 the end; the new position.
    virtual std::uint64_t Seek(int origin, std::int64_t offset) = 0;
    virtual std::uint64_t GetPosition() = 0;

protected:
    IStream() = default;
    IStream(const IStream&) = default;
    IStream& operator=(const IStream&) = default;
    ~IStream() = default;
};

class IReadStream : public IStream {
public:
    // The bytes read into `buffer`, at most `count`.
    virtual std::uint64_t Read(void* buffer, std::uint64_t count) = 0;

protected:
    ~IReadStream() = default;
};

class IWriteStream : public IStream {
public:
    // The bytes written from `buffer`, at most `count`.
    virtual std::uint64_t Write(const void* buffer, std::uint64_t count) = 0;

protected:
    ~IWriteStream() = default;
};

// A read stream over the caller's standard input stream. A read clears the stream's state, so
// reaching the end does not block later seeks and reads.
class FileReadStream : public IReadStream {
public:
    explicit FileReadStream(std::istream& in) : in_(in) {}
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override;
    std::uint64_t Read(void* buffer, std::uint64_t count) override;

private:
    std::istream& in_;
};

// A write stream over the caller's standard output stream.
class FileWriteStream : public IWriteStream {
public:
    explicit FileWriteStream(std::ostream& out) : out_(out) {}
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override;
    std::uint64_t Write(const void* buffer, std::uint64_t count) override;

private:
    std::ostream& out_;
};

// Reads a text file line by line. The file is read whole at Open: a byte-order mark selects
// UTF-8 or UTF-16, without one it is UTF-8 (invalid bytes as Windows-1252).
class TextFileReadStream : public IReadStream {
public:
    // `protection`, `encoding` and `flag` are the callers' (32, 0, true: a plain file): other
    // values are a strict failure naming the call. False when the file cannot be read.
    bool Open(const wchar_t* path, int protection, int encoding, bool flag);
    // The next line without its end ("\r\n", "\n" or "\r"); false past the last line.
    bool ReadString(CString& line);

    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override { return position_; }
    std::uint64_t Read(void* buffer, std::uint64_t count) override;

private:
    std::string bytes_;
    std::wstring text_;
    std::size_t line_ = 0;  // where the next line starts in text_
    std::uint64_t position_ = 0;
    bool open_ = false;
};

}  // namespace kvio
