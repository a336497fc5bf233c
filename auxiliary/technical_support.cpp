#include "auxiliary/technical_support.h"

#include <vector>

#include "platform/compression.h"
#include "platform/compression/streams.h"
#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/textcore.h"
#include "platform/win32.h"

namespace TechnicalSupport {

namespace {

constexpr UINT kFormMissing = 40763;
constexpr UINT kSubject = 40764;
constexpr const wchar_t* kProductVersion = L"18.0.21.0";

CString Trimmed(const CString& text) {
    const std::wstring_view all = text.view();
    const std::size_t first = all.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    const std::size_t last = all.find_last_not_of(L" \t");
    return CString(std::wstring(all.substr(first, last - first + 1)).c_str());
}

CString LocalDate() {
    __time64_t now = _time64(nullptr);
    std::tm parts{};
    wchar_t text[32] = {};
    if (_localtime64_s(&parts, &now) != 0 || _wasctime_s(text, 32, &parts) != 0) return {};
    CString date(text);
    if (!date.IsEmpty() && date[date.GetLength() - 1] == L'\n') date = date.Left(date.GetLength() - 1);
    return date;
}

CString FormPath() {
    const CString configured = GetSettings().supportFormPath;
    return configured.IsEmpty() ? KVAppendProgramPath(L"TechnicalSupportForm.txt") : configured;
}

// The command line of the mail program: each value quoted, right after its switch.
CString CommandLine(const CString& program, const CString& recipient) {
    CString line = Korvo::QuoteCommandLineArgument(program);
    if (!recipient.IsEmpty()) line += L" --to=" + Korvo::QuoteCommandLineArgument(recipient);
    const CString subject = KVLoadString(kSubject);
    if (!subject.IsEmpty()) line += L" --subject=" + Korvo::QuoteCommandLineArgument(subject);
    CString fallback;
    if (Korvo::I18n::TryTranslate(L"technical_support_url", fallback) && PathIsURLW(fallback))
        line += L" --fallback=" + Korvo::QuoteCommandLineArgument(fallback);
    return line;
}

// Starts the mail program with the body on its standard input; false when it could not start
// or did not take the whole body.
bool HandToMailProgram(const CString& program, const CString& commandLine, const std::string& body) {
    SECURITY_ATTRIBUTES inherit;
    inherit.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
    // Only the read end goes to the mail program.
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = readEnd;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> line(commandLine.GetString(), commandLine.GetString() + commandLine.GetLength() + 1);
    const BOOL started = CreateProcessW(program, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    // Our copy of the read end goes at once: once the mail program has ended, nobody holds it, and
    // a write fails instead of waiting forever for a reader.
    CloseHandle(readEnd);
    bool delivered = false;
    if (started) {
        CloseHandle(process.hThread);
        std::size_t sent = 0;
        while (sent < body.size()) {
            DWORD written = 0;
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(body.size() - sent, 4096));
            if (!WriteFile(writeEnd, body.data() + sent, piece, &written, nullptr) || written == 0) break;
            sent += written;
        }
        delivered = sent == body.size();
        CloseHandle(process.hProcess);
    }
    CloseHandle(writeEnd);
    return started && delivered;
}

}  // namespace

bool IsAddressLine(const CString& line) {
    const std::wstring_view text = line.view();
    const std::size_t at = text.find(L'@');
    if (at == std::wstring_view::npos || at == 0) return false;
    const std::size_t dot = text.find(L'.', at + 1);
    return dot != std::wstring_view::npos && dot > at + 1;
}

CString LanguageName(int countryCode) {
    static constexpr const wchar_t* kNames[] = {L"Russian", L"Chinese", L"English", L"German", L"Italian",
                                                L"Polish",  L"Korean",  L"Japanese", L"Czech"};
    return countryCode >= 0 && countryCode < 9 ? kNames[countryCode] : L"Unknown";
}

void ReplaceAll(CString& text, const wchar_t* placeholder, const CString& value) {
    const std::wstring key(placeholder);
    std::wstring all(text.view());
    for (std::size_t at = all.find(key); at != std::wstring::npos; at = all.find(key, at + value.GetLength())) {
        all.replace(at, key.size(), value.view());
    }
    text = all.c_str();
}

std::string EncodeBody(const CString& body) {
    std::string bytes;
    const std::wstring_view text = body.view();
    bytes.reserve(text.size() * 2);
    auto unit = [&bytes](std::uint32_t value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    };
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return bytes;
}

}  // namespace TechnicalSupport

bool SendTechnicalSupportRequest() {
    using namespace TechnicalSupport;
    const CString path = FormPath();
    kvio::TextFileReadStream form;
    if (!form.Open(path, 32, 0, true)) {
        KVMessageBox::Show(KVLoadString(kFormMissing) + L":\n" + path, MB_ICONERROR);
        return false;
    }
    Request request;
    CString line;
    bool first = true;
    while (form.ReadString(line)) {
        if (first && IsAddressLine(line)) {
            request.recipient = Trimmed(line);
        } else {
            request.body += line + L"\r\n";
        }
        first = false;
    }
    // A form without lines names nobody: the mail program asks.
    if (request.recipient.IsEmpty() && !first) request.recipient = kSupportAddress;
    const NativeSettings& settings = GetSettings();
    ReplaceAll(request.body, L"<UserName>", settings.userName);
    ReplaceAll(request.body, L"<Organization>", settings.organization);
    ReplaceAll(request.body, L"<Date>", LocalDate());
    ReplaceAll(request.body, L"<Product>", AfxGetAppName());
    ReplaceAll(request.body, L"<ProductVersion>", CString(kProductVersion) + L", Language: " + LanguageName(COUNTRY));
    KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
    ReplaceAll(request.body, L"<BuildDate>", kernel ? kernel->BuildDate() : CString());
    ReplaceAll(request.body, L"<OperatingSystem>", GetSystemVersion());
    ReplaceAll(request.body, L"<VideoAdapter>", GetVideoControllersInfo());
    ReplaceAll(request.body, L"<Printers>", GetPrintersInfo());
    const CString program = KVAppendProgramPath(L"KorvoMail.exe");
    // A mail program that cannot start or ends early is not reported: the request was prepared.
    if (!HandToMailProgram(program, CommandLine(program, request.recipient), EncodeBody(request.body)))
        KVLog_Write(2, L"The technical support request did not reach the mail program");
    return true;
}
