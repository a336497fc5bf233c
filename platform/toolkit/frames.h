// The toolkit's frame windows and the interfaces frames implement for it.
#pragma once

#include <memory>

#include "platform/mfc.h"
#include "platform/toolkit/commandbars/commandbars.h"

// A frame's command bars: created by run-time class, deleted with the frame object. The frame's
// layout puts the visible bars at their sides (the ribbon across the top), the message bars under
// them, the status bar (the child with the framework's status-bar id) at the bottom, the docked
// panes of its docking-pane manager at their sides, and the MDI client in what is left.
class CXTPCommandBarsFrameHook;

class CXTPMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CXTPMDIFrameWnd)
public:
    static constexpr int kBarHeight = 26;
    static constexpr int kMessageBarHeight = 40;
    static constexpr int kMessageBarId = 59398;  // the control id message bars are made with

    CXTPMDIFrameWnd() = default;
    ~CXTPMDIFrameWnd() override;

    // Creates the frame's command bars of `runtimeClass` (CXTPCommandBars when null) with the
    // frame as their site. FALSE when the class is not a command bars or the frame has some.
    virtual BOOL InitCommandBars(CRuntimeClass* runtimeClass = nullptr);
    CXTPCommandBars* GetCommandBars() const { return commandBars_.get(); }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The menu bars of the command bars see each message first (their hook).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The command bars translate their shortcuts before the framework's frame.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The command bars take the preview mode, then the framework's frame.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

protected:
    // Deletes the command bars (their windows go with the frame's).
    void DestroyCommandBars() { commandBars_.reset(); }

private:
    // Places the visible bars and takes their room from `client`.
    void layoutBars(RECT& client);

    std::unique_ptr<CXTPCommandBars> commandBars_;
    // The frame's own hook, when its class has one (looked up with the first message).
    CXTPCommandBarsFrameHook* hook_ = nullptr;
    bool hookLooked_ = false;
};

// Frame message hook of command bars (the frame's part of keyboard and non-client handling).
// The frame window's procedure offers every message to the hook of a frame that has one, before
// the menu bars and the frame itself; TRUE when the hook took it (`result` is the answer). The
// stand-in's hook takes none: the non-client parts it would draw are not drawn headless.
class CXTPCommandBarsFrameHook {
public:
    virtual ~CXTPCommandBarsFrameHook() = default;
    virtual BOOL OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result);
};

// Theme changes of the paint manager.
class IXTPPaintManagerEvents {
public:
    virtual ~IXTPPaintManagerEvents() = default;
    virtual void OnPaintManagerChanged() {}
};

// Frames that draw a shadow around themselves.
class IXTPFrameShadow {
public:
    virtual ~IXTPFrameShadow() = default;
};
