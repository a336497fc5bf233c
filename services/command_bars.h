// What the command bars offer the system panel and the documents menu: a walk over every control
// of a main frame's ribbon (the ribbon bar implements RibbonBarServices, found among a frame's
// command bars), and the text form in which saved layouts keep identifiers (PX_UniqueIdentifier).
// The main frame and the application above use the rest of the command bars directly.
#pragma once

#include <functional>

#include "platform/textcore.h"
#include "platform/toolkit.h"

class RibbonBarServices {
public:
    using ControlFunction = std::function<void(CXTPControl*)>;

    virtual ~RibbonBarServices() = default;
    RibbonBarServices(const RibbonBarServices&) = delete;
    RibbonBarServices& operator=(const RibbonBarServices&) = delete;

    // Every control of every group of every tab, then the tab row's; with `deep`, also inside
    // the bars controls open (popups, split buttons, galleries).
    virtual void ForEachControl(const ControlFunction& function, bool deep) const = 0;

protected:
    RibbonBarServices() = default;
};

// Identifiers in saved layouts: the tab tool bar's default state, the documents menu's expanded
// and hidden objects and the panes that remember which object they show keep them as text.
// Loading: reads the text under `key`; true, with `value` set, only when it parses as an
// identifier; a missing or unparsable text leaves `value` as it was. Storing: writes the
// identifier's 36-character form and returns true.
bool PX_UniqueIdentifier(CXTPPropExchange* px, const wchar_t* key, Korvo::UniqueIdentifier& value);
