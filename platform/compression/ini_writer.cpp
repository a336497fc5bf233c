#include "platform/compression/ini_writer.h"

#include <algorithm>

#include "platform/core/text.h"
#include "platform/win32/files/file.h"

namespace kvio {

namespace {

bool sameName(const std::wstring& a, const wchar_t* b) {
    return platform::core::foldCase(a) == platform::core::foldCase(b ? std::wstring(b) : std::wstring());
}

}  // namespace

void IniFileWriter::SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    std::wstring text = value ? value : L"";
    std::replace_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    auto found = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) { return sameName(s.name, section); });
    if (found == sections_.end()) {
        sections_.push_back(Section{section ? section : L"", {}});
        found = sections_.end() - 1;
    }
    auto entry = std::find_if(found->keys.begin(), found->keys.end(), [&](const auto& k) { return sameName(k.first, key); });
    if (entry != found->keys.end())
        entry->second = std::move(text);
    else
        found->keys.emplace_back(key ? key : L"", std::move(text));
}

void IniFileWriter::SetInt(const wchar_t* section, const wchar_t* key, int value) {
    SetString(section, key, std::to_wstring(value).c_str());
}

std::wstring IniFileWriter::Text() const {
    std::wstring text;
    for (const Section& section : sections_) {
        text += L"[" + section.name + L"]\r\n";
        for (const auto& [key, value] : section.keys) text += key + L"=" + value + L"\r\n";
    }
    return text;
}

bool IniFileWriter::Save(const wchar_t* path) const {
    return path && platform::files::writeAllAtomic(path, platform::core::toUtf8(Text())) == 0;
}

}  // namespace kvio
