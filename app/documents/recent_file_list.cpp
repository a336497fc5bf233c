#include "app/documents/recent_file_list.h"

#include "auxiliary/start_page.h"
#include "platform/diagnostics.h"

namespace {

// The length of the tag at the start of a tagged path ("<" ... ">" included), or 0.
int TagLength(const CString& path) {
    const int open = path.Find(L'<');
    if (open < 0) return 0;
    const int close = path.Find(L'>', open + 1);
    return close < 0 ? 0 : close + 1;
}

}  // namespace

CKVRecentFileList::CKVRecentFileList(UINT start, LPCWSTR section, LPCWSTR entryFormat, int size, int maxDisplayLength)
    : CXTPRecentFileList(start, section, entryFormat, size, maxDisplayLength) {}

void CKVRecentFileList::Add(LPCWSTR path) {
    if (m_keepEntries || m_nSize == 0 || !path || !*path) return;
    const CString text(path);
    int index = 0;
    if (const int tagLength = TagLength(text); tagLength > 0) {
        index = AddTagged(text, tagLength);
    } else {
        wchar_t full[MAX_PATH] = {};
        if (text.GetLength() >= MAX_PATH || !AfxFullPath(full, path)) {
            AfxThrowFileException(CFileException::badPath, -1, path);
        }
        // Where the path is now, else the last slot; when that is pinned, the nearest unpinned
        // slot above it. With every slot pinned the path is not added.
        index = m_nSize - 1;
        bool listed = false;
        for (int i = 0; i < m_nSize; ++i) {
            if (AfxComparePath(m_arrNames[static_cast<std::size_t>(i)], full)) {
                index = i;
                listed = true;
                break;
            }
        }
        // A pinned entry keeps its place: the list does not change.
        if (listed && IsPinned(index)) return;
        while (index >= 0 && IsPinned(index)) --index;
        if (index < 0) return;
        // A new path moves nothing out of a list with an empty slot left: the pages are told of
        // no removal.
        const bool dropsEntry = listed || !m_arrNames[static_cast<std::size_t>(index)].IsEmpty();
        CXTPRecentFileList::Add(full);
        if (!dropsEntry) index = -1;
    }
    WriteList();
    ForEachStartPageView([index](IStartPageView* view) { view->OnRecentDocumentAdded(index); });
}

int CKVRecentFileList::AddTagged(const CString& path, int tagLength) {
    const CString tag = path.Left(tagLength);
    int index = m_nSize - 1;
    for (int i = 0; i < m_nSize - 1; ++i) {
        if (m_arrNames[static_cast<std::size_t>(i)].Left(tagLength).CompareNoCase(tag) == 0) {
            index = i;
            break;
        }
    }
    const bool dropsEntry = !m_arrNames[static_cast<std::size_t>(index)].IsEmpty();
    for (int i = index; i > 0; --i) {
        m_arrNames[static_cast<std::size_t>(i)] = m_arrNames[static_cast<std::size_t>(i - 1)];
        m_arrPinned[static_cast<std::size_t>(i)] = m_arrPinned[static_cast<std::size_t>(i - 1)];
    }
    m_arrNames[0] = path;
    m_arrPinned[0] = false;
    return dropsEntry ? index : -1;
}

void CKVRecentFileList::Add(LPCWSTR path, LPCWSTR appId) {
    (void)appId;  // the jump list of this platform keeps no per-application entries
    try {
        Add(path);
    } catch (CInvalidArgException* e) {
        e->Delete();
        KVLog_Write(6, L"Caught CInvalidArgException during add to recent file list");
    } catch (CException* e) {
        e->Delete();
        KVLog_Write(6, L"Caught an exception during add to recent file list");
    }
}

void CKVRecentFileList::Remove(int index) {
    if (m_keepEntries) return;
    auto count = [this] {
        int n = 0;
        for (const CString& name : m_arrNames) n += name.IsEmpty() ? 0 : 1;
        return n;
    };
    const int before = count();
    CXTPRecentFileList::Remove(index);
    if (count() >= before) return;
    WriteList();
    ForEachStartPageView([index](IStartPageView* view) { view->OnRecentDocumentRemoved(index); });
}

void CKVRecentFileList::OnPinStateChanged(int index) {
    if (m_keepEntries) return;
    WriteList();
    ForEachStartPageView([this, index](IStartPageView* view) {
        if (index >= 0) {
            view->OnRecentDocumentPinStateChanged(index);
            return;
        }
        for (int i = 0; i < m_nSize; ++i) view->OnRecentDocumentPinStateChanged(i);
    });
}

bool CKVRecentFileList::Contains(LPCWSTR path) const {
    if (!path || !*path) return false;
    const CString text(path);
    for (const CString& name : m_arrNames) {
        if (name.GetLength() == text.GetLength() && name.CompareNoCase(text) == 0) return true;
    }
    return false;
}
