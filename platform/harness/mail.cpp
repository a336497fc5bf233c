// What the mail program was given: each start's command line and its standard input, read as
// the UTF-16 little-endian text it must be.
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/harness.h"
#include "platform/win32.h"

namespace platform::harness {

namespace {

std::wstring describeInput(const std::string& bytes) {
    std::wstring text = L"input " + std::to_wstring(bytes.size()) + L" bytes";
    if (bytes.size() % 2 != 0) return text + L", an odd count: not UTF-16\n";
    std::wstring decoded;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        decoded += static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8));
    const bool mark = !decoded.empty() && decoded.front() == 0xFEFF;
    const bool bareFeed = [&] {
        for (std::size_t at = 0; at < decoded.size(); ++at)
            if (decoded[at] == L'\n' && (at == 0 || decoded[at - 1] != L'\r')) return true;
        return false;
    }();
    text += mark ? L", UTF-16LE with a byte-order mark" : L", UTF-16LE without a byte-order mark";
    text += bareFeed ? L", a line feed without carriage return\n" : L"\n";
    std::size_t start = mark ? 1 : 0;
    while (start < decoded.size()) {
        std::size_t end = decoded.find(L"\r\n", start);
        const bool last = end == std::wstring::npos;
        if (last) end = decoded.size();
        text += L"| " + decoded.substr(start, end - start) + (last ? L" (no line end)\n" : L"\n");
        start = last ? end : end + 2;
    }
    return text;
}

}  // namespace

std::wstring Inspect::dumpMail() const {
    std::wstring text;
    for (const auto& run : platform::win32::programRuns()) {
        if (!platform::core::equalsNoCase(platform::core::winpath::fileName(run->path), L"KorvoMail.exe")) continue;
        text += L"started " + run->commandLine + L"\n";
        if (!run->readsInput) {
            text += L"ended without reading its input\n";
            continue;
        }
        text += describeInput(run->input);
        if (!run->inputEnded) text += L"input still open\n";
    }
    return text.empty() ? L"(none)" : text;
}

}  // namespace platform::harness
