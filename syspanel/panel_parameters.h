// The parameter rules the panel's controls share: which main frame and document a control
// serves, whether an event is one to refresh on, the value the selection (or the defaults) have
// in common, and where a value the user enters goes.
#pragma once

#include <optional>
#include <string_view>

#include "platform/kernel.h"
#include "platform/korvoui.h"

// The main frame that shows the control: the frame of the window that hosts its bar, or the
// active main frame for a control on no bar; null when there is none.
Korvo::UI::MainFrame* GetControlMainFrame(const CXTPControl* control);
// The active document of the control's frame, or null.
CKvw32Doc* GetControlKorvoDocument(const CXTPControl* control);
// Its 2D container; for a bar on a window that is no main frame's, that of the window's own
// active document; else null.
KVDocument* GetControlDocument(const CXTPControl* control);

// The document an event asks the control to refresh for, with whether its view shows 3D; nothing
// when the event is not for this control: flagged 0x20, the control on no bar, no document or a
// document in a command, no view, a view of another main frame, or (unless `ownWritesToo`) the
// material control's own write of properties.
struct RefreshTarget {
    CKvw32Doc* document = nullptr;
    bool is3D = false;
};
std::optional<RefreshTarget> GetRefreshTarget(const CXTPControl* control, const ApplicationEventArgs& args,
                                              bool ownWritesToo);
// Whether the document's active view shows 3D (false without one).
bool IsActiveView3D(CKvw32Doc* document);

// The value every selected object that has the parameter has in common; with nothing selected,
// the value every default container that has it has in common.
std::optional<kveval::VariantParameter> GetSelectionCommonParameter(CKvw32Doc* document, std::string_view name);
std::optional<kveval::VariantParameter> GetDefaultCommonParameter(CKvw32Doc* document, std::string_view name);
// Writes to the selected objects (true), or with nothing selected to the defaults (false).
bool SetSelectionParameter(CKvw32Doc* document, std::string_view name, const kveval::VariantParameter& value);
// Writes the default for new elements.
void SetDocumentDefaultParameter(CKvw32Doc* document, std::string_view name, const kveval::VariantParameter& value);
