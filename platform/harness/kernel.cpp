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
