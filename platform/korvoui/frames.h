// The UI library's frames: the main-frame interface the kernel's UI module knows frames by, the
// frame base that registers each main frame with the UI module for the frame's life, and the MDI
// child frame of kernel documents.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

class MainFrame {
public:
    virtual ~MainFrame() = default;

    virtual CFrameWnd* AsWindow() = 0;
    virtual const CFrameWnd* AsWindow() const = 0;
    // Makes this frame the UI module's active main frame.
    virtual void MakeActive();
    // The UI module applied a theme.
    virtual void SetTheme(const Theme& theme);
    // This frame became the active main frame; `previous` was (null when there was none).
    virtual void OnChangeActiveMainFrame(MainFrame* previous);
};

namespace detail {
void registerMainFrame(MainFrame* frame);
void unregisterMainFrame(MainFrame* frame);
}  // namespace detail

// A main frame over a toolkit frame class: in the UI module's registry from the creation of its
// window (WM_CREATE) until the window is destroyed.
template <class Base>
class GenericMainFrame : public Base, public MainFrame {
public:
    GenericMainFrame() = default;
    ~GenericMainFrame() override { detail::unregisterMainFrame(this); }

    CFrameWnd* AsWindow() override { return this; }
    const CFrameWnd* AsWindow() const override { return this; }
    // What the framework's route left goes to the kernel's command containers.
    BOOL OnUnroutedCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = Base::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result != -1) detail::registerMainFrame(this);
        if (message == WM_DESTROY) detail::unregisterMainFrame(this);
        return result;
    }
};

class MdiMainFrame : public GenericMainFrame<CXTPMDIFrameWnd> {
public:
    MdiMainFrame() = default;
};

// The MDI child frame that holds a kernel document's views.
class MdiChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(MdiChildFrame)
public:
    MdiChildFrame() = default;
};

}  // namespace Korvo::UI
