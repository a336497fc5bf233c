#include "console/heap_labels.h"

#include <cctype>
#include <cstdio>

namespace korvo::console {

namespace {

// Labels lie outside the user part of the address space, so none can be a real address.
constexpr std::uint64_t kFirstLabel = 0xA000000000000001ull;
constexpr std::uint64_t kLowestAddress = 0x100000000ull;
constexpr std::uint64_t kUserSpaceEnd = 0x800000000000ull;

bool isWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

struct Address {
    std::uint64_t value = 0;
    std::size_t digitsAt = 0;  // after "0x", when the word has it
    bool lowerCase = false;
};

// The address a word is, if it is one.
bool readAddress(std::string_view word, Address& address) {
    const bool prefixed = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const std::string_view digits = prefixed ? word.substr(2) : word;
    if (prefixed ? digits.size() < 9 || digits.size() > 16 : digits.size() != 16) return false;
    std::uint64_t value = 0;
    bool lowerCase = false;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        lowerCase = lowerCase || (c >= 'a' && c <= 'f');
        value = value * 16 + static_cast<std::uint64_t>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                                                    : std::tolower(c) - 'a' + 10);
    }
    if (value < kLowestAddress || value >= kUserSpaceEnd) return false;
    address = {value, prefixed ? 2u : 0u, lowerCase};
    return true;
}

}  // namespace

std::string HeapLabels::apply(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isWordCharacter(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isWordCharacter(text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        i = end;
        Address address;
        if (!readAddress(word, address)) {
            out += word;
            continue;
        }
        const auto label = labels_.try_emplace(address.value, kFirstLabel + labels_.size()).first;
        char digits[17];
        std::snprintf(digits, sizeof digits, address.lowerCase ? "%016llx" : "%016llX",
                      static_cast<unsigned long long>(label->second));
        out += word.substr(0, address.digitsAt);
        out += digits;
    }
    return out;
}

}  // namespace korvo::console
