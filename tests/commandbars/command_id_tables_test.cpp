// Fixed command-id tables of the bars, pinned at their edges: every snap command of a button set
// against its nearest neighbours, and each range of commands that carries no tooltip record at
// its first and last id and the first id beyond each end.
#include <gtest/gtest.h>

#include "commandbars/command_tooltips.h"
#include "commandbars/tool_bars.h"
#include "tests/support/table_check.h"

namespace {

using tablecheck::ExpectMembers;

TEST(CommandIdTables, SnapsAreExactlyTheSeventeenSnapCommands) {
    ExpectMembers<int>("snap commands",
                       {1275, 1276, 1273, 1813, 1997, 1270, 1968, 1274, 1969, 1794, 1271, 1272, 1970, 1277, 2896,
                        3173, 1278},
                       // Neighbours of every run, and the set commands that are no snaps themselves.
                       {1269, 1279, 1812, 1814, 1793, 1795, 1967, 1971, 1996, 1998, 2895, 2897, 3172, 3174,
                        CKVControlButton::kTemporarySnapsCommand, CKVControlButton::kExpandSetCommand, 0},
                       [](int id) { return CKVControlButton::IsSnapCommand(id); });
}

TEST(CommandIdTables, TooltipRecordsAreLeftOutForEachRangeFromEndToEnd) {
    ExpectMembers<UINT>("commands without tooltips",
                        {0, 599, 1116, 2701, 2790, 6000, 6999, 9000, 9100, 9313, 9800, 17000, 32000, 37000, 39199,
                         46000, 47999, 61440, 61824, 65000, 65049, 65536},
                        {600, 1115, 1117, 2700, 2791, 5999, 7000, 8999, 9101, 9312, 9801, 16999, 32001, 36999,
                         39200, 45999, 48000, 61439, 61825, 64999, 65050, 65535},
                        [](UINT id) { return IsExcludedFromCommandTooltips(id); });
}

}  // namespace
