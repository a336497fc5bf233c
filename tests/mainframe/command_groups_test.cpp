// The command-group table: 29 groups, registered members only, the last group winning.
#include <gtest/gtest.h>

#include "mainframe/toolsengine/command_groups.h"

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

}  // namespace
