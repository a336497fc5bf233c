// The command lists of the ribbon page's left tree: the system, user and all-commands caption
// maps (ordered by caption, built once per page), and the search that picks what a filled tree
// shows.
#pragma once

#include <functional>
#include <unordered_set>
#include <vector>

#include "platform/toolkit.h"

namespace ribbon_page {

struct CaptionEntry {
    CString key;         // the caption without mnemonics
    CString searchable;  // the key in searchable form
    CXTPControl* control = nullptr;
};

// Entries ordered by key (ordinal); entries with equal keys keep their insertion order. The map
// holds a reference on each control.
class CaptionMap {
public:
    CaptionMap() = default;
    ~CaptionMap();
    CaptionMap(CaptionMap&& other) noexcept : entries_(std::move(other.entries_)) { other.entries_.clear(); }
    CaptionMap& operator=(CaptionMap&& other) noexcept;
    CaptionMap(const CaptionMap&) = delete;
    CaptionMap& operator=(const CaptionMap&) = delete;

    // Takes over the caller's reference on `control`.
    void Add(const CString& key, CXTPControl* control);
    // Orders the entries added since the last call with the others.
    void Sort();
    // Both maps' entries in one map (references of its own).
    static CaptionMap Union(const CaptionMap& first, const CaptionMap& second);
    const std::vector<CaptionEntry>& Entries() const { return entries_; }

private:
    std::vector<CaptionEntry> entries_;
};

// One registered kernel command: its id and text "description\ncaption".
struct CommandText {
    UINT id = 0;
    CString text;
};
// Every command but the service ones, as the control `create` makes for it (none: left out),
// captioned by the command's text when the control has no caption; captionless or hidden
// controls are left out.
CaptionMap BuildSystemCaptions(const std::vector<CommandText>& commands, const std::function<CXTPControl*(UINT id)>& create);
// The user commands' controls (references taken over); one without caption is named "#<id>".
CaptionMap BuildUserCaptions(const std::vector<CXTPControl*>& controls);

// The controls a search for `search` (searchable form, not empty) shows: each control whose
// caption (for a map's entry: its key) contains the text, everything beneath it and every
// pop-up on the way down to it.
struct SearchRoot {
    CXTPControl* control = nullptr;
    const CString* searchable = nullptr;  // the precomputed searchable key, or null: the caption's
};
std::unordered_set<const CXTPControl*> CollectMatches(const std::vector<SearchRoot>& roots, const CString& search);

}  // namespace ribbon_page
