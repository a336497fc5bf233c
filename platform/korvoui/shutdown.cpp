#include "platform/korvoui/shutdown.h"

#include "platform/core/record.h"
#include "platform/kernel.h"

namespace Korvo::UI {

CFrameWnd* GetFirstMainFrame() {
    CFrameWnd* first = nullptr;
    UIModuleProxy::Instance().ForEachMainFrame([&first](CFrameWnd* frame) {
        if (!first) first = frame;
    });
    return first;
}

}  // namespace Korvo::UI

namespace kvpf {

void OnIdle(bool final) {
    platform::core::recordCall(std::wstring(L"kvpf::OnIdle(") + platform::core::boolText(final) + L")");
}

}  // namespace kvpf
