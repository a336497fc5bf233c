#include <map>
#include <mutex>

#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/win32/icons.h"

namespace {

struct StoredStrings {
    std::mutex mutex;
    std::map<UINT, UIModuleProxy::CommandStrings> byId;
};

StoredStrings& stored() {
    static StoredStrings state;
    return state;
}

}  // namespace

UIModuleProxy::CommandStrings UIModuleProxy::CommandStrings::FromPromptString(const CString& promptString) {
    CommandStrings strings;
    const int lineBreak = promptString.Find(L'\n');
    strings.prompt = lineBreak < 0 ? promptString : promptString.Left(lineBreak);
    strings.caption = lineBreak < 0 ? promptString : promptString.Mid(lineBreak + 1);
    // Further parts (shortcut texts) are not the caption's.
    if (const int next = strings.caption.Find(L'\n'); next >= 0) strings.caption = strings.caption.Left(next);
    strings.tooltipTitle = strings.caption;
    strings.tooltip = strings.prompt;
    strings.description = strings.prompt;
    return strings;
}

void UIModuleProxy::SetCommandStrings(UINT id, const CommandStrings& strings) {
    platform::kernel::recordCall(L"UIModuleProxy::SetCommandStrings(" + std::to_wstring(id) + L")");
    auto& state = stored();
    std::lock_guard lock(state.mutex);
    state.byId[id] = strings;
}

std::optional<UIModuleProxy::CommandStrings> UIModuleProxy::GetStoredCommandStrings(UINT id) const {
    auto& state = stored();
    std::lock_guard lock(state.mutex);
    const auto found = state.byId.find(id);
    if (found == state.byId.end()) return std::nullopt;
    return found->second;
}

HICON UIModuleProxy::LoadIconFromResources(HMODULE module, UINT resource) const {
    return LoadIconW(module ? module : AfxGetResourceHandle(), resource);
}
