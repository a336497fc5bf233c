// The built-in edit control and the clipboard, pinned by their documented answers: selection,
// replacement with and without undo, the one-level undo that can itself be undone, the
// modification flag, read-only, margins, the notifications to the parent, and cut, copy and paste
// through a clipboard that one thread at a time may open.
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

DWORD runFunction(LPVOID parameter) {
    (*static_cast<std::function<void()>*>(parameter))();
    return 0;
}

void onOtherThread(std::function<void()> body) {
    HANDLE thread = CreateThread(nullptr, 0, &runFunction, &body, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
}

std::wstring textOf(HWND edit) {
    wchar_t buffer[256]{};
    GetWindowTextW(edit, buffer, 256);
    return buffer;
}

std::pair<DWORD, DWORD> selectionOf(HWND edit) {
    DWORD start = 99, end = 99;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

HWND createEdit(HWND parent, LPCWSTR text, DWORD style = 0) {
    return CreateWindowExW(0, L"EDIT", text, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, 0, 0, 80, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), nullptr, nullptr);
}

std::wstring clipboard() {
    if (!OpenClipboard(nullptr)) return L"(not open)";
    std::wstring text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(memory));
        text.assign(chars, std::find(chars, chars + GlobalSize(memory) / sizeof(wchar_t), L'\0'));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

TEST(Win32Edit, SelectionReplacementUndoAndTheModificationFlag) {
    HWND parent = create("parent", WS_POPUP);
    std::vector<WPARAM> changes;
    const auto commands = onMessage(WM_COMMAND, [&](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        changes.push_back(wParam);
        return 0;
    });
    HWND edit = createEdit(parent, L"12.5");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(textOf(edit), L"12.5");
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);

    // 0, -1 selects all; an end past the text is the text's end; -1 as start deselects.
    SendMessageW(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{0}, DWORD{4}));
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), static_cast<LRESULT>(MAKELONG(0, 4)));
    SendMessageW(edit, EM_SETSEL, 3, 1);  // reversed: reported in order
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{1}, DWORD{3}));
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{1}, DWORD{1}));
    EXPECT_EQ(SendMessageW(edit, EM_SCROLLCARET, 0, 0), TRUE);

    // Replacing with undo: modified, one EN_CHANGE, the caret after the new text.
    SendMessageW(edit, EM_SETSEL, 0, -1);
    changes.clear();
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"7"));
    EXPECT_EQ(textOf(edit), L"7");
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{1}, DWORD{1}));
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), TRUE);
    EXPECT_EQ(changes, std::vector<WPARAM>{MAKEWPARAM(7, EN_CHANGE)});
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), TRUE);
    // A single-line edit answers TRUE; the undo selects what came back and can itself be undone.
    EXPECT_EQ(SendMessageW(edit, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(textOf(edit), L"12.5");
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{0}, DWORD{4}));
    EXPECT_EQ(SendMessageW(edit, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(textOf(edit), L"7");

    // Without undo the undo step is gone; EM_UNDO of nothing still answers TRUE and changes nothing.
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{0}, DWORD{1})) << "what the undo brought back is selected";
    SendMessageW(edit, EM_SETSEL, 1, 1);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"5"));
    EXPECT_EQ(textOf(edit), L"75");
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(edit, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(textOf(edit), L"75");

    // EM_SETMODIFY sets the flag as given; WM_SETTEXT clears it and the undo step, and a
    // single-line edit reports the new text.
    SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"1"));
    changes.clear();
    EXPECT_TRUE(SetWindowTextW(edit, L"3"));
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
    EXPECT_EQ(selectionOf(edit), std::make_pair(DWORD{0}, DWORD{0}));
    EXPECT_EQ(changes, std::vector<WPARAM>{MAKEWPARAM(7, EN_CHANGE)});

    // Typing goes in at the caret; a run of typing is one undo step; Backspace takes one back.
    SendMessageW(edit, EM_SETSEL, 1, 1);
    for (wchar_t c : std::wstring(L".25")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(textOf(edit), L"3.25");
    SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(textOf(edit), L"3.2");
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(textOf(edit), L"3.25");
    DestroyWindow(parent);
}

TEST(Win32Edit, ReadOnlyEditsRefuseChangesAndMarginsFollowTheirFlags) {
    HWND parent = create("parent", WS_POPUP);
    HWND edit = createEdit(parent, L"abc", ES_READONLY);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, L'x', 1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    SendMessageW(edit, WM_CUT, 0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(edit), L"abc");
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(edit, EM_SETREADONLY, FALSE, 0), TRUE);
    EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & static_cast<LONG>(ES_READONLY), 0);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(textOf(edit), L"");

    // Each margin named in wParam takes its word; EC_USEFONTINFO gives the font's, which is none
    // for an edit without a font.
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 16));
    EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), static_cast<LRESULT>(MAKELONG(0, 16)));
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(3, 40));
    EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), static_cast<LRESULT>(MAKELONG(3, 16)));
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, EC_USEFONTINFO));
    EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), static_cast<LRESULT>(MAKELONG(3, 0)));
    DestroyWindow(parent);
}

TEST(Win32Edit, CutCopyAndPasteGoThroughTheClipboard) {
    HWND parent = create("parent", WS_POPUP);
    HWND edit = createEdit(parent, L"2.5 mm");
    SendMessageW(edit, EM_SETSEL, 0, 3);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboard(), L"2.5");
    EXPECT_EQ(GetClipboardOwner(), edit);
    // Nothing selected: copy leaves the clipboard alone.
    SendMessageW(edit, EM_SETSEL, 2, 2);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(clipboard(), L"2.5");
    SendMessageW(edit, EM_SETSEL, 3, -1);
    SendMessageW(edit, WM_CUT, 0, 0);
    EXPECT_EQ(textOf(edit), L"2.5");
    EXPECT_EQ(clipboard(), L" mm");
    EXPECT_EQ(SendMessageW(edit, EM_GETMODIFY, 0, 0), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(edit), L" mm2.5");
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(textOf(edit), L"2.5");

    // A single-line edit pastes up to the first line break.
    ASSERT_TRUE(OpenClipboard(parent));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 16 * sizeof(wchar_t));
    wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), L"4\r\n5");
    EXPECT_FALSE(GlobalUnlock(memory));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, memory), memory);
    ASSERT_TRUE(CloseClipboard());
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(edit), L"4");
    DestroyWindow(parent);
}

TEST(Win32Clipboard, OneThreadAtATimeAndTheDocumentedFailures) {
    HWND first = create("first", WS_POPUP);
    HWND second = create("second", WS_POPUP);
    SetLastError(0);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    HGLOBAL memory = GlobalAlloc(GHND, 4 * sizeof(wchar_t));
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);

    ASSERT_TRUE(OpenClipboard(first));
    EXPECT_TRUE(OpenClipboard(first)) << "again for the same window of the same thread";
    EXPECT_EQ(GetOpenClipboardWindow(), first);
    EXPECT_FALSE(OpenClipboard(second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    bool openedElsewhere = true;
    DWORD elsewhereError = 0;
    onOtherThread([&] {
        openedElsewhere = OpenClipboard(nullptr) != FALSE;
        elsewhereError = GetLastError();
        EXPECT_FALSE(CloseClipboard()) << "another thread's clipboard is not this thread's to close";
    });
    EXPECT_FALSE(openedElsewhere);
    EXPECT_EQ(elsewhereError, static_cast<DWORD>(ERROR_ACCESS_DENIED));

    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), first);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), L"9");
    GlobalUnlock(memory);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, memory), memory);
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), memory);
    // The clipboard owns the block now.
    EXPECT_EQ(GlobalFree(memory), memory);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));

    // Closed, any thread may open it and read.
    std::wstring read;
    onOtherThread([&] { read = clipboard(); });
    EXPECT_EQ(read, L"9");

    // Global memory: an unlocked block refuses another unlock; a freed handle is no block.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    EXPECT_EQ(GlobalSize(block), 8u);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DestroyWindow(first);
    DestroyWindow(second);
}

}  // namespace
