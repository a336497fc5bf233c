// The UI module's context-help provider: what the user works in now (a command's form) names
// its help context for F1; 0 names none.
#pragma once

#include <functional>
#include <optional>

#include "platform/mfc.h"

namespace UIModule {
// An empty function takes the provider away.
void SetContextHelpProvider(std::function<DWORD()> provider);
// The provider's id; nothing without a provider.
std::optional<DWORD> GetContextHelpId();
}  // namespace UIModule
