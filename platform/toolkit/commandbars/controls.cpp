#include "platform/toolkit/commandbars/controls.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/toolkit/commandbars/commandbar.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/dpi.h"
#include "platform/toolkit/commandbars/edit_ctrl.h"
#include "platform/toolkit/commandbars/gallery.h"
#include "platform/toolkit/commandbars/images.h"

IMPLEMENT_DYNCREATE(CXTPControl, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPControlButton, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlPopup, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlLabel, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlCheckBox, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlEdit, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControlComboBox, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPControls, CCmdTarget)

// ---- CXTPControl -------------------------------------------------------------------------------

CXTPControl::~CXTPControl() {
    SetCommandBar(nullptr);
    SetAction(nullptr);
}

void CXTPControl::SetAction(CXTPControlAction* action) {
    if (action == action_) return;
    if (action) action->InternalAddRef();
    if (action_) action_->InternalRelease();
    action_ = action;
}

void CXTPControl::SetCaption(LPCWSTR caption) {
    // Compared in place: most captions set are the one the control has already.
    const std::wstring_view text = caption ? std::wstring_view(caption) : std::wstring_view();
    if (text == caption_.view()) return;
    caption_ = CString(text);
    OnCaptionChanged();
}

CXTPCommandBar* CXTPControl::GetParent() const { return parent_ ? parent_->GetParent() : nullptr; }

CXTPImageManagerIcon* CXTPControl::GetShownImage(int width) {
    if (GetIconId() == xtpIconIdOwnImage) return GetImage(width);
    const CXTPCommandBar* bar = GetParent();
    if (const auto* popup = dynamic_cast<const CXTPPopupBar*>(bar); popup && popup->GetImageManager())
        if (CXTPImageManagerIcon* own = popup->GetImageManager()->Lookup(static_cast<UINT>(GetIconId()), width))
            return own;
    const CXTPCommandBars* bars = bar ? bar->GetCommandBars() : nullptr;
    const CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    return images ? images->Lookup(static_cast<UINT>(GetIconId()), width) : nullptr;
}

void CXTPControl::SetCommandBar(CXTPCommandBar* bar) {
    if (bar == commandBar_) return;
    if (bar) bar->InternalAddRef();
    if (commandBar_) commandBar_->InternalRelease();
    commandBar_ = bar;
}

bool CXTPControl::KeepsPopupOpen() const {
    const CXTPCommandBar* bar = GetParent();
    return (flags_ & xtpFlagNoMovable) != 0 && bar && bar->GetType() == xtpBarTypePopup;
}

void CXTPControl::OnExecute() {
    if (!enabled_ || !IsVisible()) return;
    CXTPCommandBar* bar = GetParent();
    CWnd* site = bar ? bar->GetSite() : nullptr;
    if (!site || !site->GetSafeHwnd()) return;
    // The site may handle the control itself (parameter controls do); otherwise the command is
    // posted, as a menu closes before its command runs.
    InternalAddRef();
    NMXTPCONTROL notify{};
    notify.hdr.hwndFrom = bar->GetSafeHwnd();
    notify.hdr.idFrom = static_cast<UINT_PTR>(id_);
    notify.hdr.code = CBN_XTP_EXECUTE;
    notify.pControl = this;
    const LRESULT handled =
        site->SendMessage(XTPWM_CONTROLNOTIFY, CBN_XTP_EXECUTE, reinterpret_cast<LPARAM>(&notify));
    // A menu item that keeps its menu open runs at once: the menu is still there to show what
    // the command changed.
    if (!handled && KeepsPopupOpen()) site->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id_), 0), 0);
    else if (!handled) site->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id_), 0), 0);
    if (CXTPCommandBars* bars = bar->GetCommandBars()) bars->NotifyControlExecuted(this);
    InternalRelease();
}

namespace {

constexpr int kDefaultFieldWidth = 100;  // an edit or combo box without a width, at 96 dpi

// The button size of the control's bar, or the toolkit's default when it stands on none.
SIZE buttonSizeFor(const CXTPControl& control) {
    if (const CXTPCommandBar* bar = control.GetParent()) return bar->GetButtonSize();
    return CXTPCommandBar::DefaultButtonSize();
}

SIZE fieldSize(const CXTPControl& control, int width) {
    return {width > 0 ? width : XTPDpiHelper()->ScaleX(kDefaultFieldWidth), buttonSizeFor(control).cy};
}

}  // namespace

SIZE CXTPControl::GetSize(CDC*) {
    SIZE size = buttonSizeFor(*this);
    if (height_ > 0) size.cy = height_;
    return size;
}

SIZE CXTPControlEdit::GetSize(CDC*) { return fieldSize(*this, width_); }

SIZE CXTPControlComboBox::GetSize(CDC*) { return fieldSize(*this, width_); }

void CXTPControl::Copy(CXTPControl* source, BOOL recursive) {
    if (!source || source == this) return;
    type_ = source->type_;
    id_ = source->id_;
    caption_ = source->caption_;
    description_ = source->description_;
    tooltip_ = source->tooltip_;
    parameter_ = source->parameter_;
    category_ = source->category_;
    shortcutText_ = source->shortcutText_;
    keyboardTip_ = source->keyboardTip_;
    SetAction(source->action_);
    style_ = source->style_;
    flags_ = source->flags_;
    tag_ = source->tag_;
    iconId_ = source->iconId_;
    beginGroup_ = source->beginGroup_;
    hideFlags_ = source->hideFlags_;
    enabled_ = source->enabled_;
    checked_ = source->checked_;
    height_ = source->height_;
    iconSize_ = source->iconSize_;
    if (recursive && source->commandBar_) {
        // A popup's bar is shared with the source unless the caller rebuilds it.
        SetCommandBar(source->commandBar_);
    }
}

CXTPControl* CXTPControl::Clone(BOOL recursive) {
    CObject* object = GetRuntimeClass()->CreateObject();
    auto* clone = dynamic_cast<CXTPControl*>(object);
    if (!clone) {
        delete object;
        platform::core::reportFailure(L"CXTPControl::Clone: the control's class is not creatable");
        return nullptr;
    }
    clone->Copy(this, recursive);
    return clone;
}

CXTPControlEdit::CXTPControlEdit() : CXTPControl(xtpControlEdit) {}

CXTPControlEdit::~CXTPControlEdit() { destroyEditWindow(); }

CString CXTPControlEdit::GetEditText() const {
    if (CXTPControlEditCtrl* edit = GetEditCtrl()) {
        CString text;
        edit->GetWindowText(text);
        return text;
    }
    return text_;
}

void CXTPControlEdit::SetEditText(LPCWSTR text) {
    text_ = text ? text : L"";
    if (CXTPControlEditCtrl* edit = GetEditCtrl()) edit->SetTextQuietly(text_);
}

void CXTPControlEdit::SetReadOnly(BOOL readOnly) {
    readOnly_ = readOnly;
    if (CXTPControlEditCtrl* edit = GetEditCtrl()) edit->SetReadOnly(readOnly);
}

void CXTPControlEdit::SetEnabled(BOOL enabled) {
    CXTPControl::SetEnabled(enabled);
    if (CXTPControlEditCtrl* edit = GetEditCtrl()) edit->EnableWindow(enabled);
}

BOOL CXTPControlEdit::GetModify() const {
    CXTPControlEditCtrl* edit = GetEditCtrl();
    return edit ? edit->GetModify() : FALSE;
}

void CXTPControlEdit::SetModify(BOOL modified) {
    if (CXTPControlEditCtrl* edit = GetEditCtrl()) edit->SetModify(modified);
}

CXTPControlEditCtrl* CXTPControlEdit::GetEditCtrl() const {
    return edit_ && edit_->GetSafeHwnd() ? edit_.get() : nullptr;
}

BOOL CXTPControlEdit::IsShown() const {
    CXTPCommandBar* bar = GetParent();
    return bar && bar->IsControlShown(this);
}

std::unique_ptr<CXTPControlEditCtrl> CXTPControlEdit::CreateEditControl() {
    return std::make_unique<CXTPControlEditCtrl>();
}

BOOL CXTPControlEdit::ShowEditWindow(BOOL show) {
    if (!show) {
        destroyEditWindow();
        return FALSE;
    }
    CXTPCommandBar* bar = GetParent();
    if (CXTPControlEditCtrl* window = GetEditCtrl()) {
        if (!bar) return TRUE;
        // The bar's layout may have moved the control since.
        const RECT rect = editWindowRect(*bar);
        if (placed_.x != rect.left || placed_.y != rect.top) {
            window->MoveWindow(&rect, FALSE);
            placed_ = POINT{rect.left, rect.top};
        }
        return TRUE;
    }
    edit_.reset();  // a window its bar's window took with it
    if (!bar || !bar->GetSafeHwnd() || !IsShown()) return FALSE;
    std::unique_ptr<CXTPControlEditCtrl> edit = CreateEditControl();
    const RECT rect = editWindowRect(*bar);
    if (!edit || !edit->CreateEdit(this, bar, rect)) return FALSE;
    edit_ = std::move(edit);
    placed_ = POINT{rect.left, rect.top};
    return TRUE;
}

RECT CXTPControlEdit::editWindowRect(const CXTPCommandBar& bar) const {
    const int width = width_ > 0 ? width_ : 80;
    const int height = GetHeight() > 0 ? GetHeight() : 22;
    const RECT slot = bar.GetControlRect(this);
    return RECT{slot.left, slot.top, slot.left + width, slot.top + height};
}

void CXTPControlEdit::destroyEditWindow() {
    if (!edit_) return;
    // The text stays with the control; the window's other state goes with it.
    if (edit_->GetSafeHwnd()) edit_->GetWindowText(text_);
    edit_->ReleaseControl();
    focused_ = FALSE;
    edit_.reset();
}

void CXTPControlEdit::OnEditWindowChanged(const CString& text) {
    text_ = text;
    OnEditChanged();
}

void CXTPControlEdit::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControl::Copy(source, recursive);
    if (auto* edit = dynamic_cast<CXTPControlEdit*>(source)) {
        SetEditText(edit->GetEditText());
        width_ = edit->width_;
        readOnly_ = edit->readOnly_;
        editStyle_ = edit->editStyle_;
        spinButtons_ = edit->spinButtons_;
    }
}

BOOL CXTPControlEdit::OnEditKeyDown(UINT virtualKey, bool) {
    if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) return FALSE;
    if (!focused_) return TRUE;
    CXTPCommandBar* bar = GetParent();
    CWnd* site = bar ? bar->GetSite() : nullptr;
    if (site && site->GetSafeHwnd() && GetEditCtrl()) {
        site->SetFocus();
    } else {
        OnKillFocus();
    }
    return TRUE;
}

int CXTPControlComboBox::AddString(LPCWSTR text) {
    items_.emplace_back(text ? text : L"");
    return GetCount() - 1;
}

int CXTPControlComboBox::InsertString(int index, LPCWSTR text) {
    if (index < 0 || index > GetCount()) return AddString(text);
    items_.insert(items_.begin() + index, CString(text ? text : L""));
    if (selection_ >= index) ++selection_;
    return index;
}

void CXTPControlComboBox::ResetContent() {
    items_.clear();
    selection_ = -1;
}

BOOL CXTPControlComboBox::SetCurSel(int index) {
    if (index < -1 || index >= GetCount()) return FALSE;
    selection_ = index;
    text_ = index < 0 ? CString() : items_[static_cast<std::size_t>(index)];
    return TRUE;
}

CString CXTPControlComboBox::GetLBText(int index) const {
    if (index < 0 || index >= GetCount()) return {};
    return items_[static_cast<std::size_t>(index)];
}

void CXTPControlComboBox::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControl::Copy(source, recursive);
    if (auto* combo = dynamic_cast<CXTPControlComboBox*>(source)) {
        width_ = combo->width_;
        items_ = combo->items_;
        selection_ = combo->selection_;
        text_ = combo->text_;
        editable_ = combo->editable_;
    }
}

void CXTPControlComboBox::DropDownList() {
    if (!GetEnabled() || !IsVisible()) return;
    // The control stays while its list is open, whatever the picked entry's command does.
    InternalAddRef();
    if (editable_) OnSetFocus();
    platform::core::PopupMenuRequest request;
    CXTPCommandBar* parent = GetParent();
    CWnd* site = parent ? parent->GetSite() : nullptr;
    request.owner = site ? site->GetSafeHwnd() : nullptr;
    for (int i = 0; i < GetCount(); ++i) {
        platform::core::MenuItemInfo item;
        item.id = i + 1;
        item.caption = std::wstring(GetLBText(i));
        item.checked = i == selection_;
        request.items.push_back(item);
    }
    const int chosen = platform::core::userAgent().answerPopupMenu(request);
    if (chosen >= 0 && chosen < GetCount()) {
        selection_ = chosen;
        text_ = GetLBText(chosen);
        OnSelChanged();
    }
    InternalRelease();
}

void CXTPControlComboBox::TypeAndEnter(const CString& text) {
    if (!GetEnabled() || !IsVisible() || !editable_) return;
    InternalAddRef();
    if (!focused_) OnSetFocus();
    text_ = L"";
    for (const wchar_t c : std::wstring(text.GetString())) {
        text_ += c;
        OnEditChanged();
    }
    OnExecute();
    InternalRelease();
}

// ---- CXTPControls ------------------------------------------------------------------------------

namespace {

CXTPControl* newControlOfType(XTPControlType type) {
    switch (type) {
        case xtpControlPopup:
        case xtpControlButtonPopup:
        case xtpControlSplitButtonPopup: {
            auto* popup = new CXTPControlPopup;
            popup->SetType(type);
            return popup;
        }
        case xtpControlEdit: return new CXTPControlEdit;
        case xtpControlComboBox: return new CXTPControlComboBox;
        case xtpControlLabel: return new CXTPControlLabel;
        case xtpControlCheckBox: return new CXTPControlCheckBox;
        case xtpControlGallery: return new CXTPControlGallery;
        case xtpControlButton: return new CXTPControlButton;
        default: return new CXTPControl(type);
    }
}

}  // namespace

CXTPControls::~CXTPControls() { RemoveAll(); }

namespace {

// A control without texts takes them from the string resource of its id, "description\ntooltip":
// the tooltip is also its caption.
void loadTexts(CXTPControl& control) {
    if (control.GetID() <= 0 || !control.GetCaption().IsEmpty() || !control.GetTooltip().IsEmpty() ||
        !control.GetDescription().IsEmpty())
        return;
    CString resource;
    if (!resource.LoadString(static_cast<UINT>(control.GetID()))) return;
    const std::wstring_view text(resource.GetString());
    const std::size_t newline = text.find(L'\n');
    if (newline == std::wstring_view::npos) return;
    const CString tooltip(text.substr(newline + 1, text.find(L'\n', newline + 1) - newline - 1));
    control.SetDescription(CString(text.substr(0, newline)));
    control.SetTooltip(tooltip);
    control.SetCaption(tooltip);
}

}  // namespace

CXTPControl* CXTPControls::insert(CXTPControl* control, int id, LPCWSTR parameter, int before) {
    // A control is in one list once: it leaves the list it is in (this one too) with that list's
    // reference, and the caller's reference goes with it to its new place.
    if (control->parent_) control->parent_->Remove(control);
    control->SetID(id);
    loadTexts(*control);
    if (parameter) control->SetParameter(parameter);
    control->parent_ = this;
    const auto position = before < 0 || before >= GetCount() ? controls_.end() : controls_.begin() + before;
    controls_.insert(position, control);
    if (dynamic_cast<CXTPControlEdit*>(control)) ++edits_;
    OnControlAdded(control);
    return control;
}

CXTPControl* CXTPControls::Add(XTPControlType type, int id, LPCWSTR parameter, int before, BOOL) {
    return insert(newControlOfType(type), id, parameter, before);
}

CXTPControl* CXTPControls::Add(CXTPControl* control, int id, LPCWSTR parameter, int before, BOOL) {
    if (!control) return nullptr;
    return insert(control, id, parameter, before);
}

CXTPControl* CXTPControls::AddClone(CXTPControl* control, int before, BOOL recursive) {
    if (!control) return nullptr;
    CXTPControl* clone = control->Clone(recursive);
    if (!clone) return nullptr;
    return insert(clone, clone->GetID(), nullptr, before);
}

CXTPControl* CXTPControls::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return controls_[static_cast<std::size_t>(index)];
}

int CXTPControls::IndexOf(const CXTPControl* control) const {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    return it == controls_.end() ? -1 : static_cast<int>(it - controls_.begin());
}

CXTPControl* CXTPControls::FindControl(XTPControlType type, int id, BOOL visible, BOOL recursive) const {
    for (CXTPControl* control : controls_) {
        if (visible && !control->IsVisible()) continue;
        if (control->GetID() == id && (type == xtpControlError || control->GetType() == type)) return control;
        if (recursive && control->GetCommandBar()) {
            if (CXTPControl* inner = control->GetCommandBar()->GetControls()->FindControl(type, id, visible, TRUE))
                return inner;
        }
    }
    return nullptr;
}

void CXTPControls::Remove(CXTPControl* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (parent_) parent_->ForgetControl(control);
    control->parent_ = nullptr;
    // A control that leaves its bar is no longer shown: its edit window goes.
    if (auto* edit = dynamic_cast<CXTPControlEdit*>(control)) {
        --edits_;
        edit->ShowEditWindow(FALSE);
    }
    OnControlRemoved(control);
    control->InternalRelease();
}

void CXTPControls::RemoveAll() {
    while (!controls_.empty()) Remove(controls_.back());
}

void CXTPControls::CreateOriginalControls() {
    platform::core::recordCall(L"CXTPControls::CreateOriginalControls()");
    hasOriginal_ = true;
    originalIds_.clear();
    for (const CXTPControl* control : controls_) originalIds_.push_back(control->GetID());
}
