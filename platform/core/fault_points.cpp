#include <atomic>
#include <map>
#include <mutex>

#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/faults.h"

namespace platform {
namespace {

struct FaultPoints {
    std::mutex mutex;
    std::map<std::wstring, int, std::less<>> armed;
    std::atomic<int> armedCount{0};  // the sum of `armed`
};

FaultPoints& faultPoints() {
    static FaultPoints& table = core::process().table<FaultPoints>();
    return table;
}

}  // namespace

bool anyFaultArmed() { return faultPoints().armedCount.load(std::memory_order_relaxed) > 0; }

bool faultInjected(std::wstring_view point) {
    FaultPoints& points = faultPoints();
    if (points.armedCount.load(std::memory_order_relaxed) == 0) return false;
    {
        std::lock_guard lock(points.mutex);
        const auto it = points.armed.find(point);
        if (it == points.armed.end()) return false;
        --points.armedCount;
        if (--it->second == 0) points.armed.erase(it);
    }
    core::recordWarning(L"injected failure at " + std::wstring(point));
    return true;
}

void faults::arm(std::wstring point) {
    FaultPoints& points = faultPoints();
    std::lock_guard lock(points.mutex);
    ++points.armed[std::move(point)];
    ++points.armedCount;
}

}  // namespace platform
