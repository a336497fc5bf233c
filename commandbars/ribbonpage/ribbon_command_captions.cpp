#include "commandbars/ribbonpage/ribbon_command_captions.h"

#include <algorithm>

#include "commandbars/menu_text.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "platform/textcore.h"

namespace ribbon_page {

namespace {

bool keyLess(const CaptionEntry& a, const CaptionEntry& b) {
    return std::wstring_view(a.key.GetString()) < std::wstring_view(b.key.GetString());
}

// Adds the control and everything beneath it.
void collectBeneath(const CXTPControl* control, std::unordered_set<const CXTPControl*>& found) {
    if (!found.insert(control).second || !HasCustomizableCommandBar(control)) return;
    const CXTPControls* items = control->GetCommandBar()->GetControls();
    for (int i = 0; i < items->GetCount(); ++i) collectBeneath(items->GetAt(i), found);
}

void collect(const CXTPControl* control, const CString& searchable, const CString& search,
             std::vector<const CXTPControl*>& path, std::unordered_set<const CXTPControl*>& found) {
    if (searchable.Find(search) >= 0) {
        collectBeneath(control, found);
        found.insert(path.begin(), path.end());
        return;
    }
    if (!HasCustomizableCommandBar(control)) return;
    path.push_back(control);
    const CXTPControls* items = control->GetCommandBar()->GetControls();
    for (int i = 0; i < items->GetCount(); ++i) {
        const CXTPControl* item = items->GetAt(i);
        collect(item, Korvo::GetSearchableEquivalent(withoutMnemonics(item->GetCaption())), search, path, found);
    }
    path.pop_back();
}

}  // namespace

CaptionMap::~CaptionMap() {
    for (const CaptionEntry& entry : entries_) entry.control->InternalRelease();
}

CaptionMap& CaptionMap::operator=(CaptionMap&& other) noexcept {
    if (this != &other) {
        for (const CaptionEntry& entry : entries_) entry.control->InternalRelease();
        entries_ = std::move(other.entries_);
        other.entries_.clear();
    }
    return *this;
}

void CaptionMap::Add(const CString& key, CXTPControl* control) {
    if (!control) return;
    entries_.push_back(CaptionEntry{key, Korvo::GetSearchableEquivalent(key), control});
}

void CaptionMap::Sort() { std::stable_sort(entries_.begin(), entries_.end(), keyLess); }

CaptionMap CaptionMap::Union(const CaptionMap& first, const CaptionMap& second) {
    CaptionMap all;
    all.entries_.reserve(first.entries_.size() + second.entries_.size());
    std::merge(first.entries_.begin(), first.entries_.end(), second.entries_.begin(), second.entries_.end(),
               std::back_inserter(all.entries_), keyLess);
    for (const CaptionEntry& entry : all.entries_) entry.control->InternalAddRef();
    return all;
}

CaptionMap BuildSystemCaptions(const std::vector<CommandText>& commands, const std::function<CXTPControl*(UINT id)>& create) {
    CaptionMap map;
    for (const CommandText& command : commands) {
        if (IsServiceCommand(command.id) || !create) continue;
        CXTPControl* control = create(command.id);
        if (!control) continue;
        if (control->GetCaption().IsEmpty()) {
            const std::wstring text(command.text.GetString());
            const std::size_t newline = text.find(L'\n');
            control->SetCaption(newline == std::wstring::npos ? text.c_str() : text.substr(newline + 1).c_str());
        }
        const CString key = withoutMnemonics(control->GetCaption());
        if (key.IsEmpty() || (control->GetHideFlags() & xtpHideGeneric)) {
            control->InternalRelease();
            continue;
        }
        map.Add(key, control);
    }
    map.Sort();
    return map;
}

CaptionMap BuildUserCaptions(const std::vector<CXTPControl*>& controls) {
    CaptionMap map;
    for (CXTPControl* control : controls) {
        if (!control) continue;
        if (control->GetCaption().IsEmpty()) {
            CString name;
            name.Format(L"#%d", control->GetID());
            control->SetCaption(name);
        }
        map.Add(withoutMnemonics(control->GetCaption()), control);
    }
    map.Sort();
    return map;
}

std::unordered_set<const CXTPControl*> CollectMatches(const std::vector<SearchRoot>& roots, const CString& search) {
    std::unordered_set<const CXTPControl*> found;
    std::vector<const CXTPControl*> path;
    for (const SearchRoot& root : roots) {
        if (!root.control) continue;
        const CString searchable =
            root.searchable ? *root.searchable : Korvo::GetSearchableEquivalent(withoutMnemonics(root.control->GetCaption()));
        collect(root.control, searchable, search, path, found);
    }
    return found;
}

}  // namespace ribbon_page
