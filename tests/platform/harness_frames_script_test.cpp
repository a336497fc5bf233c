#include <gtest/gtest.h>

#include "platform/harness/script.h"

namespace platform::harness::script {
namespace {

TEST(ConsoleFrameVerbs, ParseAndRejectExtraWords) {
    const auto result = parseScript("start\nnew-frame\ndump frames\n", "frames.korvo");
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.steps.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<NewFrame>(result.steps[1].verb));
    EXPECT_TRUE(std::holds_alternative<DumpFrames>(result.steps[2].verb));

    EXPECT_EQ(parseScript("new-frame 2\n", "bad.korvo").error.rfind("bad.korvo:1: ", 0), 0u);
    EXPECT_FALSE(parseLine("dump \"frames\"", 1).ok());
}

}  // namespace
}  // namespace platform::harness::script
