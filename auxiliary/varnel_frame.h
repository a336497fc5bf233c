// The PDM explorer pane windows, one kind each. Only the captions of the kinds and the window's
// availability are here; the explorers inside come with the PDM explorer panes.
#pragma once

#include "platform/mfc.h"

// A PDM explorer pane window (archives, desktop, favorites, search, mail): it takes the files
// dropped on it itself.
class CVarnelFrame : public CWnd {
public:
    // The kinds, in the numbering the panes and menus use.
    enum Kind { kDesktop = 0, kFavorites = 1, kArchives = 2, kSearch = 3, kMail = 4, kConfigurationSettings = 5,
                kLibraryElements = 6 };

    // The caption of a kind: the first four from the kernel's strings, the others from UI text
    // keys; empty for a number that names no kind. The flag is the menus' (they pass true); the
    // captions do not depend on it.
    static CString BuildPaneTitle(int kind, bool flag);

    // Whether the explorer inside can be shown (the PDM system offers it).
    bool IsAvailable() const;
};
