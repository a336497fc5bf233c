// A manipulator panel: the place where a running command puts its own controls (numeric edits,
// check boxes, labels) on the system panel. Each main frame has two, with ids 1 and 2; the id is
// also the group of the system-panel bar in which the panel's controls stand.
#pragma once

#include "syspanel/parameter_controls.h"

class CManipPanel {
public:
    explicit CManipPanel(int panelId) : m_panelId(panelId) {}
    virtual ~CManipPanel() = default;
    CManipPanel(const CManipPanel&) = delete;
    CManipPanel& operator=(const CManipPanel&) = delete;

    int GetPanelId() const { return m_panelId; }
    // The panel holds no control yet (the next one added begins a group).
    virtual bool IsEmpty() const { return m_empty; }
    virtual void Clear() { m_empty = true; }

private:
    bool m_empty = true;
    int m_panelId;
};

// The numeric edit a command puts on a manipulator panel: a parameter edit without a parameter
// name (it never writes to the document; the command reads it).
class CManipPanelEdit : public CSyspanelEdit {
    DECLARE_DYNCREATE(CManipPanelEdit)
public:
    CManipPanelEdit() : CSyspanelEdit(std::string_view(), 0, 0.1) {}
};
