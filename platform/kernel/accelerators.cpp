#include "platform/kernel/accelerators.h"

#include <algorithm>
#include <mutex>

#include "platform/core/config.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/numbers.h"
#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"

namespace platform::kernel {
namespace {

constexpr const wchar_t* kAcceleratorFile = L"accelerators.tsv";

struct KeyName {
    std::string_view name;
    WORD key;
};

constexpr KeyName kKeyNames[] = {
    {"Enter", 0x0D},  {"Esc", 0x1B},    {"Tab", 0x09},      {"Space", 0x20},  {"Backspace", 0x08},
    {"Delete", 0x2E}, {"Insert", 0x2D}, {"Home", 0x24},     {"End", 0x23},    {"PageUp", 0x21},
    {"PageDown", 0x22}, {"Left", 0x25}, {"Right", 0x27},    {"Up", 0x26},     {"Down", 0x28},
};

// "Ctrl+Shift+O" as an accelerator's modifiers and virtual key; nothing for what is no key.
std::optional<ACCEL> readKeys(std::string_view text) {
    ACCEL entry;
    entry.fVirt = FVIRTKEY;
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, flag] : {std::pair{std::string_view("Ctrl+"), FCONTROL}, std::pair{std::string_view("Alt+"), FALT},
                                          std::pair{std::string_view("Shift+"), FSHIFT}}) {
            if (text.starts_with(prefix) && !(entry.fVirt & flag)) {
                entry.fVirt |= flag;
                text.remove_prefix(prefix.size());
                more = true;
            }
        }
    }
    if (text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9'))) {
        entry.key = static_cast<WORD>(text[0]);
        return entry;
    }
    if (text.size() >= 2 && text[0] == 'F') {
        const auto number = platform::core::parseWholeNumber<unsigned>(text.substr(1));
        if (!number || *number < 1 || *number > 24) return std::nullopt;
        entry.key = static_cast<WORD>(0x6F + *number);
        return entry;
    }
    for (const KeyName& name : kKeyNames) {
        if (text == name.name) {
            entry.key = name.key;
            return entry;
        }
    }
    return std::nullopt;
}

struct AcceleratorTables {
    std::mutex mutex;
    bool loaded = false;
    std::map<UINT, std::vector<ACCEL>> tables;
};

AcceleratorTables& state() {
    static auto* tables = new AcceleratorTables();  // reached from any thread until the process ends
    return *tables;
}

}  // namespace

std::map<UINT, std::vector<ACCEL>> parseAcceleratorTables(std::string_view utf8, std::wstring_view origin,
                                                          std::vector<std::wstring>* warnings) {
    std::map<UINT, std::vector<ACCEL>> tables;
    platform::core::MalformedLines problems{std::wstring(origin), [&](std::wstring warning) {
                                                if (warnings) warnings->push_back(std::move(warning));
                                            }};
    platform::core::TextLines lines(utf8);
    for (std::string_view line; lines.next(line);) {
        const std::size_t lineNumber = lines.number();
        if (line.empty() || line.front() == '#') continue;
        const std::size_t first = line.find('\t');
        const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
        if (second == std::string_view::npos) {
            problems.report(lineNumber, L"not \"table<TAB>keys<TAB>command\"; line skipped");
            continue;
        }
        const std::string_view keys = line.substr(first + 1, second - first - 1);
        const auto table = platform::core::parseWholeNumber<UINT>(line.substr(0, first));
        const auto command = platform::core::parseWholeNumber<unsigned>(line.substr(second + 1));
        const auto entry = readKeys(keys);
        if (!table || !command || *command > 0xFFFF || !entry) {
            const std::wstring what = !table ? L"table id" : !entry ? L"key" : L"command id";
            const std::string_view bad = !table ? line.substr(0, first) : !entry ? keys : line.substr(second + 1);
            problems.report(lineNumber, platform::core::quotedInput(platform::core::fromUtf8(bad)) + L" is no " + what +
                                            L"; line skipped");
            continue;
        }
        std::vector<ACCEL>& entries = tables[*table];
        const bool repeated = std::any_of(entries.begin(), entries.end(), [&](const ACCEL& other) {
            return other.key == entry->key && other.fVirt == entry->fVirt;
        });
        if (repeated) {
            problems.report(lineNumber, platform::core::quotedInput(platform::core::fromUtf8(keys)) +
                                            L" is in table " + std::to_wstring(*table) + L" already; the first is kept");
            continue;
        }
        entries.push_back(ACCEL{entry->fVirt, entry->key, static_cast<WORD>(*command)});
    }
    problems.finish();
    return tables;
}

std::optional<std::vector<ACCEL>> findAccelerators(UINT id) {
    auto& tables = state();
    std::lock_guard lock(tables.mutex);
    if (!tables.loaded) {
        tables.loaded = true;
        const std::wstring path = platform::core::config().programFolder + L"\\" + kAcceleratorFile;
        std::string bytes;
        if (platform::files::readAll(path, bytes) == 0) {
            std::vector<std::wstring> warnings;
            tables.tables = parseAcceleratorTables(bytes, path, &warnings);
            for (auto& warning : warnings) recordWarning(std::move(warning));
        }
    }
    const auto found = tables.tables.find(id);
    if (found == tables.tables.end()) return std::nullopt;
    return found->second;
}

void installAcceleratorLoader() {
    static std::once_flag installed;
    std::call_once(installed, [] { platform::toolkit::setAcceleratorLoader([](UINT id) { return findAccelerators(id); }); });
}

}  // namespace platform::kernel
