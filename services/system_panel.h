// What the system panel offers the ribbon and the main frame: the value protocol of its parameter
// controls (IDataExchange), through which any bar writes, reads, clears and copies a control's
// value without knowing the control's class, and the checked value a kernel setter hands such a
// control (KernelPanelValue). The ribbon holds its own instances of the panel's control classes
// and reaches them only through these.
#pragma once

#include <cstdint>

#include "platform/mfc.h"
#include "platform/toolkit.h"

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
    // Whether SetValue keeps a value given for `document`: controls whose value belongs to their
    // frame's active document keep none for another.
    virtual bool KeepsValueFor(const KVDocument* document) const {
        (void)document;
        return true;
    }

protected:
    IDataExchange() = default;
    IDataExchange(const IDataExchange&) = default;
    IDataExchange& operator=(const IDataExchange&) = default;
};

// A value that one of the kernel's panel setters hands the controls of an id, in the panel and
// in the ribbon. A control is given only a kind of value it keeps, laid out as it reads it; a
// whole number for a measure control becomes a plain measure. Anything else is refused, so that
// no control reads memory of another layout.
class KernelPanelValue {
public:
    static KernelPanelValue Word(std::int32_t value);
    static KernelPanelValue Measure(double value, int variable);
    static KernelPanelValue Text(const CString& text);
    static KernelPanelValue FontName(const CString& name);

    PanelValueKind GetKind() const { return m_kind; }
    // The value laid out as `control` reads it, or null when it takes none of this kind (and
    // no measure that is not a finite number).
    const void* LayoutFor(const IDataExchange& control) const;
    // Whether the control may take it: a control without the value protocol reads nothing, so
    // the value alone cannot harm it; one with it must take the layout. A refusal is logged with
    // the control and the kind.
    bool CheckFor(const CXTPControl& control) const;
    // What storing it in a control did.
    enum class Stored {
        NoValue,        // the control keeps no value: nothing to store
        Kept,           // the control holds it
        OtherDocument,  // the control keeps values of its frame's document only: nothing stored
    };
    // Stores it in the control, which must have passed CheckFor.
    Stored StoreIn(CXTPControl& control, KVDocument* document) const;

private:
    KernelPanelValue(PanelValueKind kind, double number, int variable, const CString& text);

    PanelValueKind m_kind;
    std::int32_t m_word = 0;
    SysPanelValue m_measure;
    CString m_text;
};
