// The toolkit's recent-file list: the framework's list with a pinned state per entry. Pinned
// entries keep their places when other paths are added; the pinned states are kept in the list's
// registry section as "Pinned%d" beside "File%d".
#pragma once

#include <vector>

#include "platform/mfc.h"

class CXTPRecentFileList : public CRecentFileList {
public:
    CXTPRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                       int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);

    BOOL IsPinned(int nIndex) const;
    // Changes the pinned state of an entry and tells OnPinStateChanged.
    void SetPinned(int nIndex, BOOL bPinned);
    // Called after an entry's pinned state changed.
    virtual void OnPinStateChanged(int nIndex);

    // Puts the full path first among the unpinned entries: an unpinned entry for the same file
    // moves there, a pinned one stays where it is; pinned entries never move or fall off.
    void Add(LPCWSTR lpszPathName) override;
    void Remove(int nIndex) override;
    void ReadList() override;
    void WriteList() override;

protected:
    std::vector<bool> m_arrPinned;
};
