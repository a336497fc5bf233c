// The coordinate-system list of the coordinate-system control: the active page's own system, the
// local systems on that page, the page's view projections that have no local system yet, and a
// last row that starts the command creating or selecting one. Hovering a row marks its object
// in the views; a choice closes the list.
#pragma once

#include <vector>

#include "platform/kernel.h"
#include "syspanel/choosers/chooser_dialog.h"

class LCSPopupControl;

class LCSSelectDialog : public ChooserDialog {
public:
    static constexpr UINT kTemplateId = 21441;
    static constexpr int kPlaceholder = 1000;
    static constexpr int kUndoCode = 218;
    static constexpr int kProjectionSystemType = 2;
    static constexpr UINT kCreateOrSelectCommand = 2130;
    static constexpr const wchar_t* kPageSystemText = L"PageCoordinateSystem";
    static constexpr const wchar_t* kCreateOrSelectText = L"CreateOrSelectCoordinateSystem";
    static constexpr const wchar_t* kColumnTitle = L"CoordinateSystem";
    static constexpr const wchar_t* kListTheme = L"Explorer";

    struct Row {
        CString text;
        const CKVObject* object = nullptr;  // null for the last row
        int icon = 0;
    };

    explicit LCSSelectDialog(LCSPopupControl& owner) : ChooserDialog(kTemplateId), m_owner(owner) {}
    ~LCSSelectDialog() override;

    // Opens below `control` of main frame `frame` for `document` with the system of `index`
    // (negative: the page's own) current, as large as the control keeps; false (it ends at
    // once) without a document or a window.
    bool Open(const CXTPControl& control, HWND frame, KVDocument* document, int index);
    void Close();

    // A row by its text.
    std::optional<std::wstring> Pick(const std::wstring& item) override;
    void Deactivate() override;
    std::vector<std::wstring> Describe() const override;

    // The selected row changed (to another object than the current one: applied).
    void OnSelChange(int row);
    // The mouse rests on a row (-1: none): its object is marked in the views.
    void OnHotItem(int row);
    const std::vector<Row>& Rows() const { return m_rows; }
    int GetSelectedRow() const { return m_selected; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void apply(const Row& row);

    std::vector<Row> m_rows;
    int m_selected = -1;
    const CKVObject* m_current = nullptr;
    bool m_loading = false;
    KVDocument* m_document = nullptr;
    CListCtrl m_list;
    LCSPopupControl& m_owner;
};
