// The classic tool bars a main frame builds when no saved layout exists, as constant records, and
// the pure selection of the bars and buttons an edition gets. Loading the captions is left to the
// caller: the records never change.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include <boost/container/static_vector.hpp>

#include "platform/win32/types.h"

namespace CommandTables {

inline constexpr UINT kSeparator = 0;
inline constexpr UINT kEndOfButtons = 0xFFFFFF;
// A tab of the tabbed tool bar opens with this command and a separator.
inline constexpr UINT kToolBarModeCommand = 1075;
inline constexpr std::size_t kMaxToolBarButtons = 60;
inline constexpr std::size_t kMaxDefaultToolBars = 13;
inline constexpr std::size_t kMaxCaptionLength = 80;
// The internal name of the record that ends the list.
inline constexpr std::wstring_view kEndOfDefaultToolBars = L"KVEndDefaultTB";

// Where the bar is placed.
enum class ToolBarKind : UINT {
    None = 0,  // never built
    Tab = 1,  // a tab of the tabbed tool bar
    DockedTop = 2,
    DockedLeft = 3,
    DockedRight = 4,
    DockedBottom = 5,
    TopAfterLastVisible = 6,  // docked at the top, right of the last visible bar built before it
};

struct ToolBarButton {
    UINT id = 0;  // kSeparator for a separator
    DWORD editionMask = 0;
};

struct DefaultToolBarRecord {
    std::wstring_view internalName;  // the caption when the caption string does not load
    UINT captionStringId = 0;
    GUID tabGuid;  // the null GUID for bars that are not tabs
    UINT barId = 0;
    bool visible = false;
    ToolBarKind kind = ToolBarKind::None;
    DWORD editionMask = 0;
    std::span<const ToolBarButton> buttons;  // ends at the pair whose id is kEndOfButtons
};

// Growing past the capacity throws std::bad_alloc: the tables never do.
using ToolBarCommandIds = boost::container::static_vector<UINT, kMaxToolBarButtons>;

struct DefaultToolBarEntry {
    const DefaultToolBarRecord* record = nullptr;
    ToolBarCommandIds commandIds;
};

using DefaultToolBarEntries = boost::container::static_vector<DefaultToolBarEntry, kMaxDefaultToolBars>;

// The ten records followed by the end marker.
std::span<const DefaultToolBarRecord> DefaultToolBarRecords();

// Appends the command ids of one bar for an edition to `entry`: nothing when no button is in the
// edition; a tab opens with kToolBarModeCommand and a separator. Considers at most
// kMaxToolBarButtons pairs.
void FillDefaultToolBarButtons(const DefaultToolBarRecord& record, DefaultToolBarEntry& entry, DWORD editionCode);

// The bars an edition gets, in record order. The walk stops at the end marker or after
// kMaxDefaultToolBars records; a bar left without buttons gives its entry to the next bar taken.
DefaultToolBarEntries SelectDefaultToolBars(std::span<const DefaultToolBarRecord> records, DWORD editionCode);

}  // namespace CommandTables
