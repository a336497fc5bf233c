// The layer list of the layer control: the active document's layers and, last, the entry that
// makes a new layer (number -1). A choice closes it; Enter applies the one selected layer and
// keeps it open.
#pragma once

#include <vector>

#include "platform/kernel.h"
#include "syspanel/choosers/chooser_dialog.h"

class CLayerPopupControl;

class CLayerSelectDialog : public ChooserDialog {
public:
    static constexpr UINT kTemplateId = 21441;
    static constexpr int kPlaceholder = 1000;
    static constexpr UINT kNamePromptTitle = 10123;
    static constexpr UINT kNameTakenMessage = 11286;
    static constexpr int kUndoCode = 215;
    // The shown text of the entry for a new layer.
    static constexpr const wchar_t* kNewLayerText = L"new";

    explicit CLayerSelectDialog(CLayerPopupControl& owner) : ChooserDialog(kTemplateId), m_owner(owner) {}
    ~CLayerSelectDialog() override;

    // Opens below `control` of main frame `frame` for `document` with `layer` selected, as large
    // as the control keeps; false (it ends at once) without a document or a window.
    bool Open(const CXTPControl& control, HWND frame, KVDocument* document, int layer);
    void Close();

    // A layer by name, or kNewLayerText.
    std::optional<std::wstring> Pick(const std::wstring& item) override;
    void Deactivate() override;
    std::vector<std::wstring> Describe() const override;

    // The list's choice: the layer's number, or -1 for a new layer.
    void ApplySelection(int number);
    // Enter: applies the one selected layer and stays open.
    void OnOK() override;
    // The rows as the list shows them: layer numbers, -1 for the new-layer entry.
    const std::vector<int>& Rows() const { return m_rows; }
    int GetSelectedRow() const { return m_selected; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void createLayer();
    CString rowText(int row) const;

    std::vector<int> m_rows;
    int m_selected = -1;
    KVDocument* m_document = nullptr;
    HWND m_list = nullptr;
    CLayerPopupControl& m_owner;
};
