#include "platform/kernel/events.h"

#include <algorithm>

#include "platform/kernel/record.h"

TypedApplicationEventListenerBase::~TypedApplicationEventListenerBase() {
    // A derived listener unsubscribes itself; this catches listeners built on the base alone.
    ApplicationEventManager::Instance().UnsubscribeAll(this);
}

void TypedApplicationEventListenerBase::Subscribe(UINT eventId) {
    ApplicationEventManager::Instance().Subscribe(eventId, this);
}

void TypedApplicationEventListenerBase::UnsubscribeAll() { ApplicationEventManager::Instance().UnsubscribeAll(this); }

// Never destroyed: listeners unsubscribe in their destructors, and some (the global application)
// are destroyed after every function-local static.
ApplicationEventManager& ApplicationEventManager::Instance() {
    static auto* instance = new ApplicationEventManager();
    return *instance;
}

void ApplicationEventManager::Subscribe(UINT eventId, TypedApplicationEventListenerBase* listener) {
    if (!listener) return;
    std::lock_guard lock(mutex_);
    if (isSubscribed(eventId, listener)) return;
    subscriptions_.push_back({eventId, listener});
}

void ApplicationEventManager::UnsubscribeAll(TypedApplicationEventListenerBase* listener) {
    std::lock_guard lock(mutex_);
    std::erase_if(subscriptions_, [&](const Subscription& s) { return s.listener == listener; });
}

std::size_t ApplicationEventManager::ListenerCount(UINT eventId) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(subscriptions_.begin(), subscriptions_.end(), [&](const Subscription& s) { return s.eventId == eventId; }));
}

bool ApplicationEventManager::isSubscribed(UINT eventId, const TypedApplicationEventListenerBase* listener) const {
    return std::any_of(subscriptions_.begin(), subscriptions_.end(),
                       [&](const Subscription& s) { return s.eventId == eventId && s.listener == listener; });
}

void ApplicationEventManager::Raise(UINT eventId, const ApplicationEventArgs& args) {
    platform::kernel::recordCall(L"ApplicationEventManager::Raise(" + std::to_wstring(eventId) + L")");
    std::vector<TypedApplicationEventListenerBase*> listeners;
    {
        std::lock_guard lock(mutex_);
        for (const auto& s : subscriptions_)
            if (s.eventId == eventId) listeners.push_back(s.listener);
    }
    // Listeners run outside the lock, so they may subscribe, unsubscribe or raise in turn.
    for (auto* listener : listeners) {
        {
            std::lock_guard lock(mutex_);
            if (!isSubscribed(eventId, listener)) continue;
        }
        listener->OnApplicationEvent(eventId, args);
    }
}
