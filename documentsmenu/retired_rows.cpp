#include "documentsmenu/retired_rows.h"

#include <deque>

#include "documentsmenu/idle_work.h"

namespace DocumentsMenu {

namespace {

// Deleting a document row costs about as much as looking at two documents.
constexpr int kRecordsPerStep = kIdleStepWork / 2;

std::deque<std::unique_ptr<CXTPReportRecords>>& retired() {
    static std::deque<std::unique_ptr<CXTPReportRecords>> records;
    return records;
}

bool deleteStep() {
    auto& queue = retired();
    for (int left = kRecordsPerStep; left > 0 && !queue.empty();) {
        CXTPReportRecords& front = *queue.front();
        // From the back, so that no record moves.
        for (; left > 0 && front.GetCount() > 0; --left) front.RemoveAt(front.GetCount() - 1);
        if (front.GetCount() == 0) queue.pop_front();
    }
    return !queue.empty();
}

}  // namespace

void RetireRecords(std::unique_ptr<CXTPReportRecords> records) {
    if (!records || records->GetCount() == 0) return;
    retired().push_back(std::move(records));
    if (!HasIdleWork(&retired())) PostIdleWork(&retired(), deleteStep);
}

}  // namespace DocumentsMenu
