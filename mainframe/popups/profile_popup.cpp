#include "mainframe/popups/profile_popup.h"

#include <vector>

#include "platform/textcore.h"

namespace {

std::vector<COLORREF> KernelColours() {
    std::vector<COLORREF> colours;
    if (const CColorTable* table = GetColorTable())
        for (UINT index = 0; index < table->GetCount(); ++index) colours.push_back(table->GetColor(index).value_or(0));
    return colours;
}

CKvw32Doc* ActiveViewDocument() {
    CKVView* view = KVGetActiveView();
    return view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr;
}

}  // namespace

ProfileButton::ProfileButton(const CString& caption, UINT colourIndex)
    : m_colourIndex(colourIndex), m_icons(colourIndex, KernelColours()) {
    SetCaption(caption);
    SetFlags(GetFlags() | xtpFlagManualUpdate);
    SetStyle(xtpButtonCaption);
    if (colourIndex != ProfileIconCache::kNoColour) SetIconId(kOwnImageIconId);
}

ProfileButton::~ProfileButton() {
    for (auto& [width, icon] : m_toolkitIcons) icon->InternalRelease();
}

CXTPImageManagerIcon* ProfileButton::GetImage(int width) {
    if (auto it = m_toolkitIcons.find(width); it != m_toolkitIcons.end()) return it->second;
    const ProfileIconImage* picture = GetPicture(width);
    if (!picture) return nullptr;
    auto* icon = new CXTPImageManagerIcon(static_cast<UINT>(kOwnImageIconId), picture->size, picture->size, picture->pixels);
    m_toolkitIcons.emplace(width, icon);
    return icon;
}

void ProfileButton::OnExecute() {
    CXTPControlButton::OnExecute();
    if (CKvw32Doc* document = ActiveViewDocument()) KV3DProfiles::ApplyProfile(document, GetCaption());
}

IMPLEMENT_DYNCREATE(ProfilePopup, CXTPControlPopup)

ProfilePopup::ProfilePopup() : m_emptyLabel(new CXTPControlLabel) {
    SetID(static_cast<int>(kCommand));
    SetFlags(GetFlags() | xtpFlagManualUpdate);
    m_emptyLabel->SetCaption(Korvo::I18n::Translate(L"profile_popup.empty"));
}

ProfilePopup::~ProfilePopup() { m_emptyLabel->InternalRelease(); }

void ProfilePopup::Build(CXTPCommandBars* bars) {
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    SetCommandBar(popup);
    popup->InternalRelease();
}

void ProfilePopup::OnSetPopup(BOOL popup) {
    CXTPCommandBar* bar = GetCommandBar();
    CXTPCommandBar* holder = GetParent();
    const bool customizing = holder && holder->GetCommandBars() && holder->GetCommandBars()->IsCustomizeMode();
    if (popup && bar && !customizing) {
        CXTPControls* controls = bar->GetControls();
        controls->RemoveAll();
        std::vector<CString> names;
        std::vector<UINT> colours;
        CKvw32Doc* document = ActiveViewDocument();
        if (document && KV3DProfiles::GetProfiles(document, names, colours)) {
            for (std::size_t index = 0; index < names.size() && index < colours.size(); ++index)
                controls->Add(new ProfileButton(names[index], colours[index]), static_cast<int>(kCommand));
        }
        if (controls->GetCount() == 0) {
            m_emptyLabel->InternalAddRef();
            controls->Add(m_emptyLabel, 0);
        }
    }
    CXTPControlPopup::OnSetPopup(popup);
}
