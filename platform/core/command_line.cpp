#include "platform/core/command_line.h"

namespace platform::core {

std::vector<std::wstring> splitCommandLine(std::wstring_view commandLine) {
    std::vector<std::wstring> result;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };

    // The program name: quotes group, backslashes are plain characters.
    std::wstring program;
    if (i < n && commandLine[i] == L'"') {
        ++i;
        while (i < n && commandLine[i] != L'"') program += commandLine[i++];
        if (i < n) ++i;
    } else {
        while (i < n && !isBlank(commandLine[i])) program += commandLine[i++];
    }
    result.push_back(program);

    for (;;) {
        while (i < n && isBlank(commandLine[i])) ++i;
        if (i >= n) break;
        std::wstring argument;
        bool quoted = false;
        while (i < n) {
            std::size_t backslashes = 0;
            while (i < n && commandLine[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == L'"') {
                // 2n backslashes and a quote: n backslashes and a quote that toggles quoting;
                // 2n+1 backslashes and a quote: n backslashes and a literal quote.
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                    ++i;
                } else if (quoted && i + 1 < n && commandLine[i + 1] == L'"') {
                    // A doubled quote inside quotes is a literal quote.
                    argument += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            argument.append(backslashes, L'\\');
            if (i >= n || (!quoted && isBlank(commandLine[i]))) break;
            argument += commandLine[i++];
        }
        result.push_back(argument);
    }
    return result;
}

std::wstring quoteArgument(std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring_view::npos) return std::wstring(argument);
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    out.push_back(L'"');
    return out;
}

}  // namespace platform::core
