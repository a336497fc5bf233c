#include <cstdint>

#include "platform/compression.h"
#include "platform/compression/text_decoding.h"
#include "platform/core/api_text.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

namespace kvio {

namespace {

using platform::core::viewOf;

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == 0xFEFF; }

std::wstring_view trim(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// As the Windows profile functions do, a value in matching quotes loses them.
std::wstring_view unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool IniFile::NameLess::operator()(std::wstring_view a, std::wstring_view b) const {
    return platform::core::compareNoCase(a, b) < 0;
}

bool IniFile::Load(const wchar_t* path) {
    sections_.clear();
    sectionIndex_.clear();
    loaded_ = false;
    fileName_ = path;
    std::string bytes;
    if (!path || platform::files::readAll(path, bytes) != 0) return false;
    LoadFromText(platform::compression::decodeText(bytes), path);
    return true;
}

void IniFile::LoadFromText(std::wstring_view text, const wchar_t* origin) {
    sections_.clear();
    sectionIndex_.clear();
    fileName_ = origin;
    std::size_t current = kNoSection;
    int number = 0;
    platform::core::MalformedLines problems{std::wstring(fileName_.view())};
    for (const auto line : platform::compression::splitLines(text)) parseLine(line, ++number, current, problems);
    problems.finish();
    loaded_ = true;
}

void IniFile::parseLine(std::wstring_view line, int number, std::size_t& current,
                        platform::core::MalformedLines& problems) {
    const std::wstring_view text = trim(line);
    auto warn = [&](std::wstring_view problem) {
        problems.report(static_cast<std::size_t>(number), std::wstring(problem) + L": " + platform::core::quotedInput(text));
    };
    if (text.empty() || text.front() == L';' || text.front() == L'#') return;

    if (text.front() == L'[') {
        const std::size_t close = text.find(L']');
        if (close == std::wstring_view::npos) warn(L"section header without ']'");
        const std::wstring name(trim(text.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1)));
        const auto found = sectionIndex_.find(name);
        if (found != sectionIndex_.end()) {
            // Its keys join the first section of that name, where a key's first occurrence wins.
            warn(L"section repeated, its keys join the first one");
            current = found->second;
            return;
        }
        sections_.push_back(Section{CString(name), {}, {}});
        sectionIndex_.emplace(name, sections_.size() - 1);
        current = sections_.size() - 1;
        return;
    }

    const std::size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos) {
        warn(L"line is not a section, a key=value pair or a comment, ignored");
        return;
    }
    const std::wstring key(trim(text.substr(0, equals)));
    if (key.empty()) {
        warn(L"key name missing, line ignored");
        return;
    }
    if (current == kNoSection) {
        warn(L"key outside any section, ignored");
        return;
    }
    Section& section = sections_[current];
    if (section.index.contains(key)) {
        warn(L"key repeated, the first occurrence is used");
        return;
    }
    section.entries.push_back(Entry{CString(key), CString(std::wstring(unquote(trim(text.substr(equals + 1)))))});
    section.index.emplace(key, section.entries.size() - 1);
}

const IniFile::Section* IniFile::findSection(std::wstring_view name) const {
    const auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const IniFile::Entry* IniFile::findEntry(std::wstring_view section, std::wstring_view key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    const auto found = s->index.find(key);
    return found == s->index.end() ? nullptr : &s->entries[found->second];
}

CString IniFile::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) const {
    const Entry* entry = findEntry(viewOf(section), viewOf(key));
    return entry ? entry->value : CString(defaultValue);
}

int IniFile::GetInt(const wchar_t* section, const wchar_t* key, int defaultValue) const {
    const Entry* entry = findEntry(viewOf(section), viewOf(key));
    if (!entry || entry->value.IsEmpty()) return defaultValue;
    std::wstring_view text = entry->value.view();
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    // Wraps modulo 2^32 as the Windows conversion does, never overflowing.
    std::uint32_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        value = value * 10u + static_cast<std::uint32_t>(c - L'0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

bool IniFile::HasSection(const wchar_t* section) const { return findSection(viewOf(section)) != nullptr; }

bool IniFile::HasKey(const wchar_t* section, const wchar_t* key) const {
    return findEntry(viewOf(section), viewOf(key)) != nullptr;
}

std::vector<CString> IniFile::GetSectionNames() const {
    std::vector<CString> names;
    names.reserve(sections_.size());
    for (const auto& s : sections_) names.push_back(s.name);
    return names;
}

std::vector<CString> IniFile::GetKeyNames(const wchar_t* section) const {
    std::vector<CString> names;
    if (const Section* s = findSection(viewOf(section))) {
        for (const auto& e : s->entries) names.push_back(e.key);
    }
    return names;
}

}  // namespace kvio
