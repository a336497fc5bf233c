// A value that one of the kernel's panel setters hands the controls of an id, in the panel and
// in the ribbon. A control is given only a kind of value it keeps, laid out as it reads it; a
// whole number for a measure control becomes a plain measure. Anything else is refused, so that
// no control reads memory of another layout.
#pragma once

#include <cstdint>

#include "platform/toolkit.h"
#include "syspanel/data_exchange.h"

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
    // Stores it in the control, which must have passed CheckFor; false when the control has no
    // value protocol.
    bool StoreIn(CXTPControl& control, KVDocument* document) const;

private:
    KernelPanelValue(PanelValueKind kind, double number, int variable, const CString& text);

    PanelValueKind m_kind;
    std::int32_t m_word = 0;
    SysPanelValue m_measure;
    CString m_text;
};
