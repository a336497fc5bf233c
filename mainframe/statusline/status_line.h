// The status line of a main frame: prompts, coordinates and indicators from the kernel, the
// progress of its commands (nested calls share one bar), and the group of background-task
// controls at its right end. Work in progress holds back redraws and freezes the texts of panes 1
// to 5 while a second progress or a suspension is active.
#pragma once

#include <array>
#include <memory>

#include "mainframe/statusline/text_progress_ctrl.h"
#include "mainframe/statusline/update_throttle.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

// Pane widths from the screen width, in pane order.
std::array<int, 8> StatusPaneWidths(int screenWidth);

class CStatusLine : public CXTPStatusBar, public StatusLineProxy {
    DECLARE_DYNCREATE(CStatusLine)
public:
    // The window style and id the frame creates the status line with.
    static constexpr DWORD kStyle = 0x56008200;
    static constexpr UINT kId = AFX_IDW_STATUS_BAR;

    // Pane ids in pane order.
    static constexpr std::array<UINT, 8> kPaneIds{0, 104, 105, 106, 107, 108, 109, 110};
    // Commands of the background-task buttons.
    static constexpr UINT kInterruptCommand = 723;
    static constexpr UINT kShowTasksCommand = 822;
    static constexpr UINT kPauseCommand = 886;
    static constexpr UINT kResumeCommand = 887;
    static constexpr UINT kTaskBarId = 8;

    CStatusLine();
    ~CStatusLine() override;

    // Lays out the panes from the screen width at this moment; they are never laid out again.
    BOOL CreatePanes();

    // StatusLineProxy
    CString GetPromptText() override;
    BOOL SetStatusText(LPCWSTR text) override;
    BOOL SetPromptText(LPCWSTR text, bool redraw) override;
    BOOL SetXText(LPCWSTR text, bool prefix) override;
    BOOL SetYText(LPCWSTR text, bool prefix) override;
    BOOL SetIndicatorText(LPCWSTR text) override;
    BOOL SetBackgroundTaskText(LPCWSTR text) override;
    bool IsProgressShown() override;
    bool BeginProgress() override;
    void SetProgressStep(int step) override;
    void SetProgressRange(int upper) override;
    BOOL StepProgress() override;
    void SetProgressPos(int pos) override;
    bool EndProgress() override;
    int SuspendOutput(bool suspend) override;
    int GetProgressStep() override;
    int GetProgressRange() override;
    int GetProgressPos() override;
    bool ShowBackgroundTasks(bool marquee) override;
    void SetBackgroundTaskProgress(int pos) override;
    bool HideBackgroundTasks() override;

    // What the status line shows (for the dumps).
    int GetBusyLevel() const { return m_busyLevel; }
    CProgressCtrl* GetProgressBar() const { return m_progress.get(); }
    CTextProgressCtrl* GetBackgroundTaskBar() const { return m_taskBar.get(); }
    // The background-task button of a command (723, 822, 886, 887), or null before its first show.
    CXTPButton* GetTaskButton(UINT command) const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInterrupt();
    afx_msg void OnShowTasks();
    afx_msg void OnPause();
    afx_msg void OnResume();
    afx_msg LRESULT OnIdleUpdateStatusLine(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct TaskLayout {
        RECT bar;
        std::array<RECT, 4> slots;  // slot 0 at the right end
    };
    TaskLayout layoutTasks() const;
    BOOL setFrozenPaneText(int index, LPCWSTR text);
    BOOL setCoordinate(int index, LPCWSTR prefixText, LPCWSTR text, bool prefix);
    BOOL updateProgressBar();
    void setTaskbarState(TBPFLAG state);
    void setTaskbarValue(int pos, int upper);
    void showTaskButton(std::unique_ptr<CXTPButton>& button, const RECT& slot, UINT command, LPCWSTR hintKey,
                        LPCWSTR iconFile);
    void setTaskPanesVisible(bool visible);

    CString m_prompt;
    int m_busyLevel = 0;
    int m_progressPos = 0;
    int m_progressStep = 0;
    int m_progressUpper = 0;
    UpdateThrottle m_progressThrottle;
    UpdateThrottle m_promptThrottle;
    std::unique_ptr<CProgressCtrl> m_progress;
    std::unique_ptr<CTextProgressCtrl> m_taskBar;
    std::unique_ptr<CXTPButton> m_interruptButton;
    std::unique_ptr<CXTPButton> m_showTasksButton;
    std::unique_ptr<CXTPButton> m_pauseButton;
    std::unique_ptr<CXTPButton> m_resumeButton;
};

// The status line of the active main frame, or null.
CStatusLine* GetMainFrameStatusLine();
