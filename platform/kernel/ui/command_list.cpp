// What the kernel tells about its commands for a command search: the listed commands with their
// texts, their visibility and names, the session's language code, the settings profiles, and the
// number reading of the kernel's XML helpers.
#include <algorithm>
#include <cwctype>
#include <limits>

#include "platform/kernel/profiles/profile_manager.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/session.h"
#include "platform/kernel/ui/command_control.h"
#include "platform/kernel/ui/control.h"

namespace {

constexpr UINT kFirstAddOnCommand = 15000;
constexpr UINT kLastAddOnCommand = 16999;

// The kernel composes a command's text from the first two parts of its string: the prompt that
// describes it and the caption.
CString CommandText(UINT id) {
    std::optional<std::wstring> text = platform::kernel::findString(id);
    if (!text) return CString();
    // The text ends at a NUL as a C string would, and after the caption; the string itself becomes
    // the result, without a copy.
    text->resize(std::min(text->size(), text->find(L'\0')));
    if (const std::size_t first = text->find(L'\n'); first != std::wstring::npos) {
        text->resize(std::min(text->size(), text->find(L'\n', first + 1)));
    }
    return CString(std::move(*text));
}

bool IsListed(const platform::kernel::CommandRegistration& registration) {
    using platform::kernel::CommandRegistrationKind;
    if (registration.how == CommandRegistrationKind::Range || registration.firstId != registration.lastId) return false;
    const bool addOn = registration.firstId >= kFirstAddOnCommand && registration.firstId <= kLastAddOnCommand;
    return !(addOn && registration.how == CommandRegistrationKind::CommandObject);
}

}  // namespace

std::vector<GlobalContainer::RegisteredCommand> GlobalContainer::GetRegisteredCommands() {
    std::vector<RegisteredCommand> commands;
    platform::kernel::visitCommandRegistrations([&commands](const platform::kernel::CommandRegistration& registration) {
        if (IsListed(registration)) commands.push_back({registration.firstId, CString()});
    });
    std::sort(commands.begin(), commands.end(),
              [](const RegisteredCommand& a, const RegisteredCommand& b) { return a.id < b.id; });
    for (RegisteredCommand& command : commands) command.text = CommandText(command.id);
    return commands;
}

std::optional<CString> GlobalContainer::GetRegisteredCommandText(UINT id) {
    const auto listed = platform::kernel::findCommandRegistration(
        [id](const platform::kernel::CommandRegistration& registration) { return registration.firstId == id && IsListed(registration); });
    if (!listed) return std::nullopt;
    return CommandText(id);
}

// The kernel's text is "description\ncaption".
CString GlobalContainer::GetCmdDescr(UINT id) {
    const std::optional<CString> text = GetRegisteredCommandText(id);
    if (!text) return {};
    const int newline = text->ReverseFind(L'\n');
    if (newline < 0) return *text;
    return newline + 1 < text->GetLength() ? text->Mid(newline + 1) : text->Left(newline);
}

CString GlobalContainer::GetLocaleAlpha2Code() {
    const std::wstring language(GetSessionLanguage().view());
    if (language.size() < 2) return L"en";
    // The ini file names languages by three letters; the kernel's two-letter codes for them.
    static const std::pair<const wchar_t*, const wchar_t*> kCodes[] = {
        {L"rus", L"ru"}, {L"eng", L"en"}, {L"deu", L"de"}, {L"ger", L"de"}, {L"fra", L"fr"},
        {L"ita", L"it"}, {L"esp", L"es"}, {L"spa", L"es"}, {L"chn", L"zh"}, {L"ukr", L"uk"},
    };
    std::wstring lower;
    for (wchar_t c : language) lower.push_back(static_cast<wchar_t>(std::towlower(c)));
    for (const auto& [name, code] : kCodes)
        if (lower == name) return code;
    return CString(lower.substr(0, 2).c_str());
}

UINT KVCommandContainer::GetCommandId(std::wstring_view name) const {
    if (name.empty()) return 0;
    const auto named = platform::kernel::findCommandRegistration([name](const platform::kernel::CommandRegistration& registration) {
        return registration.name == name && registration.firstId == registration.lastId;
    });
    return named ? named->firstId : 0;
}

bool IsCommandVisible(UINT id) { return platform::kernel::control().invisibleCommands.count(id) == 0; }

namespace KorvoXML {

bool TryStringToInt(const wchar_t* text, int& value) {
    if (!text) return false;
    std::wstring_view rest(text);
    while (!rest.empty() && std::iswspace(rest.front())) rest.remove_prefix(1);
    while (!rest.empty() && std::iswspace(rest.back())) rest.remove_suffix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == L'-' || rest.front() == L'+')) {
        negative = rest.front() == L'-';
        rest.remove_prefix(1);
    }
    if (rest.empty()) return false;
    long long number = 0;
    for (wchar_t c : rest) {
        if (c < L'0' || c > L'9') return false;
        number = number * 10 + (c - L'0');
        if (number > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) number = -number;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(number);
    return true;
}

int StringToInt(const wchar_t* text) {
    int value = 0;
    return TryStringToInt(text, value) ? value : 0;
}

}  // namespace KorvoXML
