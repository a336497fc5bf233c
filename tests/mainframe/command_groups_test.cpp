// The command-group table: 29 groups, registered members only, the last group winning.
#include <gtest/gtest.h>

#include "mainframe/toolsengine/command_groups.h"
#include "tests/support/table_check.h"

namespace {

TEST(CommandGroups, RegisteredMembersMapToTheirLastGroup) {
    ASSERT_EQ(CommandGroups().size(), 29u);
    const auto index = BuildCommandGroupIndex([](UINT id) { return id != 1006; });
    // 3104 is in 9020 and in 9026: the later one wins.
    ASSERT_TRUE(index.count(3104));
    EXPECT_EQ(index.at(3104)->head, 9026);
    EXPECT_EQ(index.at(1314)->head, 9020);
    // Both 43505 groups keep their own member lists.
    EXPECT_EQ(index.at(2114)->head, 43505);
    EXPECT_EQ(index.at(2114)->members.size(), 7u);
    EXPECT_EQ(index.at(1065)->members.size(), 2u);
    EXPECT_EQ(index.at(2985)->head, -1);
    // Unregistered and unknown ids belong to no group.
    EXPECT_FALSE(index.count(1006));
    EXPECT_FALSE(index.count(4242));
}

TEST(CommandGroups, EachGroupFromItsFirstToItsLastMemberInTableOrder) {
    const auto index = BuildCommandGroupIndex([](UINT) { return true; });
    using HeadAndSize = std::pair<int, std::size_t>;
    // Each group's first and last member (9020's last, 3104, belongs to the later 9026).
    tablecheck::ExpectRows<UINT, HeadAndSize>(
        "command groups",
        {
         {1027, {41469, 8}}, {1039, {41469, 8}},
         {1076, {9014, 6}}, {1224, {9014, 6}},
         {1006, {9015, 4}}, {1009, {9015, 4}},
         {1259, {9018, 12}}, {1666, {9018, 12}},
         {1300, {9019, 3}}, {1696, {9019, 3}},
         {1314, {9020, 4}}, {1366, {9020, 4}},
         {1308, {9021, 3}}, {1472, {9021, 3}},
         {1334, {9022, 7}}, {1379, {9022, 7}},
         {1318, {9023, 3}}, {1397, {9023, 3}},
         {1310, {9024, 4}}, {7221, {9024, 4}},
         {1354, {9025, 10}}, {3081, {9025, 10}},
         {1404, {9026, 9}}, {1393, {9026, 9}},
         {1564, {41519, 6}}, {1572, {41519, 6}},
         {1803, {9027, 5}}, {1611, {9027, 5}},
         {1752, {9028, 10}}, {1218, {9028, 10}},
         {1767, {9029, 16}}, {2943, {9029, 16}},
         {1783, {9030, 8}}, {2967, {9030, 8}},
         {1938, {9031, 7}}, {1410, {9031, 7}},
         {1641, {9035, 6}}, {1651, {9035, 6}},
         {1646, {9036, 6}}, {1653, {9036, 6}},
         {1658, {9037, 4}}, {1656, {9037, 4}},
         {1827, {9038, 3}}, {1829, {9038, 3}},
         {1830, {9039, 4}}, {1833, {9039, 4}},
         {1838, {9040, 4}}, {1841, {9040, 4}},
         {1825, {1825, 8}}, {1854, {1825, 8}},
         {1065, {43505, 2}}, {2044, {43505, 2}},
         {1064, {43506, 2}}, {2043, {43506, 2}},
         {2096, {43505, 7}}, {2114, {43505, 7}},
         {1222, {-1, 6}}, {2985, {-1, 6}},
        },
        [&](UINT id) {
            const auto it = index.find(id);
            return it == index.end() ? HeadAndSize{0, 0} : HeadAndSize{it->second->head, it->second->members.size()};
        });
    std::vector<int> heads;
    for (const CommandGroup& group : CommandGroups()) heads.push_back(group.head);
    EXPECT_EQ(heads, (std::vector<int>{41469, 9014, 9015, 9018, 9019, 9020, 9021, 9022, 9023, 9024, 9025, 9026, 41519, 9027,
                                       9028, 9029, 9030, 9031, 9035, 9036, 9037, 9038, 9039, 9040, 1825, 43505, 43506, 43505,
                                       -1}));
}

}  // namespace
