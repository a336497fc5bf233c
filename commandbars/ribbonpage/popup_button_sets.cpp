#include "commandbars/ribbonpage/popup_button_sets.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/kernel.h"
#include "platform/textcore.h"

namespace ribbon_page {

namespace {

// The object types and subtypes (-1: any) a set may be made for, in the order offered.
constexpr std::array<std::pair<UINT, int>, 73> kObjectPairs{{
    {0, -1},   {1, -1},   {1, 0},    {1, 1},    {1, 2},    {1, 3},    {1, 5},   {1, 6},   {1, 7},   {2, -1},   {3, -1},
    {3, 0},    {3, 1},    {3, 2},    {3, 3},    {3, 4},    {3, 5},    {3, 6},   {4, -1},  {5, -1},  {9, -1},   {11, -1},
    {13, -1},  {14, -1},  {15, -1},  {21, -1},  {22, -1},  {23, -1},  {24, -1}, {24, 0},  {24, 1},  {24, 2},   {24, 3},
    {24, 4},   {24, 5},   {25, -1},  {25, 0},   {25, 1},   {25, 2},   {25, 3},  {25, 4},  {25, 5},  {27, -1},  {28, -1},
    {29, -1},  {53, -1},  {57, -1},  {63, -1},  {65, -1},  {70, -1},  {74, -1}, {74, 1},  {74, 2},  {77, -1},  {77, 0},
    {77, 1},   {77, 2},   {107, -1}, {108, -1}, {108, 0},  {108, 1},  {114, -1}, {117, -1}, {119, -1}, {126, -1}, {143, -1},
    {177, -1}, {178, -1}, {179, -1}, {214, -1}, {223, -1}, {225, -1}, {701, -1},
}};

constexpr UINT kFirstViewType = 1, kLastViewType = 5;

// The numbered string of a command, if the tables hold one: its caption part, marks removed.
CString numberedCaption(UINT id) {
    CString text;
    if (!text.LoadString(id)) return {};
    const std::wstring all(GetStrWithoutCommandLetters(text).GetString());
    const std::size_t newline = all.find(L'\n');
    return CString((newline == std::wstring::npos ? all : all.substr(newline + 1)).c_str());
}

}  // namespace

CString ButtonSetCaption(const SetKey& key) {
    switch (key.viewType) {
        case 0: break;
        case 1: return KVLoadString(43362);
        case 2: return KVLoadString(43359);
        case 3: return KVLoadString(43358);
        case 4: return Korvo::I18n::Translate(L"panels.dynamic_toolbar.view_types.cam");
        case 5: return Korvo::I18n::Translate(L"panels.dynamic_toolbar.view_types.fea");
        default: return {};
    }
    std::wstring name = L"panels.dynamic_toolbar.objects.";
    name += key.objectType == 0 ? std::wstring(L"any") : std::to_wstring(key.objectType);
    if (key.objectSubtype >= 0) name += L"_" + std::to_wstring(key.objectSubtype);
    CString caption = Korvo::I18n::Translate(name.c_str());
    if (key.flags & kSeveralObjectsFlag) caption += L" (" + Korvo::I18n::Translate(L"panels.dynamic_toolbar.objects.multiple") + L")";
    return caption;
}

CString ButtonCaption(UINT id, const std::function<CString(UINT)>& popupCaption) {
    if (const auto strings = UIModuleProxy::Instance().GetCommandStrings(id); strings && strings->size() > 1 && !(*strings)[1].IsEmpty())
        return (*strings)[1];
    CString caption = numberedCaption(id);
    if (caption.IsEmpty() && popupCaption) caption = popupCaption(id);
    return caption;
}

std::vector<SetCandidate> ButtonSetCandidates() {
    std::vector<SetCandidate> candidates;
    auto offer = [&](const SetKey& key) {
        CString caption = ButtonSetCaption(key);
        if (!caption.IsEmpty()) candidates.push_back(SetCandidate{key, caption});
    };
    for (UINT view = kFirstViewType; view <= kLastViewType; ++view) offer(SetKey{view, 0, -1, 0});
    for (const auto& [type, subtype] : kObjectPairs) {
        offer(SetKey{0, type, subtype, kAddBaseFlag});
        offer(SetKey{0, type, subtype, kAddBaseFlag | kSeveralObjectsFlag});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const SetCandidate& a, const SetCandidate& b) { return std::wstring_view(a.caption) < std::wstring_view(b.caption); });
    return candidates;
}

void MainFrameTreeBuilder::Build(CXTPCoreTreeControl& tree) const {
    std::vector<std::pair<CString, Korvo::UI::PopupToolBar::ButtonSet>> sets;
    Korvo::UI::PopupToolBarEditor::instance().ForEachSet(
        [&](const Korvo::UI::PopupToolBar::ButtonSet& set) { sets.emplace_back(ButtonSetCaption(set.key), set); });
    std::stable_sort(sets.begin(), sets.end(), [](const auto& a, const auto& b) { return std::wstring_view(a.first) < std::wstring_view(b.first); });
    for (const auto& [caption, set] : sets) {
        auto item = std::make_unique<PopupToolBarButtonSetItem>(set.key);
        item->SetCaption(caption);
        item->SetExpanded(true);
        CXTPCoreTreeItem* added = tree.AddItem(std::move(item));
        for (const Korvo::UI::PopupToolBar::Button& button : set.buttons) {
            auto child = std::make_unique<PopupToolBarButtonItem>(button.id, button.flag);
            child->SetCaption(ButtonCaption(button.id, popupCaption));
            tree.AddItem(std::move(child), added);
        }
    }
}

PopupToolBarButtonSetDialog::PopupToolBarButtonSetDialog(CWnd* parent, AddSelect addSelect)
    : parent_(parent), addSelect_(std::move(addSelect)) {}

std::optional<SetCandidate> PopupToolBarButtonSetDialog::Run() {
    const std::vector<SetCandidate> candidates = ButtonSetCandidates();
    auto form = kvpf::MakeRef<kvpf::WpfDockFormView>(CString(L"DynamicToolBarButtonSetDialog"), false);
    kvpf::BaseControl* added = addSelect_ ? addSelect_(*form, nullptr) : form->Add(kvpf::SelectControl::Create(nullptr));
    auto* select = dynamic_cast<kvpf::SelectControl*>(added);
    if (!select) return std::nullopt;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        select->AddItem(kvpf::SelectControl::Item{static_cast<int>(i), candidates[i].caption, kvpf::Image(), true});
    select->SuppressUserEvents(true);
    if (!candidates.empty()) select->SetSelectedIndex(0);
    select->SuppressUserEvents(false);
    form->FinishUiSetup();
    if (kvpf::ModalDialog::RunForm(parent_, L"DynamicToolBarButtonSetDialog", *form) != IDOK) return std::nullopt;
    const auto chosen = select->GetSelectedCustomId();
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(candidates.size())) return std::nullopt;
    return candidates[static_cast<std::size_t>(*chosen)];
}

}  // namespace ribbon_page
