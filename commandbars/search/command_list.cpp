#include "commandbars/search/command_list.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "commandbars/search/command_tags.h"
#include "platform/kernel.h"
#include "platform/textcore.h"

namespace {

constexpr UINT kFirstProfileCommand = 1190;
constexpr UINT kLastProfileCommand = 1199;
constexpr UINT kFirstAddOnCommand = 15000;
constexpr UINT kLastAddOnCommand = 16999;

class ListBuilder {
public:
    explicit ListBuilder(const CString& filter)
        : filter_(filter),
          number_(KorvoXML::StringToInt(filter)),
          profiles_(KorvoProfileManager::Instance().GetProfiles().size()),
          tags_(GetKVOptions().findBySynonyms ? &CommandTags() : nullptr) {}

    void Add(UINT id, const CString& text) {
        if (text.IsEmpty() || !IsCommandVisible(id)) return;
        if (id >= kFirstProfileCommand && id <= kLastProfileCommand && id - kFirstProfileCommand >= profiles_) return;
        CString display = RemoveSingleAmpersands(text);
        if (!filter_.IsEmpty() && static_cast<int>(id) != number_ && !Matches(id, display)) return;
        entries_.push_back({id, std::move(display)});
    }

    std::vector<CommandEntry> Take() {
        std::sort(entries_.begin(), entries_.end(), CommandEntryLess);
        return std::move(entries_);
    }

private:
    bool Matches(UINT id, const CString& display) const {
        if (tags_) {
            const auto found = tags_->find(id);
            if (found != tags_->end() && found->second.view().find(filter_.view()) != std::wstring_view::npos) return true;
        }
        return Korvo::GetSearchableEquivalent(display).view().find(filter_.view()) != std::wstring_view::npos;
    }

    CString filter_;
    int number_;
    std::size_t profiles_;
    const CommandTagMap* tags_;
    std::vector<CommandEntry> entries_;
};

// An add-on application's command: its prompt and caption from the UI module.
CString AddOnText(UINT id) {
    const auto strings = UIModuleProxy::Instance().GetCommandStrings(id);
    if (!strings || strings->empty()) return CString();
    const CString prompt = (*strings)[0];
    const CString caption = strings->size() > 1 ? (*strings)[1] : CString();
    if (!prompt.IsEmpty() && prompt != caption) return prompt + L"\n" + caption;
    return caption;
}

// Appends the UTF-16 code units of `c`.
void AppendUtf16(std::u16string& units, wchar_t c) {
    const auto point = static_cast<std::uint32_t>(c);
    if (point < 0x10000) {
        units.push_back(static_cast<char16_t>(point));
        return;
    }
    units.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
}

// Captions compare by UTF-16 code units, as the list sorts on every platform.
int CompareUtf16(std::wstring_view a, std::wstring_view b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    if (i == a.size() || i == b.size()) return a.size() == b.size() ? 0 : (i == a.size() ? -1 : 1);
    std::u16string left, right;
    AppendUtf16(left, a[i]);
    AppendUtf16(right, b[i]);
    return left < right ? -1 : 1;
}

}  // namespace

std::wstring_view CommandCaption(const CString& text) {
    const std::wstring_view whole = text.view();
    const std::size_t lineBreak = whole.find(L'\n');
    return lineBreak == std::wstring_view::npos ? whole : whole.substr(lineBreak + 1);
}

std::wstring_view CommandDescription(const CString& text) {
    const std::wstring_view whole = text.view();
    const std::size_t lineBreak = whole.find(L'\n');
    return lineBreak == std::wstring_view::npos ? std::wstring_view() : whole.substr(0, lineBreak);
}

bool CommandEntryLess(const CommandEntry& a, const CommandEntry& b) {
    const std::wstring_view left = CommandCaption(a.text), right = CommandCaption(b.text);
    if (left.empty() != right.empty()) return right.empty();
    if (const int order = CompareUtf16(left, right); order != 0) return order < 0;
    return a.id < b.id;
}

std::vector<CommandEntry> BuildCommandList(const CString& filter) {
    ListBuilder builder(filter);
    const std::vector<GlobalContainer::RegisteredCommand> registered = GlobalContainer::GetRegisteredCommands();
    for (const auto& command : registered) builder.Add(command.id, command.text);
    auto listed = registered.begin();
    for (const UINT id : KVCommandContainer::Instance().RegisteredIds(kFirstAddOnCommand, kLastAddOnCommand)) {
        while (listed != registered.end() && listed->id < id) ++listed;
        if (listed != registered.end() && listed->id == id) continue;
        builder.Add(id, AddOnText(id));
    }
    return builder.Take();
}
