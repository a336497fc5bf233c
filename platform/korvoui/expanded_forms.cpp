#include "platform/korvoui/expanded_forms.h"

#include "platform/kernel/record.h"

namespace Korvo::UI {

void ExpandedFormViews::Initialize() { platform::kernel::recordCall(L"Korvo::UI::ExpandedFormViews::Initialize()"); }

KVModuleState& ExpandedFormViews::State() {
    static KVModuleState state{L"expanded forms: none"};
    return state;
}

}  // namespace Korvo::UI
