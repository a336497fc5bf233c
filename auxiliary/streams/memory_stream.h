// A byte stream in memory: the metafile callback serialises rich text into one.
#pragma once

#include "platform/compression.h"

namespace kvio {

class MemoryStream : public IReadStream, public IWriteStream {
public:
    // An empty stream that owns the buffer it grows.
    MemoryStream() = default;
    // A stream over the caller's buffer of `capacity` bytes, the first `size` of them valid; it
    // never grows the buffer nor frees it.
    MemoryStream(void* data, std::uint64_t size, std::uint64_t capacity);
    ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    std::uint64_t SeekToEnd() override;
    void SeekToBegin() override { position_ = 0; }
    std::uint64_t GetLength() override { return size_; }
    // Origin 0: a non-negative offset from the start, up to the size. Origin 1: from the position,
    // never before the start, up to the size. Origin 2: a non-positive offset within the size.
    // Anything else leaves the position unchanged.
    std::uint64_t Seek(int origin, std::int64_t offset) override;
    std::uint64_t GetPosition() override { return position_; }
    std::uint64_t Read(void* buffer, std::uint64_t count) override;
    // Grows an owned buffer by whole steps (1024 bytes, or the capacity up to 32 MiB); writes
    // what fits the capacity.
    std::uint64_t Write(const void* buffer, std::uint64_t count) override;

    const unsigned char* GetData() const { return data_; }
    std::uint64_t GetCapacity() const { return capacity_; }
    bool IsOwned() const { return owned_; }

private:
    unsigned char* data_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t capacity_ = 0;
    bool owned_ = true;
    std::uint64_t position_ = 0;
};

}  // namespace kvio
