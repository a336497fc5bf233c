#include "auxiliary/streams/memory_stream.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kvio {

namespace {

constexpr std::uint64_t kSmallestStep = 1024;
constexpr std::uint64_t kLargestStep = 32 * 1024 * 1024;
// More than any allocation can give: asking would only fail.
constexpr std::uint64_t kLargestBuffer = std::uint64_t{1} << 40;

}  // namespace

MemoryStream::MemoryStream(void* data, std::uint64_t size, std::uint64_t capacity)
    : data_(static_cast<unsigned char*>(data)), size_(std::min(size, capacity)), capacity_(capacity), owned_(false) {}

MemoryStream::~MemoryStream() {
    if (owned_) std::free(data_);
}

std::uint64_t MemoryStream::SeekToEnd() {
    position_ = size_;
    return position_;
}

std::uint64_t MemoryStream::Seek(int origin, std::int64_t offset) {
    const std::uint64_t magnitude = offset < 0 ? 0 - static_cast<std::uint64_t>(offset) : static_cast<std::uint64_t>(offset);
    switch (origin) {
        case 0:
            if (offset >= 0) position_ = std::min(size_, magnitude);
            break;
        case 1:
            if (offset < 0) {
                if (magnitude <= position_) position_ = std::min(size_, position_ - magnitude);
            } else {
                position_ = std::min(size_, position_ + std::min(magnitude, size_));
            }
            break;
        case 2:
            if (offset <= 0 && magnitude <= size_) position_ = size_ - magnitude;
            break;
        default: break;
    }
    return position_;
}

std::uint64_t MemoryStream::Read(void* buffer, std::uint64_t count) {
    if (position_ >= size_) return 0;
    const std::uint64_t n = std::min(size_ - position_, count);
    std::memcpy(buffer, data_ + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::uint64_t MemoryStream::Write(const void* buffer, std::uint64_t count) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t end = count > kMax - position_ ? kMax : position_ + count;
    if (end > capacity_ && owned_) {
        const std::uint64_t step = std::min(capacity_ < kSmallestStep ? kSmallestStep : capacity_, kLargestStep);
        const std::uint64_t need = end - capacity_;
        const std::uint64_t rounded = need + (step - need % step);
        // A capacity past what memory can address is a failed allocation: the old buffer stays.
        if (rounded >= need && rounded <= kLargestBuffer && capacity_ <= kLargestBuffer - rounded) {
            const std::uint64_t grown = capacity_ + rounded;
            if (void* data = std::realloc(data_, static_cast<std::size_t>(grown))) {
                data_ = static_cast<unsigned char*>(data);
                capacity_ = grown;
            }
        }
    }
    if (capacity_ < position_) return 0;
    const std::uint64_t n = std::min(count, capacity_ - position_);
    if (n == 0) return 0;
    std::memcpy(data_ + position_, buffer, static_cast<std::size_t>(n));
    position_ += n;
    size_ = std::max(size_, position_);
    return n;
}

}  // namespace kvio
