// A clipart view hosting the PDM system's reference control of one PDM object. The control lives
// while the PDM connection does; the view keeps the object's key to make it again.
#pragma once

#include "mainframe/clipart/clipart_view.h"

class WorkmixClipart : public CClipartView {
public:
    WorkmixClipart() = default;
    explicit WorkmixClipart(const GUID& key) : key_(key) {}
    ~WorkmixClipart() override;

    // The view of the PDM object `key`, reused or new, with a pane in the active frame. Null for
    // an all-zero key, and for a new view when no pane can be made (the view is deleted); an
    // existing view is answered even then.
    static WorkmixClipart* Show(const GUID& key);
    static WorkmixClipart* FindByReferenceKey(const GUID& key);

    const GUID& GetKey() const { return key_; }
    KVPDMReferenceControl* GetReferenceControl() const { return control_; }

    void* GetHostedObject() const override { return control_; }
    KORVO_CLIPART_KIND_OPERATIONS(L"Workmix");

private:
    GUID key_{};
    KVPDMReferenceControl* control_ = nullptr;
};
