#include "platform/kernel/services/folder_chooser.h"

#include "platform/core/journal.h"
#include "platform/kernel/record.h"

namespace platform::kernel {

std::deque<std::optional<std::wstring>>& folderChooserAnswers() {
    static std::deque<std::optional<std::wstring>> answers;
    return answers;
}

}  // namespace platform::kernel

bool SelectFolders(std::vector<CString>& result, CWnd*, LPCWSTR start, LPCWSTR title, bool singleFolder,
                   bool showFiles) {
    using namespace platform::kernel;
    recordCall(L"SelectFolders(" + quoted(start) + L", " + quoted(title) + L", " + boolText(singleFolder) + L", " +
               boolText(showFiles) + L")");
    result.clear();
    auto& answers = folderChooserAnswers();
    if (answers.empty()) {
        platform::core::reportFailure(L"SelectFolders: an unexpected folder chooser (titled " + quoted(title) + L")");
        return false;
    }
    const std::optional<std::wstring> answer = answers.front();
    answers.pop_front();
    if (!answer) return false;
    result.emplace_back(*answer);
    return true;
}
