// The toolkit's controls and control collections, at their least: a collection holds one
// reference on each of its controls; a control goes away with its last reference.
#pragma once

#include <vector>

#include "platform/mfc.h"

enum XTPControlType {
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlLabel = 8,
};

class CXTPControls;

class CXTPControl : public CCmdTarget {
public:
    explicit CXTPControl(XTPControlType type = xtpControlButton) : type_(type) {}

    XTPControlType GetType() const { return type_; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }
    CString GetCaption() const { return caption_; }
    void SetCaption(LPCWSTR caption) { caption_ = caption; }
    CXTPControls* GetControls() const { return parent_; }

private:
    friend class CXTPControls;
    XTPControlType type_;
    int id_ = 0;
    CString caption_;
    CXTPControls* parent_ = nullptr;
};

// The controls of one command bar (or popup).
class CXTPControls : public CCmdTarget {
public:
    CXTPControls() = default;
    ~CXTPControls() override;

    // Adds a new control of `type` with `id` before the control at `before` (-1: at the end).
    CXTPControl* Add(XTPControlType type, int id, LPCWSTR parameter = nullptr, int before = -1,
                     BOOL temporary = FALSE);
    int GetCount() const { return static_cast<int>(controls_.size()); }
    // Null outside 0 .. GetCount() - 1.
    CXTPControl* GetAt(int index) const;
    // Removes the control, giving back the collection's reference.
    void Remove(CXTPControl* control);
    void RemoveAll();

    // Records the present controls as the set a reset of the bar returns to.
    void CreateOriginalControls();
    bool HasOriginalControls() const { return hasOriginal_; }

private:
    std::vector<CXTPControl*> controls_;
    bool hasOriginal_ = false;
};
