// The system panel's selection-filter sets: for each set the kernel can ask for, the ids of the
// bar's controls in order, and the icons and tooltips its selection-filter buttons get.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>

namespace FilterSets {

// One set: its id, then up to 30 member ids in bar order ended by -1; a member 0 starts a group.
using Record = std::array<std::int32_t, 31>;
inline constexpr int kMaxMembers = 30;

// The set's record, or null when there is no such set.
const Record* Find(int set);
// Every set, in table order.
std::span<const Record> All();
// The members of a record up to its end marker (never more than 30).
std::span<const std::int32_t> MembersOf(const Record& record);

// How one selection-filter button looks in a set: an icon resource and a tooltip, either the
// kernel's string `tooltip` or, when `key` is set, the translation of that UI text key.
struct ButtonLook {
    int id;
    int icon;
    unsigned tooltip;
    const wchar_t* key = nullptr;
};

// The looks a set gives its buttons, in the order they are applied (empty for a set that gives
// none). A look may name a button the set does not list: it is added to the bar all the same.
std::span<const ButtonLook> LooksOf(int set);

// The commands whose icon a switch gives them when they have none: command id, icon resource.
std::span<const std::pair<unsigned, unsigned>> FixedCommandIcons();

}  // namespace FilterSets
