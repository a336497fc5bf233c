#include "documentsmenu/retired_rows.h"

#include <deque>

#include "documentsmenu/idle_work.h"

namespace DocumentsMenu {

namespace {

// Deleting a document row costs about as much as looking at two documents.
constexpr int kRecordsPerStep = kIdleStepWork / 2;

struct Retired {
    std::deque<std::unique_ptr<CXTPReportRecords>> records;
    std::deque<std::map<std::wstring, DocumentRecord*>> indexes;
};

Retired& retired() {
    static Retired instance;
    return instance;
}

bool deleteStep() {
    Retired& queue = retired();
    int left = kRecordsPerStep;
    while (left > 0 && !queue.records.empty()) {
        CXTPReportRecords& front = *queue.records.front();
        // From the back, so that no record moves.
        for (; left > 0 && front.GetCount() > 0; --left) front.RemoveAt(front.GetCount() - 1);
        if (front.GetCount() == 0) queue.records.pop_front();
    }
    while (left > 0 && !queue.indexes.empty()) {
        auto& front = queue.indexes.front();
        for (; left > 0 && !front.empty(); --left) front.erase(front.begin());
        if (front.empty()) queue.indexes.pop_front();
    }
    return !queue.records.empty() || !queue.indexes.empty();
}

void postDeleting() {
    if (!HasIdleWork(&retired())) PostIdleWork(&retired(), deleteStep);
}

}  // namespace

void RetireRecords(std::unique_ptr<CXTPReportRecords> records) {
    if (!records || records->GetCount() == 0) return;
    retired().records.push_back(std::move(records));
    postDeleting();
}

void RetireIndex(std::map<std::wstring, DocumentRecord*> index) {
    if (index.empty()) return;
    retired().indexes.push_back(std::move(index));
    postDeleting();
}

}  // namespace DocumentsMenu
