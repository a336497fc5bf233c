#include "documentsmenu/idle_work.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

constexpr UINT kRunStep = WM_APP + 1;
constexpr const wchar_t* kWindowClass = L"Korvo.DocumentsMenuIdleWork";

struct Job {
    const void* owner;
    IdleStep step;
};

struct Queue {
    std::deque<Job> jobs;
    HWND window = nullptr;
    bool posted = false;
};

Queue& queue() {
    static Queue instance;
    return instance;
}

void postStep();

LRESULT idleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunStep) return DefWindowProcW(window, message, wParam, lParam);
    Queue& work = queue();
    work.posted = false;
    if (work.jobs.empty()) return 0;
    // The step may queue or cancel jobs, its own included: it runs outside the list.
    Job job = std::move(work.jobs.front());
    work.jobs.pop_front();
    if (job.step()) {
        const bool replaced = std::any_of(work.jobs.begin(), work.jobs.end(),
                                          [&](const Job& other) { return other.owner == job.owner; });
        if (!replaced) work.jobs.push_back(std::move(job));
    }
    postStep();
    return 0;
}

// Message-only: the queue's window is no part of what the user sees.
HWND idleWindow() {
    Queue& work = queue();
    if (work.window && IsWindow(work.window)) return work.window;
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &idleWindowProc;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    work.window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    work.posted = false;
    return work.window;
}

void postStep() {
    Queue& work = queue();
    if (work.jobs.empty() || work.posted) return;
    HWND window = idleWindow();
    work.posted = window && PostMessageW(window, kRunStep, 0, 0);
}

}  // namespace

void PostIdleWork(const void* owner, IdleStep step) {
    CancelIdleWork(owner);
    if (!step) return;
    queue().jobs.push_back({owner, std::move(step)});
    postStep();
}

void CancelIdleWork(const void* owner) {
    std::erase_if(queue().jobs, [owner](const Job& job) { return job.owner == owner; });
}

bool HasIdleWork(const void* owner) {
    const auto& jobs = queue().jobs;
    return std::any_of(jobs.begin(), jobs.end(), [owner](const Job& job) { return job.owner == owner; });
}

}  // namespace DocumentsMenu
