#include "platform/kernel/ui/statusline.h"

#include "platform/kernel/record.h"

namespace kvrt {

StatusLineBkProcManager& StatusLineBkProcManager::Instance() {
    static auto* manager = new StatusLineBkProcManager;  // lives as long as the kernel
    return *manager;
}

void StatusLineBkProcManager::Interrupt() { platform::kernel::recordCall(L"kvrt::StatusLineBkProcManager::Interrupt()"); }
void StatusLineBkProcManager::Pause() { platform::kernel::recordCall(L"kvrt::StatusLineBkProcManager::Pause()"); }
void StatusLineBkProcManager::Resume() { platform::kernel::recordCall(L"kvrt::StatusLineBkProcManager::Resume()"); }
bool StatusLineBkProcManager::isPauseEnabled() const { return pauseEnabled_; }
bool StatusLineBkProcManager::isResumeEnabled() const { return resumeEnabled_; }

void StatusLineBkProcManager::setEnabled(bool pause, bool resume) {
    pauseEnabled_ = pause;
    resumeEnabled_ = resume;
}

void StatusLineBkProcManager::Update() { platform::core::recordIdleCall(L"kvrt::StatusLineBkProcManager::Update()"); }

TaskManager& TaskManager::Instance() {
    static auto* manager = new TaskManager;  // lives as long as the kernel
    return *manager;
}

void TaskManager::Idle() { platform::core::recordIdleCall(L"kvrt::TaskManager::Idle()"); }

}  // namespace kvrt
