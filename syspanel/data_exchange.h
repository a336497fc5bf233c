// The value protocol of the system panel's parameter controls: the panel bar, the ribbon and the
// main frame write, read, clear and copy a control's value through it without knowing the
// control's class.
#pragma once

#include "platform/mfc.h"

class KVDocument;  // the kernel's document (its 2D container), known here only by address
class CKVBaseView;

// The value of a measure control (level, priority, font size).
struct SysPanelValue {
    double value = 0.0;
    int variable = -1;  // index of the document variable that holds the value; -1: a plain number
    CString text;       // what the edit shows: the number, or the variable's name or expression
};

// The kinds of value the kernel's setters hand a control.
enum class PanelValueKind {
    Word,      // a 32-bit whole number: a colour word, a layer, a coordinate system, a quality
    Measure,   // a SysPanelValue
    Text,      // a CString: a material or a font name
    FontName,  // a CString from the font request, for the font combo alone
};
// How a log line names the kind.
const wchar_t* PanelValueKindName(PanelValueKind kind);

// Every setter must work while the control is hidden or disabled: the kernel sets values for
// controls that are not on show.
class IDataExchange {
public:
    virtual ~IDataExchange() = default;
    // Once, after the control was made for a bar.
    virtual void Initialize() {}
    // The frame's active view changed.
    virtual void OnViewActivated(CKVBaseView*) {}
    // Back to no value.
    virtual void Reset() = 0;
    // Stores `value`, laid out as the control's value, as the value for `document`.
    virtual void SetValue(KVDocument* document, const void* value) = 0;
    // The current value in the same layout; the pointer stays valid while the control lives and
    // sees later changes.
    virtual const void* GetValue() = 0;
    // Takes over the value of the same kind of control on another bar; itself or another kind of
    // control changes nothing.
    virtual void CopyFrom(IDataExchange* other) = 0;
    // Whether SetValue reads a value of this kind: a value of another kind would be read as
    // memory of another layout.
    virtual bool TakesValue(PanelValueKind kind) const = 0;

protected:
    IDataExchange() = default;
    IDataExchange(const IDataExchange&) = default;
    IDataExchange& operator=(const IDataExchange&) = default;
};

// True when both are the same string object or hold the same UTF-16 code units (no case folding).
bool CStringEquals(const CString& a, const CString& b);
