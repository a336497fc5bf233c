#include "commandbars/search/command_tags.h"

#include <mutex>

#include "platform/compression.h"
#include "platform/kernel.h"
#include "platform/textcore.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v'; }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Ids whose synonyms are never searched: the search pane's own menu, the application commands
// and the user commands' block.
bool IsExcluded(UINT id) {
    return (id >= 9334 && id <= 9800) || (id >= 17000 && id <= 32000) || (id >= 46000 && id <= 47999);
}

std::optional<UINT> CommandOf(const CString& key) {
    if (const UINT named = KVCommandContainer::Instance().GetCommandId(key.view())) return named;
    int number = 0;
    if (!KorvoXML::TryStringToInt(key, number) || number <= 0) return std::nullopt;
    return static_cast<UINT>(number);
}

}  // namespace

CString RemoveSingleAmpersands(const CString& text) {
    std::wstring result;
    const std::wstring_view source = text.view();
    result.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] != L'&') {
            result.push_back(source[i]);
        } else if (i + 1 < source.size() && source[i + 1] == L'&') {
            result += L"&&";
            ++i;
        }
    }
    return CString(std::move(result));
}

std::optional<CommandTagLine> ParseCommandTagLine(const CString& line) {
    const std::wstring_view text = Trimmed(line.view());
    std::size_t blank = 0;
    while (blank < text.size() && !IsBlank(text[blank])) ++blank;
    if (blank == text.size()) return std::nullopt;
    const std::optional<UINT> id = CommandOf(CString(std::wstring(text.substr(0, blank))));
    if (!id || !IsCommandVisible(*id) || IsExcluded(*id)) return std::nullopt;
    CString tags = RemoveSingleAmpersands(Korvo::GetSearchableEquivalent(CString(std::wstring(text.substr(blank + 1)))));
    if (tags.IsEmpty()) return std::nullopt;
    return CommandTagLine{*id, tags};
}

bool ReadCommandTagsFile(const CString& path, CommandTagMap& tags) {
    CString content;
    if (Korvo::ReadTextFile(path, content) != Korvo::TextFileResult::Read) return false;
    const std::wstring_view text = content.view();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) end = text.size();
        if (const auto parsed = ParseCommandTagLine(CString(std::wstring(text.substr(start, end - start))))) {
            auto [entry, added] = tags.emplace(parsed->id, parsed->tags);
            if (!added) entry->second += L";" + parsed->tags;
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    return true;
}

const CommandTagMap& CommandTags() {
    static CommandTagMap tags;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        ReadCommandTagsFile(KVAppendProgramPath(L"CommandTags.txt"), tags);
        const CString language = GlobalContainer::GetLocaleAlpha2Code();
        ReadCommandTagsFile(KVAppendProgramPath(CString(L"CommandTags.") + language + L".txt"), tags);
    });
    return tags;
}
