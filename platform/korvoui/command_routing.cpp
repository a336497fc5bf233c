// The main frame's last stop for commands and their update requests: the kernel's command
// containers, after the framework's route (views, documents, frames, the application) declined.
#include "platform/korvoui/frames.h"

namespace Korvo::UI {
namespace {

// The view and document a command works on: the active view of the frame's active child frame
// (or of the frame itself) and that view's document, when they are the kernel's.
struct CommandContext {
    CKVView* view = nullptr;
    CKvw32Doc* document = nullptr;
};

CommandContext activeContext(CFrameWnd& frame) {
    CommandContext context;
    CFrameWnd* active = frame.GetActiveFrame();
    if (active == nullptr) active = &frame;
    context.view = DYNAMIC_DOWNCAST(CKVView, active->GetActiveView());
    context.document = DYNAMIC_DOWNCAST(CKvw32Doc, active->GetActiveDocument());
    return context;
}

BOOL routeToKernel(CFrameWnd& frame, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    auto& container = KVCommandContainer::Instance();
    if (nCode == CN_COMMAND && pHandlerInfo != nullptr) {
        // Only asked whether a handler exists (the update pass's auto-disable).
        if (!container.HasHandler(nID)) return FALSE;
        pHandlerInfo->pTarget = &frame;
        pHandlerInfo->pEntry = nullptr;
        return TRUE;
    }
    // Only command objects update their items: the update pass asks about every control, and
    // most are no kernel command's, so the active view is looked for only for those that are.
    if (nCode == CN_UPDATE_COMMAND_UI && (pExtra == nullptr || container.FindCommand(nID) == nullptr)) return FALSE;
    const CommandContext context = activeContext(frame);
    if (nCode == CN_COMMAND) {
        // A command's argument travels in pExtra (none for menus, buttons and accelerators).
        const auto argument = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(pExtra));
        return container.ExecuteCommand(nID, context.view, context.document, argument) ? TRUE : FALSE;
    }
    if (nCode == CN_UPDATE_COMMAND_UI) {
        return container.UpdateCommandUI(nID, context.view, context.document, static_cast<CCmdUI*>(pExtra)) ? TRUE
                                                                                                            : FALSE;
    }
    return FALSE;  // control notifications are not the kernel's
}

}  // namespace

template <class Base>
BOOL GenericMainFrame<Base>::OnUnroutedCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (Base::OnUnroutedCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return routeToKernel(*this, nID, nCode, pExtra, pHandlerInfo);
}

// The frame bases the UI library provides.
template class GenericMainFrame<CXTPMDIFrameWnd>;

}  // namespace Korvo::UI
