#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/treeview.h"
#include "platform/win32/window/window.h"

namespace {

constexpr int kRowHeight = 16;
constexpr int kIndent = 19;
constexpr int kStateImageWidth = 16;
constexpr int kIconWidth = 16;

struct TreeNode {
    std::wstring text;
    LPARAM value = 0;
    UINT state = 0;  // the state-image bits (TVIS_STATEIMAGEMASK) only
    std::uintptr_t parent = 0;
    std::vector<std::uintptr_t> children;
};

struct TreeViewState {
    std::map<std::uintptr_t, TreeNode> nodes;  // 0 is the invisible root
    std::uintptr_t nextId = 1;
    std::uintptr_t selected = 0;
    std::uintptr_t editing = 0;
    HWND edit = nullptr;
};

struct TreeViews {
    std::mutex mutex;
    std::map<HWND, TreeViewState> byWindow;
};

TreeViews& treeViews() {
    static TreeViews& table = platform::core::process().table<TreeViews>();
    return table;
}

HTREEITEM handleOf(std::uintptr_t id) { return reinterpret_cast<HTREEITEM>(id); }

// The id of an item the tree holds, or 0; TVI_ROOT names the invisible root (0 as well).
std::uintptr_t idOf(const TreeViewState& state, HTREEITEM item) {
    const auto id = reinterpret_cast<std::uintptr_t>(item);
    return id != 0 && state.nodes.count(id) ? id : 0;
}

std::vector<std::uintptr_t>& siblingsOf(TreeViewState& state, std::uintptr_t id) {
    return state.nodes[state.nodes[id].parent].children;
}

void eraseSubtree(TreeViewState& state, std::uintptr_t id) {
    const std::vector<std::uintptr_t> children = state.nodes[id].children;
    for (std::uintptr_t child : children) eraseSubtree(state, child);
    if (state.selected == id) state.selected = 0;
    if (id != 0) state.nodes.erase(id);
    else state.nodes[0].children.clear();
}

// Every item in the order the rows show them, with its depth.
void rows(const TreeViewState& state, std::uintptr_t parent, int depth, std::vector<std::pair<std::uintptr_t, int>>& out) {
    for (std::uintptr_t child : state.nodes.at(parent).children) {
        out.emplace_back(child, depth);
        rows(state, child, depth + 1, out);
    }
}

std::wstring textOf(HWND edit) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

LRESULT notify(HWND hwnd, NMHDR& header, UINT code) {
    header.hwndFrom = hwnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    header.code = code;
    return SendMessageW(GetParent(hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void fill(TVITEMW& item, std::uintptr_t id, const TreeNode& node) {
    item.hItem = handleOf(id);
    item.lParam = node.value;
    item.state = node.state;
    item.mask = TVIF_PARAM | TVIF_STATE;
}

// Ends the label edit under way; with `keep` the parent may take the edit box's text.
void endLabelEdit(HWND hwnd, std::unique_lock<std::mutex>& lock, bool keep) {
    TreeViewState& state = treeViews().byWindow[hwnd];
    const HWND edit = state.edit;
    const std::uintptr_t id = state.editing;
    state.edit = nullptr;
    state.editing = 0;
    if (!edit) return;
    std::wstring text = keep && IsWindow(edit) ? textOf(edit) : std::wstring();
    const bool known = state.nodes.count(id) != 0;
    NMTVDISPINFOW info;
    if (known) fill(info.item, id, state.nodes[id]);
    lock.unlock();
    if (IsWindow(edit)) DestroyWindow(edit);
    LRESULT kept = 0;
    if (known) {
        info.item.mask |= TVIF_TEXT;
        info.item.pszText = keep ? text.data() : nullptr;
        kept = notify(hwnd, info.hdr, TVN_ENDLABELEDITW);
    }
    lock.lock();
    TreeViewState& after = treeViews().byWindow[hwnd];
    if (keep && kept && after.nodes.count(id)) after.nodes[id].text = text;
}

void select(HWND hwnd, std::unique_lock<std::mutex>& lock, std::uintptr_t id) {
    TreeViewState& state = treeViews().byWindow[hwnd];
    if (state.selected == id) return;
    NMTREEVIEWW info;
    if (state.nodes.count(state.selected)) fill(info.itemOld, state.selected, state.nodes[state.selected]);
    if (id) fill(info.itemNew, id, state.nodes[id]);
    state.selected = id;
    lock.unlock();
    notify(hwnd, info.hdr, TVN_SELCHANGEDW);
    lock.lock();
}

HTREEITEM insert(TreeViewState& state, const TVINSERTSTRUCTW& insertion) {
    const std::uintptr_t parent = insertion.hParent == TVI_ROOT ? 0 : idOf(state, insertion.hParent);
    if (insertion.hParent && insertion.hParent != TVI_ROOT && parent == 0) return nullptr;
    const std::uintptr_t id = state.nextId++;
    TreeNode& node = state.nodes[id];
    node.parent = parent;
    if (insertion.item.mask & TVIF_TEXT) node.text = insertion.item.pszText ? insertion.item.pszText : L"";
    if (insertion.item.mask & TVIF_PARAM) node.value = insertion.item.lParam;
    if (insertion.item.mask & TVIF_STATE)
        node.state = insertion.item.state & insertion.item.stateMask & TVIS_STATEIMAGEMASK;
    auto& siblings = state.nodes[parent].children;
    if (insertion.hInsertAfter == TVI_FIRST) {
        siblings.insert(siblings.begin(), id);
    } else if (insertion.hInsertAfter == TVI_SORT) {
        auto at = std::find_if(siblings.begin(), siblings.end(), [&](std::uintptr_t other) {
            return platform::core::foldCase(state.nodes[other].text) > platform::core::foldCase(node.text);
        });
        siblings.insert(at, id);
    } else {
        auto after = std::find(siblings.begin(), siblings.end(), idOf(state, insertion.hInsertAfter));
        siblings.insert(after == siblings.end() ? siblings.end() : after + 1, id);
    }
    return handleOf(id);
}

LRESULT nextItem(const TreeViewState& state, UINT which, HTREEITEM from) {
    const std::uintptr_t id = idOf(state, from);
    auto siblingAt = [&](int step) -> std::uintptr_t {
        if (!id) return 0;
        const auto& siblings = state.nodes.at(state.nodes.at(id).parent).children;
        const auto at = std::find(siblings.begin(), siblings.end(), id) - siblings.begin() + step;
        return at >= 0 && at < static_cast<std::ptrdiff_t>(siblings.size()) ? siblings[static_cast<std::size_t>(at)] : 0;
    };
    std::uintptr_t found = 0;
    switch (which) {
        case TVGN_ROOT: found = state.nodes.at(0).children.empty() ? 0 : state.nodes.at(0).children.front(); break;
        case TVGN_NEXT: found = siblingAt(1); break;
        case TVGN_PREVIOUS: found = siblingAt(-1); break;
        case TVGN_PARENT: found = id ? state.nodes.at(id).parent : 0; break;
        case TVGN_CHILD: {
            const auto& children = state.nodes.at(from == TVI_ROOT || !from ? 0 : id).children;
            found = (id || from == TVI_ROOT || !from) && !children.empty() ? children.front() : 0;
            break;
        }
        case TVGN_CARET: found = state.selected; break;
        default: break;
    }
    return reinterpret_cast<LRESULT>(handleOf(found));
}

RECT stateImageRect(const TreeViewState& state, std::uintptr_t id, bool& found) {
    std::vector<std::pair<std::uintptr_t, int>> shown;
    rows(state, 0, 0, shown);
    found = false;
    for (std::size_t row = 0; row < shown.size(); ++row) {
        if (shown[row].first != id) continue;
        found = true;
        const int left = shown[row].second * kIndent + kIndent;
        const int top = static_cast<int>(row) * kRowHeight;
        return RECT{left, top, left + kStateImageWidth, top + kRowHeight};
    }
    return RECT{};
}

void hitTest(const TreeViewState& state, TVHITTESTINFO& info) {
    std::vector<std::pair<std::uintptr_t, int>> shown;
    rows(state, 0, 0, shown);
    info.flags = TVHT_NOWHERE;
    info.hItem = nullptr;
    const int row = info.pt.y >= 0 ? info.pt.y / kRowHeight : -1;
    if (row < 0 || row >= static_cast<int>(shown.size())) return;
    const int left = shown[static_cast<std::size_t>(row)].second * kIndent + kIndent;
    info.hItem = handleOf(shown[static_cast<std::size_t>(row)].first);
    if (info.pt.x < left) info.flags = TVHT_ONITEMINDENT;
    else if (info.pt.x < left + kStateImageWidth) info.flags = TVHT_ONITEMSTATEICON;
    else if (info.pt.x < left + kStateImageWidth + kIconWidth) info.flags = TVHT_ONITEMICON;
    else info.flags = TVHT_ONITEMLABEL;
}

}  // namespace

namespace platform::win32 {

bool treeStateImagePoint(HWND tree, HTREEITEM item, POINT& point) {
    auto& trees = treeViews();
    std::lock_guard lock(trees.mutex);
    auto it = trees.byWindow.find(tree);
    if (it == trees.byWindow.end() || !idOf(it->second, item)) return false;
    bool found = false;
    const RECT rect = stateImageRect(it->second, idOf(it->second, item), found);
    point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return found;
}

}  // namespace platform::win32

LRESULT TreeViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& trees = treeViews();
    std::unique_lock lock(trees.mutex);
    auto state = [&]() -> TreeViewState& { return trees.byWindow[hwnd]; };
    switch (message) {
        case WM_NCDESTROY:
            trees.byWindow.erase(hwnd);
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case TVM_INSERTITEMW:
            return lParam ? reinterpret_cast<LRESULT>(insert(state(), *reinterpret_cast<const TVINSERTSTRUCTW*>(lParam))) : 0;
        case TVM_DELETEITEM: {
            const auto item = reinterpret_cast<HTREEITEM>(lParam);
            const std::uintptr_t id = item == TVI_ROOT || !item ? 0 : idOf(state(), item);
            if (item && item != TVI_ROOT && id == 0) return FALSE;
            const bool selectionGoes = [&] {
                for (std::uintptr_t at = state().selected; at; at = state().nodes[at].parent)
                    if (at == id) return true;
                return id == 0;
            }();
            if (id) std::erase(siblingsOf(state(), id), id);
            eraseSubtree(state(), id);
            if (selectionGoes && state().selected) state().selected = 0;
            return TRUE;
        }
        case TVM_EXPAND:
        case TVM_SETIMAGELIST: return 0;
        case TVM_GETCOUNT: return static_cast<LRESULT>(state().nodes.size() - (state().nodes.count(0) ? 1 : 0));
        case TVM_GETNEXTITEM:
            state().nodes[0];
            return nextItem(state(), static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
        case TVM_SELECTITEM: {
            const std::uintptr_t id = idOf(state(), reinterpret_cast<HTREEITEM>(lParam));
            if (lParam && !id) return FALSE;
            select(hwnd, lock, id);
            return TRUE;
        }
        case TVM_HITTEST: {
            auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
            if (!info) return 0;
            state().nodes[0];
            hitTest(state(), *info);
            return reinterpret_cast<LRESULT>(info->hItem);
        }
        case TVM_SORTCHILDREN: {
            const auto parent = reinterpret_cast<HTREEITEM>(lParam);
            const std::uintptr_t id = parent == TVI_ROOT || !parent ? 0 : idOf(state(), parent);
            auto& children = state().nodes[id].children;
            auto& nodes = state().nodes;
            std::stable_sort(children.begin(), children.end(), [&](std::uintptr_t a, std::uintptr_t b) {
                return platform::core::foldCase(nodes[a].text) < platform::core::foldCase(nodes[b].text);
            });
            return TRUE;
        }
        case TVM_SORTCHILDRENCB: {
            const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
            if (!sort || !sort->lpfnCompare) return FALSE;
            const std::uintptr_t id = sort->hParent == TVI_ROOT || !sort->hParent ? 0 : idOf(state(), sort->hParent);
            std::vector<std::uintptr_t> children = state().nodes[id].children;
            std::vector<std::pair<std::uintptr_t, LPARAM>> keyed;
            for (std::uintptr_t child : children) keyed.emplace_back(child, state().nodes[child].value);
            // The comparison is the parent's code: it runs without the lock.
            lock.unlock();
            std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
                return sort->lpfnCompare(a.second, b.second, sort->lParam) < 0;
            });
            lock.lock();
            auto& now = state().nodes[id].children;
            if (now == children) {
                now.clear();
                for (const auto& [child, value] : keyed) now.push_back(child);
            }
            return TRUE;
        }
        case TVM_GETITEMSTATE: {
            const std::uintptr_t id = idOf(state(), reinterpret_cast<HTREEITEM>(wParam));
            if (!id) return 0;
            const UINT bits = state().nodes[id].state | (state().selected == id ? TVIS_SELECTED : 0);
            return static_cast<LRESULT>(bits & static_cast<UINT>(lParam));
        }
        case TVM_GETITEMW:
        case TVM_SETITEMW: {
            auto* item = reinterpret_cast<TVITEMW*>(lParam);
            const std::uintptr_t id = item ? idOf(state(), item->hItem) : 0;
            if (!id) return FALSE;
            TreeNode& node = state().nodes[id];
            if (message == TVM_SETITEMW) {
                if (item->mask & TVIF_TEXT) node.text = item->pszText ? item->pszText : L"";
                if (item->mask & TVIF_PARAM) node.value = item->lParam;
                if (item->mask & TVIF_STATE) {
                    const UINT mask = item->stateMask & TVIS_STATEIMAGEMASK;
                    node.state = (node.state & ~mask) | (item->state & mask);
                }
                return TRUE;
            }
            if (item->mask & TVIF_PARAM) item->lParam = node.value;
            if (item->mask & TVIF_STATE)
                item->state = (node.state | (state().selected == id ? TVIS_SELECTED : 0)) & item->stateMask;
            if ((item->mask & TVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
                const std::size_t count = std::min<std::size_t>(node.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
                std::copy_n(node.text.begin(), count, item->pszText);
                item->pszText[count] = L'\0';
            }
            return TRUE;
        }
        case TVM_EDITLABELW: {
            const std::uintptr_t id = idOf(state(), reinterpret_cast<HTREEITEM>(lParam));
            if (!id || !(GetWindowLongPtrW(hwnd, GWL_STYLE) & TVS_EDITLABELS)) return 0;
            if (state().edit) endLabelEdit(hwnd, lock, false);
            NMTVDISPINFOW info;
            fill(info.item, id, state().nodes[id]);
            std::wstring text = state().nodes[id].text;
            info.item.mask |= TVIF_TEXT;
            info.item.pszText = text.data();
            lock.unlock();
            if (notify(hwnd, info.hdr, TVN_BEGINLABELEDITW) != 0) return 0;
            const HWND edit = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 120,
                                              kRowHeight, hwnd, nullptr, nullptr, nullptr);
            if (!edit) return 0;
            lock.lock();
            if (!state().nodes.count(id)) {
                lock.unlock();
                DestroyWindow(edit);
                return 0;
            }
            state().edit = edit;
            state().editing = id;
            return reinterpret_cast<LRESULT>(edit);
        }
        case TVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(state().edit);
        case TVM_ENDEDITLABELNOW:
            endLabelEdit(hwnd, lock, wParam == FALSE);
            return TRUE;
        default:
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
