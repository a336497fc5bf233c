#include "commandbars/command_tooltips.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/compression.h"
#include "platform/diagnostics.h"

namespace {

// Lives for the process: records are added and never replaced or removed.
std::map<UINT, CommandTooltipInfo>& tooltipMap() {
    static std::map<UINT, CommandTooltipInfo> map;
    return map;
}

bool sameTexts(const CommandTooltipInfo& a, const CommandTooltipInfo& b) {
    return a.name == b.name && a.title == b.title && a.text == b.text && a.longText == b.longText &&
           a.shortcut == b.shortcut;
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring trimmed(std::wstring text) {
    while (!text.empty() && isBlank(text.back())) text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    return text.substr(start);
}

CString trimmed(const CString& text) { return CString(trimmed(std::wstring(text)).c_str()); }

// A name that would lead the description path out of the "CommandInfo" folder.
bool leavesFolder(const CString& name) {
    const std::wstring all(name);
    return all.find_first_of(L"\\/:") != std::wstring::npos || all.find(L"..") != std::wstring::npos;
}

}  // namespace

bool SetCommandTooltipInfo(UINT id, const CommandTooltipInfo& info) {
    auto [it, added] = tooltipMap().emplace(id, info);
    return added || sameTexts(it->second, info);
}

bool IsExcludedFromCommandTooltips(UINT id) {
    static constexpr std::pair<UINT, UINT> kRanges[] = {
        {2701, 2790},   {6000, 6999},   {9000, 9100},   {9313, 9800},   {17000, 32000},
        {37000, 39199}, {46000, 47999}, {65000, 65049}, {61440, 61824},
    };
    if (id == 1116 || id < 600 || id >= 65536) return true;
    return std::any_of(std::begin(kRanges), std::end(kRanges),
                       [id](const auto& range) { return id >= range.first && id <= range.second; });
}

CommandDescription ParseCommandDescription(const CString& fileText) {
    const std::wstring all = trimmed(std::wstring(fileText));
    CommandDescription description;
    const std::size_t mark = all.size() >= 3 ? all.find(L"---") : std::wstring::npos;
    if (mark == std::wstring::npos) {
        description.text = all.c_str();
        return description;
    }
    std::wstring before = all.substr(0, mark);
    while (!before.empty() && isBlank(before.back())) before.pop_back();
    description.text = before.c_str();
    const std::size_t lineEnd = all.find(L'\n', mark);
    std::wstring rest = lineEnd == std::wstring::npos ? all.substr(mark + 3) : all.substr(lineEnd + 1);
    std::size_t start = 0;
    while (start < rest.size() && isBlank(rest[start])) ++start;
    description.longText = rest.substr(start).c_str();
    return description;
}

CString BuildCommandShortcut(UINT id, const CString& keyboardCall, CXTPCommandBars* bars,
                             const std::vector<CString>* commandStrings) {
    std::vector<std::pair<int, CString>> candidates;
    if (!keyboardCall.IsEmpty()) candidates.emplace_back(INT_MIN, keyboardCall);
    if (commandStrings && commandStrings->size() >= 7 && !(*commandStrings)[6].IsEmpty())
        candidates.emplace_back(-1, (*commandStrings)[6]);
    if (bars) {
        const CXTPShortcutManager* shortcuts = bars->GetShortcutManager();
        for (const ACCEL& accel : shortcuts->GetAccelerators()) {
            if (accel.cmd != id) continue;
            const CXTPShortcutManager::CKeyHelper key(&accel, shortcuts);
            candidates.emplace_back(key.Priority(), key.Format());
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<CString> seen;
    CString joined;
    for (const auto& [priority, text] : candidates) {
        if (text.IsEmpty() || std::find(seen.begin(), seen.end(), text) != seen.end()) continue;
        seen.push_back(text);
        if (!joined.IsEmpty()) joined += L"; ";
        joined += text;
    }
    return joined;
}

const CommandTooltipInfo* LoadCommandDescription(UINT id, CXTPCommandBars* bars, COLORREF background) {
    auto& map = tooltipMap();
    if (auto it = map.find(id); it != map.end()) return &it->second;
    if (IsExcludedFromCommandTooltips(id)) return nullptr;

    CommandTooltipInfo info;
    info.name = KVCommandContainer::Instance().GetCommandName(id);
    if (info.name.IsEmpty()) {
        if (id >= 15000 && id <= 16999) return nullptr;
        info.name.Format(L"%d", static_cast<int>(id));
    }

    CString keyboardCall;
    const auto strings = UIModuleProxy::Instance().GetCommandStrings(id);
    if (strings) {
        CString prompt = !strings->empty() ? (*strings)[0] : CString();
        const CString caption = strings->size() > 1 ? (*strings)[1] : CString();
        const int colon = prompt.Find(L':', 1);
        if (colon > 0) {
            keyboardCall = prompt.Left(colon);
            std::wstring after(prompt.Mid(colon + 1));
            after.erase(0, after.find_first_not_of(L" \t"));
            prompt = after.c_str();
        }
        if (!caption.IsEmpty()) {
            info.title = caption;
            info.text = prompt;
        } else {
            info.title = prompt;
        }
    }

    // Names that would read outside the folder get no description.
    const CString path = KVAppendProgramPath(CString(L"CommandInfo\\") + info.name + L".txt");
    if (!leavesFolder(info.name)) {
        CString fileText;
        switch (Korvo::ReadTextFile(path, fileText)) {
            case Korvo::TextFileResult::Read: {
                const CommandDescription description = ParseCommandDescription(fileText);
                if (!description.text.IsEmpty()) info.text = description.text;
                info.longText = description.longText;
                break;
            }
            case Korvo::TextFileResult::ReadFailed:
                KVLog_WriteF(6, L"Failed to read command description from \"%ls\"", static_cast<LPCWSTR>(path));
                break;
            case Korvo::TextFileResult::NotOpened: break;
        }
    }

    info.shortcut = BuildCommandShortcut(id, keyboardCall, bars, strings ? &*strings : nullptr);
    info.title = trimmed(info.title);
    info.text = trimmed(info.text);
    info.longText = trimmed(info.longText);
    info.shortcut = trimmed(info.shortcut);

    if (!leavesFolder(info.name)) {
        const CString picturePath = Korvo::ChangeFileExtension(path, L".png");
        if (HBITMAP picture = Korvo::CreateImageBitmap(picturePath, background)) {
            info.picture.Create(picture, nullptr, 0.0, 0.0);
            info.picture.source = picturePath;
            ::DeleteObject(picture);
        }
    }

    return &map.emplace(id, std::move(info)).first->second;
}

void UpdateCommandTooltips(CXTPCommandBars* bars) {
    for (auto& [id, info] : tooltipMap()) {
        CString keyboardCall;
        const auto strings = UIModuleProxy::Instance().GetCommandStrings(id);
        if (strings && !strings->empty()) {
            const int colon = (*strings)[0].Find(L':', 1);
            if (colon > 0) keyboardCall = (*strings)[0].Left(colon);
        }
        info.shortcut = trimmed(BuildCommandShortcut(id, keyboardCall, bars, strings ? &*strings : nullptr));
    }
}
