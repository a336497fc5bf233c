// The base of the panel's parameter controls that refresh themselves from the document: a
// toolkit control that takes part in the value protocol and hears the application events after
// which a document's parameters may read differently (selection, active view, properties).
#pragma once

#include "platform/kernel.h"
#include "syspanel/data_exchange.h"

namespace kvui {

template <class T>
class SystemPanelControlBase : public T,
                               public IDataExchange,
                               public TypedApplicationEventListener<515, 531, 778, 783, 791, 1037> {
public:
    SystemPanelControlBase() = default;

protected:
    // One handler for all six events.
    virtual void OnParameterEvent(UINT eventId, const ApplicationEventArgs& args) = 0;

private:
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) final { OnParameterEvent(eventId, args); }
};

}  // namespace kvui
