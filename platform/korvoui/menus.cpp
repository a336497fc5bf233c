#include "platform/korvoui/menus.h"

#include <atomic>

#include "platform/kernel/record.h"

namespace Korvo::UI {
namespace {
std::atomic<bool> g_contextMenusLoaded{false};
}

void GlobalContextMenuContainer::Load(LPCWSTR defaultFile) {
    if (g_contextMenusLoaded.exchange(true)) return;
    platform::kernel::recordCall(L"Korvo::UI::GlobalContextMenuContainer::Load(" +
                                 platform::kernel::quoted(defaultFile) + L")");
}

bool GlobalContextMenuContainer::IsLoaded() { return g_contextMenusLoaded; }

}  // namespace Korvo::UI
