#include "syspanel/parameter_controls.h"

#include <algorithm>
#include <optional>

#include "platform/kernel.h"
#include "syspanel/choosers/color_select_dialog.h"
#include "syspanel/choosers/colour_words.h"
#include "syspanel/choosers/frame_values.h"
#include "syspanel/choosers/layer_select_dialog.h"
#include "syspanel/choosers/lcs_select_dialog.h"
#include "syspanel/choosers/material_chooser_access.h"
#include "platform/kernel/documents/coordinate_systems.h"
#include "syspanel/panel_parameters.h"

bool CStringEquals(const CString& a, const CString& b) { return &a == &b || a.view() == b.view(); }

namespace {

// The value of another control of the same class, or null (itself or another class).
template <class Control>
Control* sameKind(IDataExchange* self, IDataExchange* other) {
    if (!other || other == self) return nullptr;
    return dynamic_cast<Control*>(other);
}

std::int32_t int32At(const void* value) { return *static_cast<const std::int32_t*>(value); }

// Whether `document` is the 2D container of the active document of the control's frame (null:
// the frame shows none).
bool isFramesDocument(const CXTPControl* control, const KVDocument* document) {
    return document == GetControlDocument(control);
}

bool sameActiveDocument(const CXTPControl* a, const CXTPControl* b) {
    return GetControlKorvoDocument(a) == GetControlKorvoDocument(b);
}

// Stores a new word (the stand-in's bars draw nothing, so a change needs no redraw).
void storeWord(std::int32_t& stored, std::int32_t value) { stored = value; }

HWND frameWindowOf(const CXTPControl* control) {
    Korvo::UI::MainFrame* frame = GetControlMainFrame(control);
    return frame && frame->AsWindow() ? frame->AsWindow()->GetSafeHwnd() : nullptr;
}

// A chooser control's text: 3 pixels in from the left, 5 (at 96 dpi) from the right, one line,
// vertically centred.
void drawControlText(CDC* dc, RECT rect, const CString& text) {
    if (!dc || text.IsEmpty()) return;
    rect.left += 3;
    rect.right -= XTPDpiHelper()->ScaleX(5);
    dc->DrawText(text, text.GetLength(), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

// A chooser control is as high as the bar's buttons and as wide as the names it shows need.
SIZE chooserSize(CXTPControlPopup& control, CDC* dc, int width) {
    SIZE size = control.CXTPControlPopup::GetSize(dc);
    size.cx = XTPDpiHelper()->ScaleX(width);
    return size;
}

constexpr int kLayerWidth = 183;
constexpr int kCoordinateSystemWidth = 183;
constexpr int kMaterialWidth = 137;

// A click opens a chooser only for an enabled control on a bar of a main frame.
bool canOpenChooser(const CXTPControl* control) {
    return control->GetEnabled() && control->GetParent() && frameWindowOf(control);
}

}  // namespace

// Word-valued popups

IMPLEMENT_DYNCREATE(CColorPopupControl, CXTPControlPopup)

CColorPopupControl::CColorPopupControl() = default;
CColorPopupControl::~CColorPopupControl() = default;

void CColorPopupControl::OnExecute() { ShowColorDialog(); }

void CColorPopupControl::ShowColorDialog() {
    if (!canOpenChooser(this)) return;
    if (!m_dialog) m_dialog = std::make_unique<CColorSelectDialog>(*this);
    m_dialog->Close();
    // The control looks pressed while its pop-up is open.
    if (m_dialog->Open(*this, frameWindowOf(this), m_color)) OnSetPopup(TRUE);
}

void CColorPopupControl::SetColor(std::int32_t color, bool apply) {
    ClosePopup();
    if (color == m_color) return;
    storeWord(m_color, color);
    if (apply) ApplyColor();
}

void CColorPopupControl::ClosePopup() {
    if (m_dialog) m_dialog->Close();
    OnSetPopup(FALSE);
}

void CColorPopupControl::ApplyColor() {
    // The bar's site hears of the choice as of any executed control: it hands the colour to the
    // twin on the other bar, so every getter of the frame reads it.
    NotifyBarSite(*this);
    CKvw32Doc* document = GetControlKorvoDocument(this);
    if (!document) return;
    if (!document->IsInCommand() && SetSelectionParameter(document, "Color", kveval::ColorParameter{m_color, -1})) return;
    SendFrameValueCommand(GetControlMainFrame(this), GetID(), &m_color);
}

CString CColorPopupControl::GetDrawnText() const { return ColourWordText(m_color); }

void CColorPopupControl::Draw(CDC* dc, RECT rect) {
    if (!dc) return;
    const RECT swatch{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) dc->FillSolidRect(&swatch, ColourOfWord(m_color));
}

void CColorPopupControl::SetValue(KVDocument*, const void* value) {
    if (value) storeWord(m_color, int32At(value));
}

void CColorPopupControl::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CColorPopupControl>(this, other)) storeWord(m_color, source->m_color);
}

void CColorPopupControl::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, false);
    if (!target) return;
    std::int32_t color = target->document->GetDefaultParameters()->GetDefaultColor(target->is3D);
    const auto common = GetSelectionCommonParameter(target->document, "Color");
    if (const auto* selected = common ? common->Get<kveval::ColorParameter>() : nullptr) color = selected->color;
    storeWord(m_color, color);
    SetEnabled(TRUE);
}

IMPLEMENT_DYNCREATE(CLayerPopupControl, CXTPControlPopup)

namespace {

SIZE initialDialogSize() { return SIZE{XTPDpiHelper()->ScaleX(300), XTPDpiHelper()->ScaleY(300)}; }

}  // namespace

CLayerPopupControl::CLayerPopupControl() : m_dialogSize(initialDialogSize()) {}
CLayerPopupControl::~CLayerPopupControl() = default;

void CLayerPopupControl::OnExecute() {
    if (!canOpenChooser(this)) return;
    if (!m_dialog) m_dialog = std::make_unique<CLayerSelectDialog>(*this);
    m_dialog->Close();
    if (m_dialog->Open(*this, frameWindowOf(this), GetControlDocument(this), m_layer)) OnSetPopup(TRUE);
}

void CLayerPopupControl::SetLayer(std::int32_t layer) {
    if (layer == m_layer) return;
    storeWord(m_layer, layer);
    ApplyLayer();
}

void CLayerPopupControl::ApplyLayer() {
    Korvo::UI::MainFrame* frame = GetControlMainFrame(this);
    CKvw32Doc* document = GetControlKorvoDocument(this);
    bool toDefaults = false;
    if (document && !document->IsInCommand()) toDefaults = !SetSelectionParameter(document, "Layer", m_layer);
    if (document && !document->IsInCommand() && !toDefaults) return;
    // The twins take the layer before the command hears of it, so it reads the layer through
    // any getter.
    const std::int32_t layer = m_layer;
    SetFrameSyspanelInt(frame, GetControlDocument(this), GetID(), layer);
    SendFrameValueCommand(frame, GetID(), &layer);
}

void CLayerPopupControl::Draw(CDC* dc, RECT rect) { drawControlText(dc, rect, GetDrawnText()); }

SIZE CLayerPopupControl::GetSize(CDC* dc) { return chooserSize(*this, dc, kLayerWidth); }

CString CLayerPopupControl::GetDrawnText() const {
    const KVDocument* document = GetControlDocument(this);
    const KVLayer* layer = document && m_layer >= 0 ? document->GetLayer(m_layer) : nullptr;
    if (!layer) return CString();
    CString text = layer->name;
    static const wchar_t* const kMarks[] = {L" [hidden]", L" [frozen]", L" [no-print]"};
    for (int bit = 0; bit < 3; ++bit)
        if (layer->state & (1u << bit)) text += kMarks[bit];
    return text;
}

void CLayerPopupControl::SetValue(KVDocument* document, const void* value) {
    if (value && KeepsValueFor(document)) storeWord(m_layer, int32At(value));
}

bool CLayerPopupControl::KeepsValueFor(const KVDocument* document) const { return isFramesDocument(this, document); }

void CLayerPopupControl::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<CLayerPopupControl>(this, other);
    if (source && sameActiveDocument(this, source)) storeWord(m_layer, source->m_layer);
}

void CLayerPopupControl::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, false);
    if (!target) return;
    std::int32_t layer = target->document->GetDefaultParameters()->GetDefaultLayer(target->is3D);
    const auto common = GetSelectionCommonParameter(target->document, "Layer");
    if (const auto* selected = common ? common->Get<std::int32_t>() : nullptr) layer = *selected;
    storeWord(m_layer, layer);
    SetEnabled(TRUE);
}

IMPLEMENT_DYNCREATE(LCSPopupControl, CXTPControlPopup)

LCSPopupControl::LCSPopupControl() : m_dialogSize(initialDialogSize()) {}
LCSPopupControl::~LCSPopupControl() = default;

void LCSPopupControl::OnExecute() {
    if (!canOpenChooser(this)) return;
    // A new list each time, so that it shows the page as it is now.
    m_dialog = std::make_unique<LCSSelectDialog>(*this);
    if (m_dialog->Open(*this, frameWindowOf(this), GetControlDocument(this), m_index)) OnSetPopup(TRUE);
}

void LCSPopupControl::SetCurrentIndex(std::int32_t index, bool notify) {
    if (index == m_index) return;
    Korvo::UI::MainFrame* frame = notify ? GetControlMainFrame(this) : nullptr;
    if (frame && index < -1) {
        storeWord(m_index, -1);
        SendFrameValueCommand(frame, kNoSystemCommand, nullptr);
        return;
    }
    storeWord(m_index, index);
    if (!frame) return;
    SetFrameSyspanelInt(frame, GetControlDocument(this), GetID(), m_index);
    const std::int32_t chosen = m_index;
    SendFrameValueCommand(frame, GetID(), &chosen);
}

void LCSPopupControl::Draw(CDC* dc, RECT rect) { drawControlText(dc, rect, GetDrawnText()); }

SIZE LCSPopupControl::GetSize(CDC* dc) { return chooserSize(*this, dc, kCoordinateSystemWidth); }

CString LCSPopupControl::GetDrawnText() const {
    if (m_index < 0) return CString(LCSSelectDialog::kPageSystemText);
    const KVDocument* document = GetControlDocument(this);
    const KVCoordinateSystem* system = document ? document->CoordinateSystems().Get(m_index) : nullptr;
    return system ? system->GetName() : CString();
}

void LCSPopupControl::Reset() {
    if (!GetControlDocument(this)) storeWord(m_index, -1);
}

void LCSPopupControl::SetValue(KVDocument* document, const void* value) {
    if (value && KeepsValueFor(document)) storeWord(m_index, int32At(value));
}

bool LCSPopupControl::KeepsValueFor(const KVDocument* document) const { return isFramesDocument(this, document); }

void LCSPopupControl::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<LCSPopupControl>(this, other);
    if (source && sameActiveDocument(this, source)) storeWord(m_index, source->m_index);
}

// Font

IMPLEMENT_DYNCREATE(CFontComboBox, CXTPControlComboBox)

CFontComboBox::CFontComboBox()
    : m_list(std::make_unique<CFontComboBoxList>()) {
    SetWidth(XTPDpiHelper()->ScaleX(kWidth));
    // The drop-down style with its edit field: a "$name" typed there makes a text variable.
    SetEditable(TRUE);
}

CFontComboBox::~CFontComboBox() = default;

int CFontComboBox::findExact(const CString& text) const {
    for (int index = 0; index < GetCount(); ++index)
        if (CStringEquals(GetLBText(index), text)) return index;
    return -1;
}

CString CFontComboBox::GetSelectedFontName() const {
    const CFontComboBoxList::Entry* entry = m_list->GetEntry(GetCurSel());
    if (!entry) return CString();
    const CString name(entry->font.lfFaceName);
    return name.GetLength() > kFaceNameLimit ? name.Left(kFaceNameLimit) : name;
}

int CFontComboBox::GetSelectedFontKind() const {
    const CFontComboBoxList::Entry* entry = m_list->GetEntry(GetCurSel());
    if (!entry) return 32;
    if (entry->kind & CFontComboBoxList::kSystemFont) return 1;
    if (entry->kind & CFontComboBoxList::kVectorFont) return 0;
    return static_cast<int>(entry->kind);
}

void CFontComboBox::SelectFont(const CString& name) {
    m_list->RenewDefaultEntry(*this);
    m_name = name;
    const int found = name.IsEmpty() ? 0 : findExact(name);
    SetCurSel(found);
    SetEditText(found >= 0 ? GetLBText(found) : name);
}

void CFontComboBox::RefreshFontList() {
    // The list's window belongs to the site of the bar the combo stands on.
    CXTPCommandBar* bar = GetParent();
    m_list->CreateListWindow(bar ? bar->GetSite() : nullptr, *this);
    const CString remembered = m_name;
    if (!m_list->Refresh(*this)) return;
    // The refilled list shows the remembered font again.
    const int found = remembered.IsEmpty() ? -1 : findExact(remembered);
    SetCurSel(found);
}

void CFontComboBox::Initialize() { RefreshFontList(); }

void CFontComboBox::OnSelChanged() { m_name = GetSelectedFontName(); }

void CFontComboBox::OnEditChanged() {
    const int found = findExact(GetEditText());
    if (found < 0 || found == GetCurSel()) return;
    SetCurSel(found);
    OnSelChanged();
}

void CFontComboBox::OnSetFocus() {
    CXTPControlComboBox::OnSetFocus();
    if (m_name.IsEmpty()) SetEditText(L"");
}

void CFontComboBox::OnKillFocus() {
    CXTPControlComboBox::OnKillFocus();
    KVDocument* document = GetControlDocument(this);
    const CString text = GetEditText();
    if (document && text.GetLength() > 0 && text[0] == L'$') {
        document->create_text_var(text, -1, L"\"\"", 255, 0);
        return;
    }
    if (!m_name.IsEmpty()) {
        SetCurSel(findExact(m_name));
        SetEditText(m_name);
        return;
    }
    SetCurSel(0);
    SetEditText(CFontComboBoxList::DefaultFontText());
}

void CFontComboBox::OnExecute() {
    kvui::SystemPanelControlBase<CXTPControlComboBox>::OnExecute();
    // The keyboard goes back to the drawing, so leaving the edit runs its rules.
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    if (CFrameWnd* window = frame ? frame->AsWindow() : nullptr; window && window->GetSafeHwnd()) window->SetFocus();
    OnKillFocus();
}

bool CFontComboBox::OnEditKey(UINT virtualKey) {
    if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) return false;
    OnExecute();
    return true;
}

void CFontComboBox::Reset() {
    m_name.Empty();
    SetCurSel(-1);
    SetEditText(L"");
}

void CFontComboBox::SetValue(KVDocument* document, const void* value) {
    if (value && KeepsValueFor(document)) SelectFont(*static_cast<const CString*>(value));
}

bool CFontComboBox::KeepsValueFor(const KVDocument* document) const { return isFramesDocument(this, document); }

void CFontComboBox::CopyFrom(IDataExchange* other) {
    auto* source = sameKind<CFontComboBox>(this, other);
    if (source) SetValue(GetControlDocument(source), &source->m_name);
}

void CFontComboBox::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, true);
    if (!target) return;
    const auto common = GetSelectionCommonParameter(target->document, "FontName");
    const CString* name = common ? common->Get<CString>() : nullptr;
    if (!name || name->IsEmpty()) return;
    SelectFont(*name);
    SetEnabled(TRUE);
}

// Material

IMPLEMENT_DYNCREATE(CMaterialPopup, CXTPControlPopup)

CMaterialPopup::CMaterialPopup(bool forBodies)
    : m_access(std::make_unique<MaterialChooserAccess>()), m_forBodies(forBodies) {}
CMaterialPopup::~CMaterialPopup() = default;

namespace {

const CString& fixedMaterialCaption() {
    static const CString caption = L"[" + KVLoadString(CMaterialPopup::kMixedCaptionString) + L"]";
    return caption;
}

// The control's rectangle on the screen, at least `minimum` pixels (at 96 dpi) wide.
RECT chooserRect(const CXTPControl* control, int minimum) {
    const CXTPCommandBar* bar = control->GetParent();
    RECT rect = bar ? bar->GetControlRect(control) : RECT{};
    if (bar && bar->GetSafeHwnd()) {
        POINT corner{rect.left, rect.top};
        ::ClientToScreen(bar->GetSafeHwnd(), &corner);
        rect = {corner.x, corner.y, corner.x + (rect.right - rect.left), corner.y + (rect.bottom - rect.top)};
    }
    rect.right = std::max<LONG>(rect.right, rect.left + XTPDpiHelper()->ScaleX(minimum));
    return rect;
}

}  // namespace

void CMaterialPopup::Draw(CDC* dc, RECT rect) { drawControlText(dc, rect, m_caption); }

SIZE CMaterialPopup::GetSize(CDC* dc) { return chooserSize(*this, dc, kMaterialWidth); }

void CMaterialPopup::updateCaption() {
    if (!GetEnabled())
        m_caption = GetCaption();
    else
        m_caption = m_captionMode == 3 ? fixedMaterialCaption() : m_record.name;
}

void CMaterialPopup::SetEnabled(BOOL enabled) {
    const bool changed = (GetEnabled() != FALSE) != (enabled != FALSE);
    kvui::SystemPanelControlBase<CXTPControlPopup>::SetEnabled(enabled);
    if (changed) updateCaption();
}

void CMaterialPopup::Reset() {
    m_record.name.Empty();
    updateCaption();
}

void CMaterialPopup::SetMaterialText(const CString& name, int captionMode, bool notify) {
    if (captionMode == m_captionMode && CStringEquals(name, m_record.name)) return;
    m_record.kind = name.IsEmpty() ? 0 : 1;
    m_record.name = name;
    m_captionMode = captionMode;
    updateCaption();
    if (notify) NotifyFrame();
}

void CMaterialPopup::NotifyFrame() {
    if (m_record.name.IsEmpty()) return;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    SendFrameValueCommand(frame, GetID(), &m_record);
    SetFrameSyspanelText(frame, nullptr, GetID(), m_record.name);
}

void CMaterialPopup::OnExecute() {
    if (!GetEnabled() || !GetParent()) return;
    CKvw32Doc* document = GetControlKorvoDocument(this);
    if (!document) return;
    const RECT rect = chooserRect(this, kMinimumChooserWidth);
    if (m_chooser && m_chooser->GetDocument() == document) {
        m_chooser->Show(rect, m_record);
    } else {
        m_access->Hidden();
        m_chooser.reset();
        m_chooser = KV3DMaterials::CreateChooser(document, this, rect, m_forBodies ? 2 : 1, m_record);
    }
    m_access->Shown(frameWindowOf(this), m_chooser.get());
}

void CMaterialPopup::SelectMaterial(const MaterialRecord& record) {
    CKvw32Doc* document = GetControlKorvoDocument(this);
    const bool changed = record.kind != m_record.kind ||
                         (record.kind == 1 ? !CStringEquals(record.name, m_record.name)
                                           : record.firstId != m_record.firstId || record.secondId != m_record.secondId);
    if (changed) {
        m_record = record;
        m_captionMode = 0;
        updateCaption();
        if (document && document->IsInCommand()) NotifyFrame();
    }
    const CSelectionContainer* selection = document ? document->GetStoreSelection() : nullptr;
    if (KV3DMaterials::IsAssignmentAllowed(document) && !document->IsInCommand() && selection && !selection->IsEmpty() &&
        KV3DMaterials::IsKnownMaterial(record.name)) {
        UndoManager undo(document);
        undo.Open(KVLoadString(kUndoString));
        bool anyChanged = false;
        for (int i = 0; i < selection->GetSize(); ++i)
            if (CKVObject* body = KV3DMaterials::GetBodyOfObject(document, selection->GetAt(i)))
                anyChanged = KV3DMaterials::ApplyMaterial(body, record.name, m_forBodies, true) || anyChanged;
        undo.Close(true, false);
        // The 3D container regenerates while the context lives.
        if (anyChanged) {
            KVDocRegenContext regenerate(document, true, false, false);
        }
    }
    if (m_chooser) m_chooser->Hide();
    m_access->Hidden();
    // Kind 0: the panel's controls do not refresh from the control's own write.
    if (document)
        ApplicationEventManager::Instance().Raise(kEventObjectsPropertiesChanged,
                                                  ObjectsPropertiesChangedArgs(0, document, nullptr, 0));
}

void CMaterialPopup::PassToChooser(int first, int second) {
    if (m_chooser) m_chooser->OnArguments(first, second);
}

void CMaterialPopup::SetValue(KVDocument*, const void* value) {
    if (value) SetMaterialText(*static_cast<const CString*>(value), 0, false);
}

void CMaterialPopup::CopyFrom(IDataExchange* other) {
    if (auto* source = sameKind<CMaterialPopup>(this, other)) {
        m_record = source->m_record;
        m_captionMode = source->m_captionMode;
        updateCaption();
    }
}

void CMaterialPopup::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    const auto target = GetRefreshTarget(this, args, false);
    if (!target || target->document != GetControlKorvoDocument(this)) return;
    const CSelectionContainer* selection = target->document->GetStoreSelection();
    if (!selection || selection->IsEmpty()) {
        SetMaterialText(CString(), 0, false);
        SetEnabled(FALSE);
        return;
    }
    std::optional<CString> shared;
    int sharedMode = 0;
    bool mixed = false;
    for (int i = 0; i < selection->GetSize() && !mixed; ++i) {
        const CKVObject* body = KV3DMaterials::GetBodyOfObject(target->document, selection->GetAt(i));
        if (!body) continue;
        int mode = 0;
        const CString name = KV3DMaterials::GetMaterialName(body, mode);
        if (!shared) {
            shared = name;
            sharedMode = mode;
        } else if (!CStringEquals(*shared, name) || mode != sharedMode) {
            mixed = true;
        }
    }
    if (mixed || !shared) SetMaterialText(CString(), 0, false);
    else SetMaterialText(*shared, sharedMode, false);
    SetEnabled(TRUE);
}

// Icons

IMPLEMENT_DYNCREATE(CStaticImageControl, CXTPControlLabel)

CStaticImageControl::CStaticImageControl(int iconId) : m_iconId(iconId) {
    SetIconId(iconId);
    SetStyle(xtpButtonIcon);
}

void CStaticImageControl::Draw(CDC* dc, RECT rect) {
    SetTooltip(L"");
    CXTPCommandBar* bar = GetParent();
    CXTPCommandBars* bars = bar ? bar->GetCommandBars() : nullptr;
    CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    if (m_iconId == 0 || !dc || !images) return;
    const SIZE button = bar->GetButtonSize();
    const UINT id = static_cast<UINT>(m_iconId);
    // The UI module puts the icon into the bars' image manager once.
    if (!images->GetIconSet(id)) UIModuleProxy::Instance().BindIcon(images, id, id);
    const CXTPImageManagerIcon* icon = images->GetImage(id, button.cx);
    if (!icon) return;
    // A raster icon keeps its own extent, scaled for the screen when the bars scale their
    // bitmaps and the scaled icon fits the control; a vector one takes the button's.
    SIZE drawn = icon->IsVectorIcon() ? button : SIZE{icon->GetWidth(), icon->GetHeight()};
    if (!icon->IsVectorIcon() && bars->GetCommandBarsOptions()->bDpiScaling) {
        const SIZE scaled = XTPDpiHelper()->Scale(drawn);
        if (scaled.cx <= rect.right - rect.left && scaled.cy <= rect.bottom - rect.top) drawn = scaled;
    }
    const POINT at{rect.left + (rect.right - rect.left - drawn.cx) / 2, rect.top + (rect.bottom - rect.top - drawn.cy) / 2};
    icon->Draw(dc->GetSafeHdc(), at, drawn);
}

SIZE CStaticImageControl::GetSize(CDC*) {
    const CXTPCommandBar* bar = GetParent();
    return bar ? bar->GetButtonSize() : CXTPCommandBar::DefaultButtonSize();
}
