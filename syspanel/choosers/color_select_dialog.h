// The colour pop-up of the colour control: a standard list of the kernel's table colours (16, or
// all of them with "Show256"), a user list of the custom colours, and a button to the Windows
// colour dialog. Its sizes, "Show256" and the custom colours persist in the registry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/kernel.h"
#include "syspanel/choosers/colour_list.h"
#include "syspanel/choosers/chooser_dialog.h"

class CColorPopupControl;

class CColorSelectDialog : public ChooserDialog {
public:
    static constexpr UINT kTemplateId = 147;
    static constexpr int kStandardList = 1014;
    static constexpr int kUserList = 1015;
    static constexpr int kOtherColourButton = 1016;
    static constexpr int kShow256Check = 1017;
    static constexpr UINT kSplitterCursor = 30981;
    // What the two controls besides the lists show (a pick names them so).
    static constexpr const wchar_t* kOtherColourText = L"Other colours...";
    static constexpr const wchar_t* kShow256Text = L"Show256";

    explicit CColorSelectDialog(CColorPopupControl& owner) : ChooserDialog(kTemplateId), m_owner(owner) {}
    // A pop-up that goes with its control leaves the views' focus handling as it was.
    ~CColorSelectDialog() override;

    // Opens below `control` of main frame `frame` for the colour word `current`: state from the
    // registry, both lists filled. False when its window could not be made (it stays closed).
    bool Open(const CXTPControl& control, HWND frame, std::int32_t current);
    // Closes without a choice; the state goes to the registry.
    void Close();

    // A colour of either list by its shown text, kOtherColourText or kShow256Text.
    std::optional<std::wstring> Pick(const std::wstring& item) override;
    void Deactivate() override;
    std::vector<std::wstring> Describe() const override;

    // A list's selection changed to `index`: that colour is chosen.
    void OnSelChange(int listId, int index);
    void OnOK() override;
    void OnShow256();
    void OnOtherColour();
    // The dialog's window became `width` by `height` (at least 150 by 150).
    void OnSize(int width, int height);
    // The splitter between the lists dragged by `dy` pixels; false when it stayed (a list would
    // be 10 pixels or lower, or the user list is hidden).
    bool DragSplitter(int dy);

    const CColorListControl& StandardList() const { return m_standard; }
    const CColorListControl& UserList() const { return m_user; }
    const std::array<COLORREF, 16>& CustomColours() const { return m_custom; }
    bool IsShow256() const { return m_show256; }
    bool IsShow256Enabled() const { return m_show256Enabled; }
    bool IsUserListVisible() const { return m_userVisible; }
    std::int32_t GetCurrentColour() const { return m_current; }
    SIZE GetSize() const { return {m_width, m_height}; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillStandardList();
    void fillUserList();
    void readState();
    void writeState();
    void writeCustomColours();
    // Places the lists, the button and the check box for the current sizes.
    void layout();
    // Whether a screen point lies on the gap between the lists.
    bool onSplitter(POINT screen) const;
    bool mouse(UINT message, POINT client);

    CColorListControl m_standard;
    CColorListControl m_user;
    std::array<COLORREF, 16> m_custom{};
    std::int32_t m_current = 0;
    int m_standardCount = 16;
    int m_nameWidth = 0;
    bool m_show256 = true;
    bool m_show256Enabled = true;
    bool m_dragging = false;
    bool m_userVisible = true;
    bool m_colourDialogOpen = false;
    bool m_placed = false;  // sizes from the registry are in force: resizing distributes
    int m_width = 0;
    int m_height = 0;
    POINT m_lastDrag{};
    CColorPopupControl& m_owner;
};
