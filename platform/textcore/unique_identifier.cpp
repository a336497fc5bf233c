#include "platform/textcore.h"

#include <mutex>
#include <random>
#include <string>

#include "platform/core/journal.h"

namespace Korvo {

namespace {

constexpr int kTextLength = 36;

bool isGroupDash(int index) { return index == 8 || index == 13 || index == 18 || index == 23; }

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The 16 bytes in text order: Data1, Data2, Data3 big-endian as written, then Data4.
void toBytes(const GUID& id, BYTE (&bytes)[16]) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(id.Data1 >> (24 - 8 * i));
    bytes[4] = static_cast<BYTE>(id.Data2 >> 8);
    bytes[5] = static_cast<BYTE>(id.Data2);
    bytes[6] = static_cast<BYTE>(id.Data3 >> 8);
    bytes[7] = static_cast<BYTE>(id.Data3);
    for (int i = 0; i < 8; ++i) bytes[8 + i] = id.Data4[i];
}

GUID fromBytes(const BYTE (&bytes)[16]) {
    GUID id;
    for (int i = 0; i < 4; ++i) id.Data1 = (id.Data1 << 8) | bytes[i];
    id.Data2 = static_cast<WORD>((bytes[4] << 8) | bytes[5]);
    id.Data3 = static_cast<WORD>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) id.Data4[i] = bytes[8 + i];
    return id;
}

}  // namespace

CString UniqueIdentifier::ToString() const {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    BYTE bytes[16];
    toBytes(value_, bytes);
    std::wstring text;
    text.reserve(kTextLength);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back(L'-');
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0xF]);
    }
    return CString(std::move(text));
}

CString UniqueIdentifier::asCString(const UniqueIdentifier& value, int format) {
    if (format == 2) return value.ToString();
    platform::core::reportFailure(L"UniqueIdentifier::asCString(" + std::wstring(value.ToString().view()) + L", " +
                                  std::to_wstring(format) + L"): the stand-in knows text form 2 alone");
    return CString();
}

bool UniqueIdentifier::TryParse(LPCWSTR text, UniqueIdentifier& result) {
    if (!text) return false;
    std::wstring_view view(text);
    if (view.size() == kTextLength + 2 && view.front() == L'{' && view.back() == L'}') {
        view = view.substr(1, kTextLength);
    }
    if (view.size() != kTextLength) return false;
    BYTE bytes[16] = {};
    int nibble = 0;
    for (int i = 0; i < kTextLength; ++i) {
        if (isGroupDash(i)) {
            if (view[static_cast<std::size_t>(i)] != L'-') return false;
            continue;
        }
        const int value = hexValue(view[static_cast<std::size_t>(i)]);
        if (value < 0) return false;
        bytes[nibble / 2] = static_cast<BYTE>(bytes[nibble / 2] | (nibble % 2 == 0 ? value << 4 : value));
        ++nibble;
    }
    result = UniqueIdentifier(fromBytes(bytes));
    return true;
}

UniqueIdentifier UniqueIdentifier::Generate() {
    static std::mutex mutex;
    static std::mt19937_64 engine{std::random_device{}()};
    BYTE bytes[16];
    {
        std::lock_guard lock(mutex);
        for (int i = 0; i < 16; i += 8) {
            const std::uint64_t value = engine();
            for (int j = 0; j < 8; ++j) bytes[i + j] = static_cast<BYTE>(value >> (8 * j));
        }
    }
    bytes[6] = static_cast<BYTE>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<BYTE>((bytes[8] & 0x3F) | 0x80);
    return UniqueIdentifier(fromBytes(bytes));
}

}  // namespace Korvo
