// Private to the Windows stand-in: a table of objects by handle, for the kinds of handle that are
// made, looked up and destroyed and hold nothing else (icons, image lists). Handles count up from
// the kind's own first value and are never reused, so a stale handle finds nothing. Every call
// takes the table's lock: other threads may make and use handles too.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

namespace platform::win32 {

template <class Handle, class Value>
class HandleTable {
public:
    explicit HandleTable(std::uintptr_t first) : next_(first) {}

    Handle add(Value value) {
        std::lock_guard lock(mutex_);
        const auto handle = reinterpret_cast<Handle>(next_++);
        values_.emplace(handle, std::move(value));
        return handle;
    }

    // False for a handle the table does not hold.
    bool remove(Handle handle) {
        std::lock_guard lock(mutex_);
        return values_.erase(handle) > 0;
    }

    // `use(value)` under the lock, with the handle's value or null, and its answer.
    template <class Use>
    decltype(auto) with(Handle handle, Use use) {
        std::lock_guard lock(mutex_);
        const auto found = values_.find(handle);
        return use(found == values_.end() ? nullptr : &found->second);
    }

private:
    std::mutex mutex_;
    std::map<Handle, Value> values_;
    std::uintptr_t next_;
};

}  // namespace platform::win32
