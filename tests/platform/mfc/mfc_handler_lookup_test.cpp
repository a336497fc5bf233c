// Which handler a command or message finds: the first entry of the map chain that takes it, most
// derived map first and in the order written within a map, whether a range or a single id comes
// first, however often and in whatever order the same ids are asked of different targets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc.h"

namespace {

UINT g_laterMessage = 0;

class Base : public CCmdTarget {
public:
    std::vector<std::string> trail;
    BOOL command(UINT id) { return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    BOOL update(UINT id) {
        CCmdUI state;
        state.m_nID = id;
        return OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    }

protected:
    void OnRange(UINT id) { trail.push_back("base range " + std::to_string(id)); }
    void OnSingle() { trail.push_back("base single"); }
    void OnUpdate(CCmdUI*) { trail.push_back("base update"); }
    LRESULT OnLater(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
    ON_COMMAND_RANGE(100, 199, &Base::OnRange)
    ON_COMMAND(150, &Base::OnSingle)  // the range above takes 150 first
    ON_COMMAND(250, &Base::OnSingle)
    ON_COMMAND_RANGE(200, 299, &Base::OnRange)  // 250 went to the single entry above
    ON_COMMAND_RANGE(400, 300, &Base::OnRange)  // reversed: holds no id
    ON_UPDATE_COMMAND_UI(150, &Base::OnUpdate)
    ON_REGISTERED_MESSAGE(g_laterMessage, &Base::OnLater)
END_MESSAGE_MAP()

class Derived : public Base {
protected:
    void OnOwn() { trail.push_back("derived single"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Derived, Base)
    ON_COMMAND(120, &Derived::OnOwn)
END_MESSAGE_MAP()

TEST(MfcHandlerLookup, TheFirstEntryOfTheChainTakesTheCommandAndEveryTargetKeepsItsOwnAnswer) {
    Base base;
    Derived derived;
    // Asked twice each, alternating targets: the second answer is the first's.
    for (int round = 0; round < 2; ++round) {
        base.trail.clear();
        derived.trail.clear();
        for (UINT id : {150u, 250u, 251u, 120u, 350u, 99u}) {
            base.command(id);
            derived.command(id);
        }
        EXPECT_EQ(base.trail, (std::vector<std::string>{"base range 150", "base single", "base range 251",
                                                        "base range 120"}));
        EXPECT_EQ(derived.trail, (std::vector<std::string>{"base range 150", "base single", "base range 251",
                                                           "derived single"}));
        EXPECT_FALSE(base.command(350));
        EXPECT_FALSE(base.command(99));
    }

    // An update and a command of one id are different lookups.
    base.trail.clear();
    EXPECT_TRUE(base.update(150));
    EXPECT_FALSE(base.update(151));
    EXPECT_EQ(base.trail, (std::vector<std::string>{"base update"}));

    // Many ids asked once each, then the first ones again: nothing asked earlier is lost.
    for (UINT id = 1000; id < 5000; ++id) EXPECT_FALSE(base.command(id));
    base.trail.clear();
    EXPECT_TRUE(base.command(150));
    EXPECT_TRUE(derived.command(120));
    EXPECT_EQ(base.trail, (std::vector<std::string>{"base range 150"}));
}

TEST(MfcHandlerLookup, AMessageRegisteredAfterTheFirstLookupIsStillFound) {
    Base base;
    EXPECT_EQ(base.FindMessageEntry(0xC123), nullptr);
    EXPECT_EQ(base.FindMessageEntry(WM_USER + 1), nullptr);
    g_laterMessage = RegisterWindowMessageW(L"Korvo later message");
    ASSERT_GE(g_laterMessage, 0xC000u);
    const AFX_MSGMAP_ENTRY* entry = base.FindMessageEntry(g_laterMessage);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->pRegisteredMessage, &g_laterMessage);
    // A plain message never finds a command entry of the same number.
    EXPECT_EQ(base.FindMessageEntry(WM_COMMAND), nullptr);
}

}  // namespace
