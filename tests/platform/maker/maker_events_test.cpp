#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/kernel.h"

namespace {

struct PayloadArgs : ApplicationEventArgs {
    int value = 0;
};

// Records each delivery as "<name>:<event id>" and runs an optional action in its handler.
class Recorder : public TypedApplicationEventListener<258, 1030> {
public:
    Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs&) override {
        log_.push_back(name_ + ":" + std::to_string(eventId));
        if (action) action();
    }
    std::function<void()> action;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(MakerEvents, ListenersHearTheirEventsInSubscriptionOrderUntilDestroyed) {
    std::vector<std::string> log;
    auto& events = ApplicationEventManager::Instance();
    Recorder first("first", log);
    {
        Recorder second("second", log);
        events.Raise(1030, ApplicationEventArgs{});
        events.Raise(783, ApplicationEventArgs{});  // nobody listens
        EXPECT_EQ(events.ListenerCount(258), 2u);
    }
    events.Raise(258, ApplicationEventArgs{});
    EXPECT_EQ(log, (std::vector<std::string>{"first:1030", "second:1030", "first:258"}));
    EXPECT_EQ(events.ListenerCount(1030), 1u);
    EXPECT_TRUE(platform::core::journal().contains("call", L"ApplicationEventManager::Raise(1030)"));
}

TEST(MakerEvents, AListenerDestroyedDuringARaiseIsNotCalledAfterwards) {
    std::vector<std::string> log;
    Recorder early("early", log);
    auto victim = std::make_unique<Recorder>("victim", log);
    Recorder late("late", log);
    early.action = [&] { victim.reset(); };
    ApplicationEventManager::Instance().Raise(258, ApplicationEventArgs{});
    EXPECT_EQ(log, (std::vector<std::string>{"early:258", "late:258"}));
}

TEST(MakerEvents, AListenerAddedDuringARaiseWaitsForTheNextOne) {
    std::vector<std::string> log;
    Recorder first("first", log);
    std::unique_ptr<Recorder> late;
    first.action = [&] {
        if (!late) late = std::make_unique<Recorder>("late", log);
    };
    ApplicationEventManager::Instance().Raise(258, ApplicationEventArgs{});
    ApplicationEventManager::Instance().Raise(258, ApplicationEventArgs{});
    EXPECT_EQ(log, (std::vector<std::string>{"first:258", "first:258", "late:258"}));
}

TEST(MakerEvents, ArgumentsReachTheListenerUnchanged) {
    struct Reader : TypedApplicationEventListener<1033> {
        int seen = -1;
        void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
            if (auto* payload = dynamic_cast<const PayloadArgs*>(&args)) seen = payload->value;
        }
    } reader;
    PayloadArgs args;
    args.value = 42;
    ApplicationEventManager::Instance().Raise(1033, args);
    EXPECT_EQ(reader.seen, 42);
}

}  // namespace
