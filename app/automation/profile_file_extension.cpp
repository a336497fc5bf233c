#include "app/automation/profile_file_extension.h"

#include <utility>

CString ProfileFileExtensionFor(unsigned code) {
    static constexpr std::pair<unsigned, const wchar_t*> kSuffixes[] = {
        {1, L"kvcprofile"},   {2, L"kvmprofile"},   {4, L"kvqprofile"},
        {8, L"kvoprofile"},   {16, L"kvsprofile"},  {32, L"kvhprofile"},
        {128, L"kvaprofile"}, {256, L"kvbprofile"}, {512, L"kvdprofile"},
    };
    for (const auto& [edition, suffix] : kSuffixes) {
        if (edition == code) return suffix;
    }
    return {};
}
