// The browser pane's navigation history: the locations shown, the current one among them, and
// the Back and Forward buttons that follow them. Entries name their objects by identifier (a
// configuration also by its file), so a step back to an object closed or deleted since finds
// nothing instead of a dangling object.
#pragma once

#include <cstddef>

#include <boost/circular_buffer.hpp>

#include "documentsmenu/window/preview_wnd.h"

class CXTPControl;

namespace DocumentsMenu {

struct HistoryEntry {
    // In the order of the pane's locations.
    enum class Kind { Configuration, LibrariesGroup, Library, LibraryDocument, Folder };
    Kind kind = Kind::Folder;
    GUID id{};
    // A configuration's file, a library document's path below its library, a folder's full path.
    CString path;

    static HistoryEntry ForConfiguration(IConfiguration* configuration);
    static HistoryEntry ForLibrariesGroup(ILibrariesGroup* group);
    static HistoryEntry ForLibrary(ILibrary* library);
    static HistoryEntry ForDocument(ILibrary* library, const CString& relativePath);
    static HistoryEntry ForFolder(const CString& path);
};

class PreviewWnd::History {
public:
    static constexpr std::size_t kMaxEntries = 256;

    // Forgets the entries after the current one, makes room (the oldest goes once 256 are kept)
    // and makes the new entry the current one.
    void Push(HistoryEntry entry);
    std::size_t GetCount() const { return entries_.size(); }
    // The room kept for entries, grown as they come.
    std::size_t GetStorage() const { return entries_.capacity(); }
    std::size_t GetPosition() const { return position_; }
    void SetPosition(std::size_t position);
    const HistoryEntry& At(std::size_t index) const { return entries_[index]; }
    bool CanGoBack() const { return position_ > 0; }
    bool CanGoForward() const { return !entries_.empty() && position_ + 1 < entries_.size(); }

    // The tool bar's buttons, which the history enables and names.
    void SetButtons(CXTPControl* back, CXTPControl* forward);
    void UpdateNavigationButtons();

    // The storage for `count` entries grown from `storage`: doubled until it holds them, once
    // more when less than a fifth would be left over, never beyond 256.
    static std::size_t GrownStorage(std::size_t storage, std::size_t count);

private:
    boost::circular_buffer<HistoryEntry> entries_;
    std::size_t position_ = 0;
    CXTPControl* back_ = nullptr;
    CXTPControl* forward_ = nullptr;
};

}  // namespace DocumentsMenu
