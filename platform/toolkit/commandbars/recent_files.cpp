#include "platform/toolkit/commandbars/recent_files.h"

namespace {

bool validIndex(int index, int size) { return index >= 0 && index < size; }

}  // namespace

CXTPRecentFileList::CXTPRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                                       int nMaxDispLen)
    : CRecentFileList(nStart, lpszSection, lpszEntryFormat, nSize, nMaxDispLen),
      m_arrPinned(static_cast<std::size_t>(m_nSize), false) {}

BOOL CXTPRecentFileList::IsPinned(int nIndex) const {
    return validIndex(nIndex, m_nSize) && m_arrPinned[static_cast<std::size_t>(nIndex)] ? TRUE : FALSE;
}

void CXTPRecentFileList::SetPinned(int nIndex, BOOL bPinned) {
    if (!validIndex(nIndex, m_nSize) || m_arrNames[static_cast<std::size_t>(nIndex)].IsEmpty()) return;
    m_arrPinned[static_cast<std::size_t>(nIndex)] = bPinned != FALSE;
    OnPinStateChanged(nIndex);
}

void CXTPRecentFileList::OnPinStateChanged(int) {}

void CXTPRecentFileList::Add(LPCWSTR lpszPathName) {
    if (m_nSize == 0 || lpszPathName == nullptr || *lpszPathName == L'\0') return;
    wchar_t full[MAX_PATH] = {};
    const CString path = AfxFullPath(full, lpszPathName) ? CString(full) : CString(lpszPathName);
    int existing = -1;
    for (int i = 0; i < m_nSize && existing < 0; ++i) {
        if (AfxComparePath(m_arrNames[static_cast<std::size_t>(i)], path)) existing = i;
    }
    if (existing >= 0 && m_arrPinned[static_cast<std::size_t>(existing)]) return;

    // The unpinned entries in order, the new path first; they refill the unpinned slots, so the
    // last unpinned entry falls off when the list is full.
    std::vector<CString> unpinned{path};
    for (int i = 0; i < m_nSize; ++i) {
        if (i != existing && !m_arrPinned[static_cast<std::size_t>(i)]) unpinned.push_back(m_arrNames[static_cast<std::size_t>(i)]);
    }
    std::size_t next = 0;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrPinned[static_cast<std::size_t>(i)]) continue;
        m_arrNames[static_cast<std::size_t>(i)] = next < unpinned.size() ? unpinned[next++] : CString();
    }
}

void CXTPRecentFileList::Remove(int nIndex) {
    if (!validIndex(nIndex, m_nSize)) return;
    CRecentFileList::Remove(nIndex);
    m_arrPinned.erase(m_arrPinned.begin() + nIndex);
    m_arrPinned.push_back(false);
}

void CXTPRecentFileList::ReadList() {
    CRecentFileList::ReadList();
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(L"Pinned%d", i + 1);
        m_arrPinned[static_cast<std::size_t>(i)] =
            app && !m_arrNames[static_cast<std::size_t>(i)].IsEmpty() && app->GetProfileInt(m_strSectionName, entry, 0) != 0;
    }
}

void CXTPRecentFileList::WriteList() {
    CRecentFileList::WriteList();
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return;
    for (int i = 0; i < m_nSize; ++i) {
        if (!m_arrPinned[static_cast<std::size_t>(i)] || m_arrNames[static_cast<std::size_t>(i)].IsEmpty()) continue;
        CString entry;
        entry.Format(L"Pinned%d", i + 1);
        app->WriteProfileInt(m_strSectionName, entry, 1);
    }
}
