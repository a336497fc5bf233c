// The settings profiles page of the options sheet: the current settings and every stored profile
// as a tree of their items with tick boxes, and the buttons that make, rename, delete, fill,
// apply, export and import profiles.
#pragma once

#include <map>
#include <vector>

#include "platform/mfc.h"

class KorvoProfilePage : public CPropertyPage {
    DECLARE_DYNAMIC(KorvoProfilePage)
public:
    static constexpr UINT kTemplateId = 21101;
    static constexpr int kTreeId = 2473;
    static constexpr UINT kToggleTickMessage = WM_USER + 100;

    KorvoProfilePage();

    // Tick states, as the tree's state-image indexes.
    enum Tick { kUnticked = 1, kTicked = 2, kMixed = 3 };

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnApplyProfile();
    afx_msg void OnNew();
    afx_msg void OnDelete();
    afx_msg void OnRename();
    afx_msg void OnImport();
    afx_msg void OnExport();
    afx_msg void OnSaveInto();
    afx_msg LRESULT OnToggleTick(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HWND Tree() const;
    HTREEITEM Next(HTREEITEM item, UINT which) const;
    CString Text(HTREEITEM item) const;
    Tick GetTick(HTREEITEM item) const;
    void SetTick(HTREEITEM item, Tick tick);
    void ToggleTick(HTREEITEM item);
    HTREEITEM Insert(HTREEITEM parent, const CString& text, Tick tick);
    void InsertProfile(const CString& name, Tick tick);
    void SortProfiles();
    HTREEITEM FindProfile(const CString& name) const;
    void UpdateButtons();
    // The profile a tree item stands for (its own, or its parent's for an item); the root is null.
    HTREEITEM ProfileOf(HTREEITEM item) const;
    // The registry key names of the ticked children of a profile (or the root).
    std::vector<CString> TickedKeys(HTREEITEM profile) const;
    // The profile name of a top-level item: the default profile for the root.
    CString ProfileName(HTREEITEM profile) const;
    bool EndLabelEdit(const NMTVDISPINFOW& info);
    CString UniqueNewName() const;

    HTREEITEM m_root = nullptr;
    bool m_editing = false;
    // Item display names to their registry key names, without regard to case.
    std::map<CString, CString, bool (*)(const CString&, const CString&)> m_itemKeys;
};
