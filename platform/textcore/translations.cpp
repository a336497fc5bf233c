#include <map>
#include <mutex>
#include <string>

#include "platform/compression.h"
#include "platform/compression/text_decoding.h"
#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/textcore.h"
#include "platform/win32/files/file.h"

namespace Korvo::I18n {

namespace {

using platform::core::viewOf;

// The translation table of the current language, read at the first lookup after a change.
struct TranslationTable {
    std::mutex mutex;
    std::wstring language;
    bool loaded = false;
    std::map<std::wstring, std::wstring, std::less<>> texts;
};

TranslationTable& table() { return platform::core::process().table<TranslationTable>(); }

std::wstring unescape(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    // Runs without a backslash are copied whole: most texts have none.
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t slash = text.find(L'\\', i);
        if (slash == std::wstring_view::npos || slash + 1 == text.size()) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, slash - i));
        const wchar_t next = text[slash + 1];
        if (next == L't') out += L'\t';
        else if (next == L'n') out += L'\n';
        else if (next == L'\\') out += L'\\';
        else {
            // Not an escape: kept as written (texts may hold Windows paths).
            out += L'\\';
            i = slash + 1;
            continue;
        }
        i = slash + 2;
    }
    return out;
}

// "key<TAB>text" a line; blank lines and lines starting with '#' are skipped.
void load(TranslationTable& t) {
    t.texts.clear();
    t.loaded = true;
    if (t.language.empty()) return;
    const CString path = KVAppendProgramPath((L"i18n\\" + t.language + L".tsv").c_str());
    std::string bytes;
    if (platform::files::readAll(path.view(), bytes) != 0) {
        platform::core::journal().add("warning", L"translation table " + std::wstring(path.view()) + L" not found");
        return;
    }
    const std::wstring text = platform::compression::decodeText(bytes);
    int number = 0;
    platform::core::MalformedLines problems{std::wstring(path.view())};
    for (const auto line : platform::compression::splitLines(text)) {
        ++number;
        if (line.empty() || line.front() == L'#') continue;
        const std::size_t tab = line.find(L'\t');
        if (tab == std::wstring_view::npos || tab == 0) {
            problems.report(static_cast<std::size_t>(number),
                            L"line is not \"key<TAB>text\", ignored: " + platform::core::quotedInput(line));
            continue;
        }
        std::wstring key = unescape(line.substr(0, tab));
        const auto place = t.texts.lower_bound(key);
        if (place != t.texts.end() && place->first == key) {
            problems.report(static_cast<std::size_t>(number),
                            L"key " + platform::core::quotedInput(key) + L" repeated, the first text is used");
            continue;
        }
        t.texts.emplace_hint(place, std::move(key), unescape(line.substr(tab + 1)));
    }
    problems.finish();
}

std::optional<std::wstring> lookup(std::wstring_view key) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (!t.loaded) load(t);
    const auto found = t.texts.find(key);
    if (found == t.texts.end()) return std::nullopt;
    return found->second;
}

}  // namespace

void SetLanguage(const wchar_t* language) {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    const std::wstring next(viewOf(language));
    if (next == t.language && t.loaded) return;
    t.language = next;
    t.loaded = false;
    t.texts.clear();
}

CString GetLanguage() {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    return CString(t.language);
}

CString Translate(const wchar_t* key) {
    auto text = lookup(viewOf(key));
    return text ? CString(std::move(*text)) : CString(key);
}

std::optional<CString> TryTranslate(const wchar_t* key) {
    auto text = lookup(viewOf(key));
    if (!text) return std::nullopt;
    return CString(std::move(*text));
}

bool TryTranslate(const wchar_t* key, CString& text) {
    auto found = lookup(viewOf(key));
    if (!found) return false;
    text = CString(std::move(*found));
    return true;
}

CString FormatTranslationV(const wchar_t* key, const platform::FormatArgs& args) {
    const CString format = Translate(key);
    return CString(platform::formatV(format.view(), args));
}

}  // namespace Korvo::I18n
