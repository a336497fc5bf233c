// The application's list of recently used documents: the toolkit's pinning list, with tagged
// entries (items of another source than the file system, "<tag>..."), a keep-entries flag that
// freezes the list while the user keeps an entry that failed to open, and notifications to every
// open start page. Every change is written to the registry at once, so a crash loses nothing.
#pragma once

#include "platform/toolkit.h"

class CKVRecentFileList : public CXTPRecentFileList {
public:
    CKVRecentFileList(UINT start, LPCWSTR section, LPCWSTR entryFormat, int size, int maxDisplayLength);

    // Puts the path first; throws a framework file exception for a path of 260 characters or
    // more, or one without a full form. Reach it through the two-argument form.
    void Add(LPCWSTR path) override;
    // The framework's add for the shell's jump list: never throws; failures are logged.
    void Add(LPCWSTR path, LPCWSTR appId);
    void Remove(int index) override;
    void OnPinStateChanged(int index) override;  // negative: every entry

    // An entry equal to `path` ignoring case (false for an empty path).
    bool Contains(LPCWSTR path) const;

    void SetKeepEntries(bool keep) { m_keepEntries = keep; }
    bool GetKeepEntries() const { return m_keepEntries; }

private:
    // Puts a tagged path at the top in place of an older entry of the same tag; returns the
    // position the older entry (or the entry the list lost) had.
    int AddTagged(const CString& path, int tagLength);

    bool m_keepEntries = false;
};
