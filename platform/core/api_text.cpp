#include "platform/core/api_text.h"

#include <algorithm>

namespace platform::core {

DWORD copyWhenItFits(std::wstring_view text, LPWSTR buffer, DWORD capacity) {
    const auto length = static_cast<DWORD>(text.size());
    if (buffer == nullptr || capacity < length + 1) return length + 1;
    std::copy(text.begin(), text.end(), buffer);
    buffer[length] = L'\0';
    return length;
}

std::size_t copyTruncated(std::wstring_view text, LPWSTR buffer, std::size_t capacity) {
    const std::size_t count = std::min(text.size(), capacity - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return count;
}

}  // namespace platform::core
