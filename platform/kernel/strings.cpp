#include "platform/kernel/strings.h"

#include <algorithm>
#include <mutex>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/numbers.h"
#include "platform/core/text.h"
#include "platform/kernel/accelerators.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"

namespace platform::kernel {
namespace {

constexpr const wchar_t* kStringTableFile = L"strings.tsv";

struct StringTables {
    std::mutex mutex;
    bool loaded = false;
    std::map<UINT, std::wstring> fromFile;
    std::map<UINT, std::wstring> overrides;
};

// Never destroyed: the framework's string loader reaches it from any thread, until the process
// ends.
StringTables& tables() {
    static auto* state = new StringTables();
    return *state;
}

std::wstring tablePath() { return platform::core::config().programFolder + L"\\" + kStringTableFile; }

// Call with the mutex held.
void loadIfNeeded(StringTables& state) {
    if (state.loaded) return;
    state.loaded = true;
    const std::wstring path = tablePath();
    std::string bytes;
    if (const DWORD error = platform::files::readAll(path, bytes); error != 0) {
        recordWarning(L"string table " + path + L" cannot be read (error " + std::to_wstring(error) + L")");
        return;
    }
    std::vector<std::wstring> warnings;
    state.fromFile = parseStringTable(bytes, path, &warnings);
    for (auto& warning : warnings) recordWarning(std::move(warning));
}

// Unescapes "\t", "\n" and "\\"; nothing for any other escape or a trailing backslash.
std::optional<std::wstring> unescape(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The run up to the next backslash is copied whole: most texts have none.
        const std::size_t slash = std::min(text.find(L'\\', i), text.size());
        result.append(text.substr(i, slash - i));
        i = slash;
        if (i == text.size()) break;
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case L't': result += L'\t'; break;
            case L'n': result += L'\n'; break;
            case L'\\': result += L'\\'; break;
            default: return std::nullopt;
        }
    }
    return result;
}

}  // namespace

std::map<UINT, std::wstring> parseStringTable(std::string_view utf8, std::wstring_view origin,
                                              std::vector<std::wstring>* warnings) {
    std::map<UINT, std::wstring> table;
    platform::core::MalformedLines problems{std::wstring(origin), [&](std::wstring warning) {
                                                if (warnings) warnings->push_back(std::move(warning));
                                            }};
    auto warn = [&](std::size_t line, const std::wstring& what) { problems.report(line, what); };
    platform::core::TextLines lines(utf8);
    for (std::string_view line; lines.next(line);) {
        const std::size_t lineNumber = lines.number();
        if (line.empty() || line.front() == '#') continue;

        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            warn(lineNumber, L"no tab between id and text; line skipped");
            continue;
        }
        const auto id = platform::core::parseWholeNumber<UINT>(line.substr(0, tab));
        if (!id) {
            warn(lineNumber, platform::core::quotedInput(platform::core::fromUtf8(line.substr(0, tab))) +
                                 L" is not a string id; line skipped");
            continue;
        }
        // A text without a backslash is already what it says: kept without a second copy.
        std::wstring decoded = platform::core::fromUtf8(line.substr(tab + 1));
        auto text = decoded.find(L'\\') == std::wstring::npos ? std::optional<std::wstring>(std::move(decoded))
                                                              : unescape(decoded);
        if (!text) {
            warn(lineNumber, L"unknown escape in the text of string " + std::to_wstring(*id) +
                                 L" (only \\t, \\n and \\\\ are known); line skipped");
            continue;
        }
        if (!table.emplace(*id, std::move(*text)).second) {
            warn(lineNumber, L"string " + std::to_wstring(*id) + L" is defined again; the first text is kept");
        }
    }
    problems.finish();
    return table;
}

std::optional<std::wstring> findString(UINT id) {
    auto& state = tables();
    std::lock_guard lock(state.mutex);
    if (auto it = state.overrides.find(id); it != state.overrides.end()) return it->second;
    loadIfNeeded(state);
    if (auto it = state.fromFile.find(id); it != state.fromFile.end()) return it->second;
    return std::nullopt;
}

void overrideString(UINT id, std::wstring text) {
    auto& state = tables();
    std::lock_guard lock(state.mutex);
    state.overrides[id] = std::move(text);
}

void reloadStrings() {
    auto& state = tables();
    std::lock_guard lock(state.mutex);
    state.loaded = false;
    state.fromFile.clear();
}

void installStringLoader() {
    static std::once_flag installed;
    std::call_once(installed, [] { platform::setStringLoader([](UINT id) { return findString(id); }); });
    installAcceleratorLoader();
}

}  // namespace platform::kernel

CString KVLoadString(UINT id) {
    platform::kernel::installStringLoader();
    if (auto text = platform::kernel::findString(id)) return CString(*text);
    const std::wstring what = L"string resource " + std::to_wstring(id) + L" is missing";
    platform::kernel::recordWarning(what);
    if (platform::core::config().missingResourceFails) platform::core::reportFailure(what);
    return CString(L"#" + std::to_wstring(id));
}

CString GetStrWithoutCommandLetters(const CString& text) {
    std::wstring all(text);
    // "Save (&S)": the whole parenthesis is the letter.
    if (all.size() >= 4 && all.back() == L')' && all[all.size() - 4] == L'(' && all[all.size() - 3] == L'&') {
        all.erase(all.size() - 4);
        while (!all.empty() && all.back() == L' ') all.pop_back();
    }
    std::wstring out;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == L'&' && i + 1 < all.size()) ++i;
        out += all[i];
    }
    return CString(out.c_str());
}
int KVMessageBox::Show(LPCWSTR text, UINT type) { return AfxMessageBox(text, type); }

CString Korvo::QuoteCommandLineArgument(const CString& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument.view()) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return CString(quoted.c_str());
}
