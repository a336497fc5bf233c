// A colour list of the colour pop-up: items whose data are colour words, drawn as a swatch and
// the colour's name. It keeps its selection while it has no focus. The items live here and in
// the owner-drawn list box that shows them, once one is attached.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/mfc.h"

class CColorListControl {
public:
    static constexpr int kItemWidth = 60;   // pixels at 96 dpi
    static constexpr int kItemHeight = 18;

    CColorListControl() = default;
    CColorListControl(const CColorListControl&) = delete;
    CColorListControl& operator=(const CColorListControl&) = delete;
    ~CColorListControl() { Attach(nullptr); }

    // The list box that shows the items from now on (null: none); it gets the items' height, its
    // Up and Down keys come here, and Enter in it accepts the dialog (IDOK to its parent).
    void Attach(HWND list);
    HWND GetSafeHwnd() const { return m_list; }

    void ResetContent();
    int AddItem(std::int32_t word);  // the new item's index
    int GetCount() const { return static_cast<int>(m_words.size()); }
    std::int32_t GetItemData(int index) const { return m_words.at(static_cast<std::size_t>(index)); }
    int FindItem(std::int32_t word) const;  // -1 when no item has it
    // The item whose shown text is `text`, or -1.
    int FindItemText(const CString& text) const;
    int GetCurSel() const { return m_selected; }
    void SetCurSel(int index);
    // Up and Down move the selection one item, staying on the list; other keys keep it.
    void OnKeyDown(UINT key);

    // One item as the list shows it: window colours (highlight colours when selected), a swatch
    // of the colour framed in the text colour, then its name from `textLeft` on.
    static void DrawItem(const DRAWITEMSTRUCT& item, int textWidth);
    // How wide the widest of these items' names is drawn.
    int WidestNameWidth() const;

    // The list's height in pixels, and whether it is on show.
    int m_height = 0;
    bool m_visible = true;

private:
    static LRESULT listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void detach();

    std::vector<std::int32_t> m_words;
    int m_selected = -1;
    HWND m_list = nullptr;
    WNDPROC m_listProc = nullptr;  // the list box's own procedure, while it is attached
};
