// The ribbon's own right-click menus: for a control (quick access, tool bars, style, customise,
// hide, remove), for a tab's groups, and for a group (customise, reset).
#include "commandbars/command_bars.h"
#include "commandbars/gallery/library_gallery.h"
#include "commandbars/menu_text.h"
#include "commandbars/kv_ribbon_bar.h"

#include <algorithm>
#include <limits>

int NextGalleryWidth(int value, int increment, int direction) {
    const long long next = static_cast<long long>(value) + static_cast<long long>(increment) * direction;
    return static_cast<int>(std::clamp<long long>(next, 1, std::numeric_limits<int>::max()));
}

int ParseGalleryWidth(const CString& text) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty() || trimmed.GetLength() > 9) return 0;
    int value = 0;
    for (int i = 0; i < trimmed.GetLength(); ++i) {
        const wchar_t c = trimmed[i];
        if (c < L'0' || c > L'9') return 0;
        value = value * 10 + (c - L'0');
    }
    return value;
}

namespace {

// A menu item that keeps a counted reference to what it acts on.
template <class Target>
class TargetButton : public CXTPControlButton {
public:
    explicit TargetButton(Target* target) : target_(target) {
        if (target_) target_->InternalAddRef();
        SetFlags(GetFlags() | xtpFlagManualUpdate);
    }
    ~TargetButton() override {
        if (target_) target_->InternalRelease();
    }

protected:
    Target* target_;
};

class AddControlToToolBarButton : public TargetButton<CXTPControl> {
public:
    AddControlToToolBarButton(CXTPControl* control, CXTPToolBar* bar) : TargetButton(control), bar_(bar) {
        bar_->InternalAddRef();
        SetCaption(bar->GetTitle());
    }
    ~AddControlToToolBarButton() override { bar_->InternalRelease(); }
    void OnExecute() override {
        CXTPControl* copy = bar_->GetControls()->AddClone(target_);
        copy->SetBeginGroup(FALSE);
        copy->SetVisible(TRUE);
        copy->SetFlags(copy->GetFlags() & ~xtpFlagNoMovable);
        const bool popupLike = copy->GetType() == xtpControlPopup || copy->GetType() == xtpControlButtonPopup ||
                               copy->GetType() == xtpControlSplitButtonPopup || copy->GetType() == xtpControlGallery;
        copy->SetStyle(popupLike ? xtpButtonIcon : xtpButtonAutomatic);
    }

private:
    CXTPToolBar* bar_;
};

class ControlStyleButton : public TargetButton<CXTPControl> {
public:
    ControlStyleButton(CXTPControl* control, XTPButtonStyle style, const wchar_t* key)
        : TargetButton(control), style_(style) {
        SetCaption(Korvo::I18n::Translate(key));
        SetChecked(control->GetStyle() == style);
    }
    void OnExecute() override {
        target_->SetStyle(style_);
        if (CXTPCommandBar* bar = target_->GetParent(); bar && bar->GetCommandBars()) bar->GetCommandBars()->RecalcFrameLayout();
    }

private:
    XTPButtonStyle style_;
};

class CustomizeButton : public CXTPControlButton {
public:
    CustomizeButton(KVRibbonBar* ribbon, CXTPControl* control, CXTPRibbonGroup* group, CXTPRibbonTab* tab,
                    const wchar_t* key)
        : ribbon_(ribbon), control_(control), group_(group), tab_(tab) {
        for (CCmdTarget* held : {static_cast<CCmdTarget*>(control_), static_cast<CCmdTarget*>(group_),
                                 static_cast<CCmdTarget*>(tab_)})
            if (held) held->InternalAddRef();
        SetFlags(GetFlags() | xtpFlagManualUpdate);
        SetCaption(Korvo::I18n::Translate(key));
    }
    ~CustomizeButton() override {
        for (CCmdTarget* held : {static_cast<CCmdTarget*>(control_), static_cast<CCmdTarget*>(group_),
                                 static_cast<CCmdTarget*>(tab_)})
            if (held) held->InternalRelease();
    }
    void OnExecute() override {
        if (const auto& customize = ribbon_->GetMenuActions().customize) customize(control_, group_, tab_);
    }

private:
    KVRibbonBar* ribbon_;
    CXTPControl* control_;
    CXTPRibbonGroup* group_;
    CXTPRibbonTab* tab_;
};

class HideControlButton : public TargetButton<CXTPControl> {
public:
    explicit HideControlButton(CXTPControl* control) : TargetButton(control) {
        SetCaption(Korvo::I18n::Translate(L"panels.ribbon.hide_control"));
        SetChecked(Korvo::UI::IsOptionalControl(control));
    }
    void OnExecute() override { Korvo::UI::MakeControlOptional(target_, !GetChecked(), false); }
};

class RemoveControlButton : public TargetButton<CXTPControl> {
public:
    explicit RemoveControlButton(CXTPControl* control) : TargetButton(control) {
        SetCaption(Korvo::I18n::Translate(L"panels.ribbon.remove_control"));
    }
    void OnExecute() override {
        if (CXTPControls* parent = target_->GetControls()) parent->Remove(target_);
    }
};

class ResetGroupButton : public TargetButton<Korvo::UI::RibbonGroup> {
public:
    ResetGroupButton(KVRibbonBar* ribbon, Korvo::UI::RibbonGroup* group) : TargetButton(group), ribbon_(ribbon) {
        SetCaption(Korvo::I18n::Translate(L"panels.ribbon.reset_group"));
    }
    void OnExecute() override {
        if (const auto& reset = ribbon_->GetMenuActions().resetGroup) reset(target_);
    }

private:
    KVRibbonBar* ribbon_;
};

class ResetTabButton : public TargetButton<Korvo::UI::RibbonTab> {
public:
    ResetTabButton(KVRibbonBar* ribbon, Korvo::UI::RibbonTab* tab) : TargetButton(tab), ribbon_(ribbon) {
        SetCaption(Korvo::I18n::Translate(L"panels.ribbon.reset_tab"));
    }
    void OnExecute() override {
        if (const auto& reset = ribbon_->GetMenuActions().resetTab) reset(target_);
    }

private:
    KVRibbonBar* ribbon_;
};

class RibbonGroupButton : public TargetButton<Korvo::UI::RibbonGroup> {
public:
    explicit RibbonGroupButton(Korvo::UI::RibbonGroup* group) : TargetButton(group) {
        CString caption = group->GetCaption();
        for (int c = 0; caption.IsEmpty() && c < group->GetCount(); ++c) caption = group->GetAt(c)->GetCaption();
        SetCaption(caption);
        SetChecked(!group->IsDisabledByUser());
    }
    void OnExecute() override { target_->SetDisabledByUser(!target_->IsDisabledByUser()); }
};

class LibraryGalleryWidthEditBox;

// Automatic width of a library gallery; the width box beside it is its other choice.
class LibraryGalleryAutoWidthButton : public TargetButton<Korvo::UI::LibraryGallery> {
public:
    explicit LibraryGalleryAutoWidthButton(Korvo::UI::LibraryGallery* gallery) : TargetButton(gallery) {
        SetCaption(Korvo::I18n::Translate(L"panels.ribbon.gallery_width.auto"));
        SetChecked(gallery->GetItemsPerRow() < 0);
    }
    void SetWidthBox(LibraryGalleryWidthEditBox* box) { box_ = box; }
    void OnExecute() override;

private:
    LibraryGalleryWidthEditBox* box_ = nullptr;  // a sibling in the same menu
};

// A fixed number of columns for a library gallery, with spin buttons.
class LibraryGalleryWidthEditBox : public CXTPControlEdit {
public:
    LibraryGalleryWidthEditBox(Korvo::UI::LibraryGallery* gallery, LibraryGalleryAutoWidthButton* automatic)
        : gallery_(gallery), automatic_(automatic) {
        gallery_->InternalAddRef();
        SetFlags(GetFlags() | xtpFlagManualUpdate);
        ShowSpinButtons(TRUE);
        SetFixed(gallery->GetItemsPerRow() > 0);
    }
    ~LibraryGalleryWidthEditBox() override { gallery_->InternalRelease(); }

    // The box's check follows the width setting; either way it shows the columns shown now.
    void SetFixed(bool fixed) {
        SetChecked(fixed);
        CString text;
        text.Format(L"%d", gallery_->GetColumnCount());
        SetEditText(text);
    }
    void NotifySpinChanged(int increment, int direction) override {
        apply(NextGalleryWidth(currentValue(), increment, direction));
    }
    // Clicked outside the spin buttons, or activated from the keyboard.
    void OnExecute() override { apply(currentValue()); }

private:
    int currentValue() const {
        const int value = ParseGalleryWidth(GetEditText());
        return value > 0 ? value : gallery_->GetColumnCount();
    }
    void apply(int columns) {
        gallery_->SetItemsPerRow(columns, true);
        SetFixed(true);
        automatic_->SetChecked(FALSE);
    }

    Korvo::UI::LibraryGallery* gallery_;
    LibraryGalleryAutoWidthButton* automatic_;  // a sibling in the same menu
};

void LibraryGalleryAutoWidthButton::OnExecute() {
    target_->SetItemsPerRow(-1, true);
    SetChecked(TRUE);
    if (box_) box_->SetFixed(false);
}

// The gallery-width sub-menu of a library gallery (the caller takes the reference).
CXTPPopupBar* createGalleryWidthMenu(CXTPCommandBars* bars, Korvo::UI::LibraryGallery* gallery) {
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
    auto* automatic = new LibraryGalleryAutoWidthButton(gallery);
    menu->GetControls()->Add(automatic, 0);
    auto* box = new LibraryGalleryWidthEditBox(gallery, automatic);
    menu->GetControls()->Add(box, 0);
    automatic->SetWidthBox(box);
    return menu;
}

bool isCommandType(XTPControlType type) {
    return type == xtpControlButton || type == xtpControlPopup || type == xtpControlButtonPopup ||
           type == xtpControlSplitButtonPopup;
}

// A sub-menu item captioned `caption` holding `bar` (the item takes the caller's reference).
CXTPControl* addSubMenu(CXTPPopupBar* menu, const CString& caption, CXTPPopupBar* bar) {
    CXTPControl* item = menu->GetControls()->Add(xtpControlPopup, 0);
    item->SetCaption(caption);
    item->SetFlags(item->GetFlags() | xtpFlagManualUpdate);
    item->SetCommandBar(bar);
    bar->InternalRelease();
    return item;
}

}  // namespace

CXTPPopupBar* KVRibbonBar::CreateGroupsMenu(CXTPRibbonTab* tab) {
    if (!tab) return nullptr;
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    for (int g = 0; g < tab->GetGroupCount(); ++g)
        if (auto* group = dynamic_cast<Korvo::UI::RibbonGroup*>(tab->GetGroup(g)); group && group->CanBeSwitchedOff())
            menu->GetControls()->Add(new RibbonGroupButton(group), group->GetID());
    if (menu->GetControls()->GetCount() == 0) {
        menu->InternalRelease();
        return nullptr;
    }
    return menu;
}

CXTPPopupBar* KVRibbonBar::CreateContextMenu(CXTPControl* control) {
    if (control && control->GetControls() == GetQuickAccessControls()) return CXTPRibbonBar::CreateContextMenu(control);
    CXTPCommandBars* bars = GetCommandBars();
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
    CXTPControls* items = menu->GetControls();
    const bool inBar = control && control->GetParent() && !dynamic_cast<CXTPRibbonControlTab*>(control);
    if (inBar) {
        const int id = control->GetID();
        if (isCommandType(control->GetType()) && (id < 904 || id > 999)) {
            CXTPPopupBar* quick = CXTPRibbonBar::CreateContextMenu(control);
            // The toolkit's add-to-quick-access item, under the program's caption.
            if (CXTPControl* add = quick->GetControls()->FindControl(9606)) {
                CXTPControl* item = items->AddClone(add);
                item->SetCaption(Korvo::I18n::Translate(L"panels.ribbon.add_to_quick_access"));
            }
            quick->InternalRelease();
            CXTPPopupBar* toBars = CXTPPopupBar::CreatePopupBar(bars);
            const auto* kvBars = dynamic_cast<const CKVCommandBars*>(bars);
            for (int b = 0; bars && b < bars->GetCount(); ++b) {
                CXTPToolBar* bar = bars->GetAt(b);
                if (!bar->IsCustomizable() || bar->GetType() == xtpBarTypeMenuBar || bar == this) continue;
                if (kvBars && !kvBars->IsListableToolBar(bar)) continue;
                toBars->GetControls()->Add(new AddControlToToolBarButton(control, bar), 0);
            }
            if (toBars->GetControls()->GetCount() > 0)
                addSubMenu(menu, Korvo::I18n::Translate(L"panels.ribbon.add_to_toolbar"), toBars);
            else
                toBars->InternalRelease();
        }
        if (isCommandType(control->GetType()) || control->GetType() == xtpControlGallery) {
            CXTPPopupBar* styles = CXTPPopupBar::CreatePopupBar(bars);
            static constexpr std::pair<XTPButtonStyle, const wchar_t*> kStyles[] = {
                {xtpButtonAutomatic, L"panels.ribbon.control_style.automatic"},
                {xtpButtonIconAndCaptionBelow, L"panels.ribbon.control_style.icon_and_caption_below"},
                {xtpButtonIconAndCaption, L"panels.ribbon.control_style.icon_and_caption"},
                {xtpButtonIcon, L"panels.ribbon.control_style.icon"},
                {xtpButtonCaption, L"panels.ribbon.control_style.caption"},
            };
            for (const auto& [style, key] : kStyles) styles->GetControls()->Add(new ControlStyleButton(control, style, key), 0);
            addSubMenu(menu, Korvo::I18n::Translate(L"panels.ribbon.control_style"), styles);
        }
        if (auto* gallery = dynamic_cast<Korvo::UI::LibraryGallery*>(control))
            addSubMenu(menu, Korvo::I18n::Translate(L"panels.ribbon.gallery_width"), createGalleryWidthMenu(bars, gallery));
        items->Add(new CustomizeButton(this, control, nullptr, nullptr, L"panels.ribbon.customize.control"), 0);
        if (Korvo::UI::CanBeOptional(control)) items->Add(new HideControlButton(control), 0);
        items->Add(new RemoveControlButton(control), 0);
    }
    if (CXTPRibbonTab* tab = GetCurrentTab()) {
        if (CXTPPopupBar* groups = CreateGroupsMenu(tab)) {
            CString caption;
            caption.Format(Korvo::I18n::Translate(L"panels.ribbon.tab_groups"),
                           static_cast<LPCWSTR>(withoutMnemonics(tab->GetCaption())));
            addSubMenu(menu, caption, groups)->SetBeginGroup(items->GetCount() > 1);
        }
        items->Add(new CustomizeButton(this, nullptr, nullptr, tab, L"panels.ribbon.customize.tab"), 0);
    }
    return menu;
}

LRESULT KVRibbonBar::OnRButtonUpMessage(WPARAM, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const XTPRibbonHitTest hit = HitTest(point);
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars) return 0;
    CWnd* site = GetSite();
    if (hit.code == xtpRibbonHitCaption || hit.code == xtpRibbonHitCaptionButton) {
        bars->ClosePopups();
        if (site && site->GetSafeHwnd()) site->SendMessage(WM_POPUPSYSTEMMENU, 0, lParam);
        return 0;
    }
    if (bars->IsCustomizeMode()) return 0;
    CXTPPopupBar* menu = nullptr;
    switch (hit.code) {
        case xtpRibbonHitGroup: {
            menu = CreateContextMenu(hit.control);
            auto* group = dynamic_cast<Korvo::UI::RibbonGroup*>(hit.group);
            if (group) group->GetContextMenu(menu);
            menu->GetControls()->Add(new CustomizeButton(this, nullptr, hit.group, nullptr, L"panels.ribbon.customize.group"), 0);
            const bool resetGroup = group && group->HasDefaultDefinition();
            if (resetGroup) menu->GetControls()->Add(new ResetGroupButton(this, group), 0)->SetBeginGroup(TRUE);
            auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(hit.tab);
            if (tab && tab->HasDefaultDefinition())
                menu->GetControls()->Add(new ResetTabButton(this, tab), 0)->SetBeginGroup(!resetGroup);
            break;
        }
        case xtpRibbonHitControl:
            if (site && site->GetSafeHwnd()) site->SendMessage(10329, 0, reinterpret_cast<LPARAM>(hit.control));
            if (!hit.control) break;
            // The control's own handler may take it out of the ribbon; its menu still names it.
            hit.control->InternalAddRef();
            hit.control->OnRButtonUp(point);
            menu = CXTPRibbonBar::CreateContextMenu(hit.control);
            hit.control->InternalRelease();
            break;
        case xtpRibbonHitTabRow: menu = CXTPRibbonBar::CreateContextMenu(GetControlTab()); break;
        case xtpRibbonHitGroupsArea: menu = CreateGroupsMenu(GetCurrentTab()); break;
        default: return 0;
    }
    if (!menu) return 0;
    bool anyVisible = false;
    for (int i = 0; i < menu->GetControls()->GetCount(); ++i) anyVisible |= menu->GetControls()->GetAt(i)->IsVisible() != FALSE;
    if (anyVisible) bars->TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y);
    menu->InternalRelease();
    return 0;
}
