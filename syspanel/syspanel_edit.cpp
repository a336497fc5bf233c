#include "syspanel/syspanel_edit.h"

#include <cmath>
#include <cwchar>

#include <boost/scope_exit.hpp>

#include "syspanel/choosers/frame_values.h"
#include "syspanel/panel_parameters.h"

namespace {

constexpr int kWideEdit = 80;
constexpr int kNarrowEdit = 46;
constexpr int kVariableUndoCode = 210;
constexpr UINT kNotAVariableMessage = 125;
constexpr int kPageFontStyle = 8;

double readNumber(CString text) {
    text.Replace(L",", L".");
    return std::wcstod(text.GetString(), nullptr);
}

bool hasZeroDigit(const CString& text) { return text.Find(L'0') >= 0; }

}  // namespace

IMPLEMENT_DYNCREATE(CSyspanelEdit, CXTPControlEdit)

CSyspanelEdit::CSyspanelEdit() : CSyspanelEdit(std::string_view(), 0, -1.0) {}

CSyspanelEdit::CSyspanelEdit(std::string_view name, unsigned style, double spinStep, int settingsKey1,
                             int settingsKey2)
    : m_name(name),
      m_style(style),
      m_spinStep(spinStep),
      m_settingsKey1(settingsKey1),
      m_settingsKey2(settingsKey2) {
    SetWidth(XTPDpiHelper()->ScaleX((style & kDefaultText) ? kWideEdit : kNarrowEdit));
    ShowSpinButtons(TRUE);
}

// The window refers to this control: it goes first.
CSyspanelEdit::~CSyspanelEdit() { ShowEditWindow(FALSE); }

CSyspanelEditCtrl* CSyspanelEdit::GetSyspanelEditCtrl() const { return dynamic_cast<CSyspanelEditCtrl*>(GetEditCtrl()); }

// A new window starts in spin mode 0 with the control's step.
std::unique_ptr<CXTPControlEditCtrl> CSyspanelEdit::CreateEditControl() {
    return std::make_unique<CSyspanelEditCtrl>(*this, m_spinStep);
}

// Showing and reading the value

void CSyspanelEdit::UpdateEditText() {
    KVDocument* document = GetControlDocument(this);
    if (m_value.variable >= 0) {
        const KVVariable* variable = document ? document->GetVariable(m_value.variable) : nullptr;
        if (variable) {
            SetEditText(FORMULA::GetNameOrExpression(*variable));
        } else {
            SetEditText(L"0");
            m_value.variable = -1;
        }
        return;
    }
    if (m_value.value == sentinel()) {
        if (m_name == "FontSize" && document) {
            SetEditText(GetDefaultEditString(g_fDefaultCtrlValue,
                                             FONT_STYLE::GetSizeFromPage(document->GetPageStatus(-1), kPageFontStyle)));
        } else {
            SetEditText(GetDefaultEditString(g_fDefaultCtrlValue, L""));
        }
        return;
    }
    CString text;
    CDockFormEdit::FloatFormat(m_showSign ? m_value.value : std::fabs(m_value.value), m_formatValue, text, false,
                               document);
    SetEditText(text);
}

double CSyspanelEdit::parsedText(const CString& text) const {
    const double number = readNumber(text);
    return !m_showSign && m_value.value < -1e-10 ? -number : number;
}

double CSyspanelEdit::withinStyleLimits(double number) const {
    if ((m_style & kNotNegative) && number < 0.0) number = 0.0;
    if ((m_style & kAtLeastOne) && number < 1e-6) number = 1.0;
    return number;
}

double CSyspanelEdit::committedNumber(const CString& text) const {
    double number = parsedText(text);
    if (number == 0.0) number = (m_style & kDefaultText) && !hasZeroDigit(text) ? sentinel() : 0.0;
    return withinStyleLimits(number);
}

bool CSyspanelEdit::commitVariable(CKvw32Doc& owner) {
    KVDocument& document = *owner.Cont2D();
    const CString text = m_value.text;
    const int before = m_value.variable;
    if (before >= 0) {
        const KVVariable* bound = document.GetVariable(before);
        if (bound && bound->name == text) return true;
    }
    // Only a block this edit opened is closed here; one the document already had stays open.
    const bool openedUndo = owner.GetUndoMode() == 0;
    if (openedUndo) document.start_undo_block(0, kVariableUndoCode);
    int result = 0;
    int index = before;
    double value = m_value.value;
    if (!text.IsEmpty()) result = document.create_real_var(text, index, value, m_value.value, 0);
    if (openedUndo) document.end_undo_block();
    if (!text.IsEmpty() && result >= 1) {
        m_value.variable = index;
        m_value.value = value;
    } else {
        m_value.variable = before < 0 ? -1 : before;
        if (!text.IsEmpty() && result == 0) KVMessageBox::Show(KVGetFormatMessage(kNotAVariableMessage, L"STATIC"), 0x30);
    }
    UpdateEditText();
    m_value.text = GetEditText();
    return m_value.variable >= 0;
}

const void* CSyspanelEdit::GetValue() {
    commitText();
    return &m_value;
}

bool CSyspanelEdit::commitText() {
    m_committing = true;
    BOOST_SCOPE_EXIT_ALL(this) { m_committing = false; };

    const SysPanelValue before = m_value;
    m_value.text = GetEditText();
    if (m_style & kDefaultText) {
        if (IsDefaultEditString(m_value.text)) m_value.text.Empty();
        if (m_value.value == sentinel()) m_value.value = 0.0;
    }
    CKvw32Doc* document = GetControlKorvoDocument(this);
    if (IsNumericEx(m_value.text)) {
        if (!std::isfinite(parsedText(m_value.text))) return refuseText(before);
        m_value.variable = -1;
    } else if (document && document->Cont2D()) {
        if (commitVariable(*document)) return true;
    } else if (m_value.variable >= 0) {
        return true;  // no document to ask: a bound edit keeps its value
    }
    const double number = committedNumber(m_value.text);
    // A number beyond the double range ("1e400") or a text the parser reads as infinity: no
    // document or command may be handed it.
    if (!std::isfinite(number)) return refuseText(before);
    m_value.value = number;
    return true;
}

bool CSyspanelEdit::refuseText(const SysPanelValue& before) {
    KVMessageBox::Show(KVGetFormatMessage(kNotAVariableMessage, L"STATIC"), 0x30);
    m_value = before;
    UpdateEditText();
    m_value.text = GetEditText();
    return false;
}

double CSyspanelEdit::GetNumericValue() const {
    CString text = GetEditText();
    double stored = m_value.value;
    if (m_style & kDefaultText) {
        if (IsDefaultEditString(text)) text.Empty();
        if (stored == sentinel()) stored = 0.0;
    }
    if (IsNumericEx(text)) return readNumber(text);
    KVDocument* document = GetControlDocument(this);
    if (document) {
        if (const KVVariable* bound = document->GetVariable(m_value.variable); bound && bound->name == text)
            return bound->value;
        int index = -1;
        double value = stored;
        if (!text.IsEmpty() && document->create_real_var(text, index, value, stored, 3) >= 1) return value;
    }
    double number = parsedText(text);
    if (number == 0.0 && (m_style & kDefaultText) && !hasZeroDigit(text)) {
        const STATUS* page = document ? document->GetPageStatus(-1) : nullptr;
        number = m_name == "FontSize" && page ? page->GetProperties().fontSize : 0.0;
    }
    return withinStyleLimits(number);
}

// The value protocol

void CSyspanelEdit::Reset() {
    m_value = SysPanelValue{};
    SetEditText(L"");
}

void CSyspanelEdit::SetValue(KVDocument* document, const void* value) {
    // A null document stands for "no document" (the kernel's reset), which a frame without one shows.
    if (!value || !KeepsValueFor(document)) return;
    const auto& record = *static_cast<const SysPanelValue*>(value);
    if (!std::isfinite(record.value)) return;
    m_value.value = record.value;
    m_value.variable = record.variable;
    m_value.text = record.text;
    UpdateEditText();
}

bool CSyspanelEdit::KeepsValueFor(const KVDocument* document) const { return document == GetControlDocument(this); }

void CSyspanelEdit::CopyFrom(IDataExchange* other) {
    auto* source = dynamic_cast<CSyspanelEdit*>(other);
    if (!source || source == this) return;
    if (GetControlKorvoDocument(source) != GetControlKorvoDocument(this)) return;
    m_value = source->m_value;
    SetEditText(source->GetEditText());
}

// Refreshing from the document

void CSyspanelEdit::OnParameterEvent(UINT, const ApplicationEventArgs& args) {
    if (IsFocused() || m_name.empty()) return;
    const auto target = GetRefreshTarget(this, args, false);
    if (!target) return;
    const auto common = GetSelectionCommonParameter(target->document, m_name);
    const auto* number = common ? common->Get<kveval::NumberParameter>() : nullptr;
    if (!number || !std::isfinite(number->value)) return;
    m_value.value = number->value;
    m_value.variable = number->variable;
    UpdateEditText();
    m_value.text = GetEditText();
}

// Entering a value

void CSyspanelEdit::ApplyValue() {
    if (!GetEditCtrl() || GetSelected() || !GetModify()) return;
    if (!m_executing) {
        CKvw32Doc* document = GetControlKorvoDocument(this);
        // Without a document there is nothing to write to; the entry is spent all the same.
        if (document && document->IsInCommand()) {
            // The running command reads the value through the panel's getters, which read the
            // twin on the frame's other bar too: it holds the entry before the command is told.
            // A manipulator edit has no twin; the command reads its views itself.
            if (!m_name.empty() && commitText()) NotifyBarSite(*this);
            if (Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame())
                frame->AsWindow()->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetID()), 0), 0);
        } else if (document && commitText()) {
            // A manipulator edit stands for no parameter: the command reads it, nothing is written.
            if (!m_name.empty()) {
                NotifyBarSite(*this);
                const kvtypes::Units& units = kvtypes::Units::Instance();
                SetSelectionParameter(document, m_name,
                                      kveval::NumberParameter{m_value.value, m_value.variable,
                                                              units.GetIndexFor(units.GetUnit())});
            }
        }
    }
    SetModify(FALSE);
}

void CSyspanelEdit::OnSetSelected(BOOL selected) {
    const BOOL wasSelected = GetSelected();
    CXTPControlEdit::OnSetSelected(selected);
    if (wasSelected && !selected) ApplyValue();
}

void CSyspanelEdit::OnSetFocus() {
    m_savedText = GetEditText();
    if ((m_style & kDefaultText) && IsDefaultEditString(m_savedText)) SetEditText(L"");
    CXTPControlEdit::OnSetFocus();
}

void CSyspanelEdit::OnKillFocus() {
    if (!m_committing) {
        const CString text = GetEditText();
        if (text.IsEmpty() && (m_style & kDefaultText)) {
            SetEditText(m_savedText);
        } else if ((m_style & (kNotNegative | kAtLeastOne)) && IsNumericEx(text)) {
            const double number = parsedText(text);
            if (((m_style & kNotNegative) && number < 0.0) || ((m_style & kAtLeastOne) && number < 1e-6)) {
                // The number the style refuses gives way to the default, which leaving the edit
                // then writes as any entered value.
                SetEditText(GetDefaultEditString(g_fDefaultCtrlValue, m_value.text));
                SetModify(TRUE);
            }
        }
    }
    CXTPControlEdit::OnKillFocus();
}

void CSyspanelEdit::OnEditChanged() {
    CXTPControlEdit::OnEditChanged();
    SetModify(TRUE);
}

void CSyspanelEdit::NotifySpinChanged(int delta, int direction) {
    if (CSyspanelEditCtrl* window = GetSyspanelEditCtrl()) window->Spin(delta * direction);
}

// Runs a command of the edit window as a choice of its context menu would; FALSE when there is no
// window or the command is not enabled now.
BOOL CSyspanelEdit::OnEditCommand(UINT id) {
    CSyspanelEditCtrl* window = GetSyspanelEditCtrl();
    if (!window || !window->IsCommandEnabled(id)) return FALSE;
    window->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    return TRUE;
}

void CSyspanelEdit::OnExecute() {
    m_executing = true;
    CXTPControlEdit::OnExecute();
    m_executing = false;
}

void CSyspanelEdit::Draw(CDC* dc, RECT rect) {
    kvui::SystemPanelControlBase<CXTPControlEdit>::Draw(dc, rect);
    if (CXTPControlEditCtrl* window = GetEditCtrl(); window && window->GetSafeHwnd())
        window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

SIZE CSyspanelEdit::GetSize(CDC* dc) {
    SIZE size = kvui::SystemPanelControlBase<CXTPControlEdit>::GetSize(dc);
    size.cy -= 2;
    return size;
}
