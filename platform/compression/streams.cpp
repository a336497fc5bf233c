#include "platform/compression/streams.h"

#include <algorithm>
#include <cstring>

#include "platform/compression/text_decoding.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/win32/files/file.h"

namespace kvio {

namespace {

std::ios_base::seekdir direction(int origin) {
    switch (origin) {
        case 0: return std::ios_base::beg;
        case 2: return std::ios_base::end;
        default: return std::ios_base::cur;
    }
}

std::uint64_t reported(std::streamoff position) { return position < 0 ? 0 : static_cast<std::uint64_t>(position); }

}  // namespace

std::uint64_t IStream::SeekToEnd() { return Seek(2, 0); }

void IStream::SeekToBegin() { Seek(0, 0); }

std::uint64_t IStream::GetLength() {
    const std::uint64_t position = GetPosition();
    const std::uint64_t length = SeekToEnd();
    Seek(0, static_cast<std::int64_t>(position));
    return length;
}

std::uint64_t FileReadStream::Seek(int origin, std::int64_t offset) {
    in_.seekg(offset, direction(origin));
    return GetPosition();
}

std::uint64_t FileReadStream::GetPosition() { return reported(in_.tellg()); }

std::uint64_t FileReadStream::Read(void* buffer, std::uint64_t count) {
    in_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(std::min<std::uint64_t>(count, PTRDIFF_MAX)));
    const auto read = in_.gcount();
    in_.clear();
    return reported(read);
}

std::uint64_t FileWriteStream::Seek(int origin, std::int64_t offset) {
    out_.seekp(offset, direction(origin));
    return GetPosition();
}

std::uint64_t FileWriteStream::GetPosition() { return reported(out_.tellp()); }

std::uint64_t FileWriteStream::Write(const void* buffer, std::uint64_t count) {
    const std::uint64_t before = GetPosition();
    out_.write(static_cast<const char*>(buffer), static_cast<std::streamsize>(std::min<std::uint64_t>(count, PTRDIFF_MAX)));
    if (!out_) {
        out_.clear();
        return 0;
    }
    return GetPosition() - before;
}

bool TextFileReadStream::Open(const wchar_t* path, int protection, int encoding, bool flag) {
    platform::core::recordCall(L"kvio::TextFileReadStream::Open(" + platform::core::quoted(path) + L", " +
                               std::to_wstring(protection) + L", " + std::to_wstring(encoding) + L", " +
                               platform::core::boolText(flag) + L")");
    open_ = false;
    bytes_.clear();
    text_.clear();
    line_ = 0;
    position_ = 0;
    if (protection != 32 || encoding != 0 || !flag) {
        platform::core::reportFailure(L"kvio::TextFileReadStream::Open: only plain files (32, 0, true) are modelled");
        return false;
    }
    if (platform::files::readAll(path ? path : L"", bytes_) != 0) return false;
    text_ = platform::compression::decodeText(bytes_);
    open_ = true;
    return true;
}

bool TextFileReadStream::ReadString(CString& line) {
    if (!open_ || line_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of(L"\r\n", line_);
    if (end == std::wstring::npos) {
        line = CString(text_.substr(line_).c_str());
        line_ = text_.size();
        return true;
    }
    line = CString(text_.substr(line_, end - line_).c_str());
    line_ = end + ((text_[end] == L'\r' && end + 1 < text_.size() && text_[end + 1] == L'\n') ? 2 : 1);
    return true;
}

std::uint64_t TextFileReadStream::Seek(int origin, std::int64_t offset) {
    const std::int64_t base = origin == 0 ? 0 : origin == 2 ? static_cast<std::int64_t>(bytes_.size())
                                                            : static_cast<std::int64_t>(position_);
    const std::int64_t target = base + offset;
    if (target >= 0) position_ = std::min<std::uint64_t>(static_cast<std::uint64_t>(target), bytes_.size());
    return position_;
}

std::uint64_t TextFileReadStream::Read(void* buffer, std::uint64_t count) {
    if (position_ >= bytes_.size()) return 0;
    const std::uint64_t n = std::min<std::uint64_t>(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

}  // namespace kvio
