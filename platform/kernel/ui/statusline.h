// The kernel's view of a frame's status line: prompts, coordinates, indicator texts, a nested
// progress bar and the background-task group. The application implements the interface; the
// kernel calls it in slot order. And the kernel's background-process manager, whose controls the
// status line shows.
#pragma once

#include "platform/mfc.h"

class StatusLineProxy {
public:
    virtual CString GetPromptText() = 0;
    virtual BOOL SetStatusText(LPCWSTR text) = 0;
    virtual BOOL SetPromptText(LPCWSTR text, bool redraw) = 0;
    virtual BOOL SetXText(LPCWSTR text, bool prefix) = 0;
    virtual BOOL SetYText(LPCWSTR text, bool prefix) = 0;
    virtual BOOL SetIndicatorText(LPCWSTR text) = 0;
    virtual BOOL SetBackgroundTaskText(LPCWSTR text) = 0;
    virtual bool IsProgressShown() = 0;
    virtual bool BeginProgress() = 0;
    virtual void SetProgressStep(int step) = 0;
    virtual void SetProgressRange(int upper) = 0;
    virtual BOOL StepProgress() = 0;
    virtual void SetProgressPos(int pos) = 0;
    virtual bool EndProgress() = 0;
    virtual int SuspendOutput(bool suspend) = 0;
    virtual int GetProgressStep() = 0;
    virtual int GetProgressRange() = 0;
    virtual int GetProgressPos() = 0;
    virtual bool ShowBackgroundTasks(bool marquee) = 0;
    virtual void SetBackgroundTaskProgress(int pos) = 0;
    virtual bool HideBackgroundTasks() = 0;

protected:
    ~StatusLineProxy() = default;
};

namespace kvrt {

// The background processes of the kernel as the status line's buttons drive them.
class StatusLineBkProcManager {
public:
    static StatusLineBkProcManager& Instance();
    void Interrupt();
    void Pause();
    void Resume();
    bool isPauseEnabled() const;
    bool isResumeEnabled() const;
    // The idle step that refreshes the processes' state in the status line.
    void Update();

    // What the kernel's processes allow (set by the harness; both false at first).
    void setEnabled(bool pause, bool resume);

private:
    StatusLineBkProcManager() = default;
    bool pauseEnabled_ = false;
    bool resumeEnabled_ = false;
};

// The kernel's task manager: runs queued kernel tasks a piece at a time when the program idles.
class TaskManager {
public:
    static TaskManager& Instance();
    void Idle();

private:
    TaskManager() = default;
};

}  // namespace kvrt
