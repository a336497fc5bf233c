// The built-in edit control. The text is the window text; the rest of an edit's state lives here,
// touched only on the thread that owns the window.
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/core/process.h"
#include "platform/win32.h"

namespace {

struct EditState {
    std::size_t anchor = 0;  // where the selection started
    std::size_t caret = 0;   // where it ends (the caret)
    bool modified = false;
    // The one undo step: the text at `undoPosition`, `undoInserted` characters long, was put in
    // place of `undoRemoved`.
    bool canUndo = false;
    std::size_t undoPosition = 0;
    std::size_t undoInserted = 0;
    std::wstring undoRemoved;
    bool typing = false;  // the undo step is a run of typed characters that may grow
    int leftMargin = 0;
    int rightMargin = 0;
    std::size_t firstLine = 0;  // the top line shown by a multi-line edit
};

struct EditTable {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<EditState>> edits;
};

EditTable& editTable() {
    static EditTable& table = platform::core::process().table<EditTable>();
    return table;
}

std::shared_ptr<EditState> stateOf(HWND hwnd, bool create) {
    auto& table = editTable();
    std::lock_guard lock(table.mutex);
    if (const auto it = table.edits.find(hwnd); it != table.edits.end()) return it->second;
    if (!create) return nullptr;
    return table.edits[hwnd] = std::make_shared<EditState>();
}

void forget(HWND hwnd) {
    auto& table = editTable();
    std::lock_guard lock(table.mutex);
    table.edits.erase(hwnd);
}

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(DefWindowProcW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        DefWindowProcW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }

void notifyParent(HWND hwnd, WORD code) {
    const HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

std::size_t selStart(const EditState& s) { return std::min(s.anchor, s.caret); }
std::size_t selEnd(const EditState& s) { return std::max(s.anchor, s.caret); }

// Replaces the selection by `text`; the caret follows the new text. Every change by the user or by
// EM_REPLACESEL goes through here: it marks the edit modified and tells the parent.
void replaceSelection(HWND hwnd, EditState& s, std::wstring_view text, bool undoable, bool typed = false) {
    std::wstring all = textOf(hwnd);
    const std::size_t start = std::min(selStart(s), all.size());
    const std::size_t end = std::min(selEnd(s), all.size());
    if (start == end && text.empty()) return;
    const std::wstring removed = all.substr(start, end - start);
    all.replace(start, end - start, text);
    if (!undoable) {
        s.canUndo = false;
        s.typing = false;
    } else if (typed && s.typing && s.canUndo && removed.empty() && start == s.undoPosition + s.undoInserted) {
        s.undoInserted += text.size();  // one undo takes back the whole run of typing
    } else {
        s.canUndo = true;
        s.undoPosition = start;
        s.undoInserted = text.size();
        s.undoRemoved = removed;
        s.typing = typed;
    }
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(all.c_str()));
    s.anchor = s.caret = start + text.size();
    s.modified = true;
    notifyParent(hwnd, EN_CHANGE);
}

bool undo(HWND hwnd, EditState& s) {
    if (!s.canUndo) return false;
    std::wstring all = textOf(hwnd);
    const std::size_t position = std::min(s.undoPosition, all.size());
    const std::size_t length = std::min(s.undoInserted, all.size() - position);
    const std::wstring inserted = all.substr(position, length);
    all.replace(position, length, s.undoRemoved);
    // The undo can itself be undone.
    s.undoInserted = s.undoRemoved.size();
    s.undoRemoved = inserted;
    s.typing = false;
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(all.c_str()));
    s.anchor = position;
    s.caret = position + s.undoInserted;
    s.modified = true;
    notifyParent(hwnd, EN_CHANGE);
    return true;
}

void copySelection(HWND hwnd, const EditState& s) {
    const std::wstring all = textOf(hwnd);
    const std::size_t start = std::min(selStart(s), all.size());
    const std::size_t end = std::min(selEnd(s), all.size());
    if (start == end) return;
    const std::wstring text = all.substr(start, end - start);
    if (!OpenClipboard(hwnd)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        auto* target = static_cast<wchar_t*>(GlobalLock(memory));
        std::copy(text.begin(), text.end(), target);
        target[text.size()] = L'\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

// The clipboard's text; a single-line edit takes it up to the first line break.
std::wstring clipboardText(HWND hwnd, bool multiLine) {
    if (!OpenClipboard(hwnd)) return {};
    std::wstring text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        const auto* source = static_cast<const wchar_t*>(GlobalLock(memory));
        const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
        if (source) text.assign(source, std::find(source, source + capacity, L'\0'));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    if (!multiLine) text = text.substr(0, text.find_first_of(L"\r\n"));
    return text;
}

int fontMargin() {
    // The stand-in's edit draws with no font of its own; an edit without a font has no margins.
    return 0;
}

LRESULT setSelection(HWND hwnd, EditState& s, WPARAM startParam, LPARAM endParam) {
    const std::size_t length = textOf(hwnd).size();
    const auto start = static_cast<long long>(static_cast<int>(startParam));
    const auto end = static_cast<long long>(static_cast<int>(endParam));
    if (start < 0) {
        s.anchor = s.caret;  // -1 deselects, leaving the caret where it is
        return 0;
    }
    s.anchor = std::min(static_cast<std::size_t>(start), length);
    s.caret = end < 0 ? length : std::min(static_cast<std::size_t>(end), length);
    return 0;
}

void keyDown(HWND hwnd, EditState& s, UINT key) {
    const std::size_t length = textOf(hwnd).size();
    switch (key) {
        case VK_HOME: s.anchor = s.caret = 0; break;
        case VK_END: s.anchor = s.caret = length; break;
        case VK_LEFT: s.anchor = s.caret = selStart(s) == selEnd(s) && s.caret > 0 ? s.caret - 1 : selStart(s); break;
        case VK_RIGHT: s.anchor = s.caret = selStart(s) == selEnd(s) ? std::min(s.caret + 1, length) : selEnd(s); break;
        case VK_DELETE:
            if (styleOf(hwnd) & ES_READONLY) return;
            if (selStart(s) == selEnd(s)) {
                if (s.caret >= length) return;
                s.anchor = s.caret + 1;
            }
            replaceSelection(hwnd, s, L"", true);
            break;
        default: break;
    }
}

void character(HWND hwnd, EditState& s, wchar_t c) {
    if (styleOf(hwnd) & ES_READONLY) return;
    if (c == static_cast<wchar_t>(VK_BACK)) {
        if (selStart(s) == selEnd(s)) {
            if (s.caret == 0) return;
            s.anchor = s.caret - 1;
        }
        replaceSelection(hwnd, s, L"", true);
        return;
    }
    if (c < L' ') return;  // other control characters type nothing
    replaceSelection(hwnd, s, std::wstring_view(&c, 1), true, true);
}

}  // namespace

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) stateOf(hwnd, true);
    if (message == WM_NCDESTROY) {
        forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const std::shared_ptr<EditState> state = stateOf(hwnd, false);
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    EditState& s = *state;
    const DWORD style = styleOf(hwnd);
    switch (message) {
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            s.anchor = s.caret = 0;
            s.modified = false;
            s.canUndo = false;
            s.typing = false;
            s.firstLine = 0;
            // A multi-line edit does not report text set this way.
            if (!(style & ES_MULTILINE)) notifyParent(hwnd, EN_CHANGE);
            return result;
        }
        case EM_GETSEL: {
            const auto start = static_cast<DWORD>(selStart(s));
            const auto end = static_cast<DWORD>(selEnd(s));
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
        }
        case EM_SETSEL: s.typing = false; return setSelection(hwnd, s, wParam, lParam);
        case EM_SCROLLCARET: return TRUE;
        case EM_LINESCROLL: {
            if (!(style & ES_MULTILINE)) return FALSE;
            // Scrolling stops at the last line, whatever the count.
            const std::wstring text = textOf(hwnd);
            const auto last = static_cast<long long>(std::count(text.begin(), text.end(), L'\n'));
            const long long wanted = static_cast<long long>(s.firstLine) + static_cast<long long>(static_cast<int>(lParam));
            s.firstLine = static_cast<std::size_t>(std::clamp(wanted, 0LL, last));
            return TRUE;
        }
        case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(s.firstLine);
        case EM_GETMODIFY: return s.modified ? TRUE : FALSE;
        case EM_SETMODIFY: s.modified = wParam != 0; return 0;
        case EM_REPLACESEL: {
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            replaceSelection(hwnd, s, text ? text : L"", wParam != 0);
            return 0;
        }
        case EM_CANUNDO: return s.canUndo ? TRUE : FALSE;
        case EM_UNDO:
        case WM_UNDO: {
            const bool undone = undo(hwnd, s);
            return (style & ES_MULTILINE) ? (undone ? TRUE : FALSE) : TRUE;
        }
        case EM_EMPTYUNDOBUFFER: s.canUndo = false; s.typing = false; return 0;
        case EM_SETREADONLY:
            SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
            return TRUE;
        case EM_SETMARGINS: {
            const bool fontInfo = wParam == EC_USEFONTINFO;
            if (fontInfo || (wParam & EC_LEFTMARGIN))
                s.leftMargin = fontInfo || LOWORD(lParam) == EC_USEFONTINFO ? fontMargin() : LOWORD(lParam);
            if (fontInfo || (wParam & EC_RIGHTMARGIN))
                s.rightMargin = fontInfo || HIWORD(lParam) == EC_USEFONTINFO ? fontMargin() : HIWORD(lParam);
            return 0;
        }
        case EM_GETMARGINS:
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(s.leftMargin), static_cast<WORD>(s.rightMargin)));
        case WM_COPY: copySelection(hwnd, s); return 0;
        case WM_CUT:
            if (style & ES_READONLY) return 0;
            copySelection(hwnd, s);
            replaceSelection(hwnd, s, L"", true);
            return 0;
        case WM_CLEAR:
            if (!(style & ES_READONLY)) replaceSelection(hwnd, s, L"", true);
            return 0;
        case WM_PASTE:
            if (!(style & ES_READONLY)) {
                const std::wstring text = clipboardText(hwnd, (style & ES_MULTILINE) != 0);
                if (!text.empty()) replaceSelection(hwnd, s, text, true);
            }
            return 0;
        case WM_KEYDOWN: keyDown(hwnd, s, static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: character(hwnd, s, static_cast<wchar_t>(wParam)); return 0;
        case WM_SETFOCUS: notifyParent(hwnd, EN_SETFOCUS); return 0;
        case WM_KILLFOCUS: notifyParent(hwnd, EN_KILLFOCUS); return 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
