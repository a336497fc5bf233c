#include <stdexcept>
#include <utility>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/control.h"

namespace platform::harness {

void Kernel::setShellDdeCommand(std::wstring_view text) { platform::kernel::control().shellDdeCommand = text; }

void Kernel::setReopenDocuments(bool reopen) { GetSettings().files.reopenDocuments = reopen; }

void Kernel::setStartPage(bool show, int mode) {
    GetSettings().startPage.show = show;
    GetSettings().startPage.mode = mode;
}

void Kernel::setRecentFileCount(int count) { GetSettings().files.recentFileCount = count; }

void Kernel::whileApplicationsStart(std::function<void(bool firstPhase)> action) {
    platform::kernel::control().applicationsStarting = std::move(action);
}

void Kernel::pumpMessages() {
    CWinThread* thread = AfxGetThread();
    if (!thread) throw std::logic_error("harness: pumpMessages() outside the program's UI thread");
    MSG waiting{};
    while (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) {
        // A quit is left for the program's own loop.
        if (waiting.message == WM_QUIT || !thread->PumpMessage()) return;
    }
}

std::vector<std::wstring> Kernel::openedDocuments() const {
    std::vector<std::wstring> paths;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        paths.emplace_back(static_cast<LPCWSTR>(document->GetPathName()));
    }
    return paths;
}

std::vector<std::wstring> Kernel::documentTitles() const {
    std::vector<std::wstring> titles;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        titles.emplace_back(static_cast<LPCWSTR>(document->GetTitle()));
    }
    return titles;
}

}  // namespace platform::harness
