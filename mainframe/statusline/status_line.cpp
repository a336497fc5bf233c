#include "mainframe/statusline/status_line.h"

#include <algorithm>

#include "platform/korvoui.h"
#include "platform/textcore.h"

namespace {

constexpr int kFirstTaskPane = 5;
constexpr int kTaskBarPane = 6;
constexpr int kTaskButtonPane = 7;
constexpr int kButtonWidth = 18;
constexpr int kButtonGap = 3;
constexpr int kMarqueeMs = 100;
constexpr UINT kReadyString = 10588;

// Text up to its first line feed.
CString FirstLine(LPCWSTR text) {
    CString line = text ? text : L"";
    const int feed = line.Find(L'\n');
    return feed < 0 ? line : line.Left(feed);
}

HWND ActiveMainFrameWindow() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CFrameWnd* window = frame ? frame->AsWindow() : nullptr;
    return window ? window->GetSafeHwnd() : nullptr;
}

}  // namespace

std::array<int, 8> StatusPaneWidths(int screenWidth) {
    const int quarter = screenWidth / 4;
    const int right = static_cast<int>(0.35 * screenWidth);
    const int middle = std::clamp((screenWidth - 2 * quarter - right) / 3, 70, 100);
    const int tasks = right - 140;
    return {quarter - 15, quarter + 15, middle, middle, middle, tasks / 2, tasks - tasks / 2, 140};
}

IMPLEMENT_DYNCREATE(CStatusLine, CXTPStatusBar)

BEGIN_MESSAGE_MAP(CStatusLine, CXTPStatusBar)
    ON_WM_SIZE()
    ON_COMMAND(CStatusLine::kInterruptCommand, &CStatusLine::OnInterrupt)
    ON_COMMAND(CStatusLine::kShowTasksCommand, &CStatusLine::OnShowTasks)
    ON_COMMAND(CStatusLine::kPauseCommand, &CStatusLine::OnPause)
    ON_COMMAND(CStatusLine::kResumeCommand, &CStatusLine::OnResume)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CStatusLine::OnIdleUpdateStatusLine)
END_MESSAGE_MAP()

CStatusLine::CStatusLine() : m_progressThrottle(::GetTickCount()), m_promptThrottle(::GetTickCount()) {}

CStatusLine::~CStatusLine() {
    // Buttons first, then the two bars, then the toolkit's own panes.
    m_interruptButton.reset();
    m_showTasksButton.reset();
    m_pauseButton.reset();
    m_resumeButton.reset();
    m_progress.reset();
    m_taskBar.reset();
}

BOOL CStatusLine::CreatePanes() {
    const std::array<int, 8> widths = StatusPaneWidths(::GetSystemMetrics(SM_CXSCREEN));
    SetIndicators(kPaneIds.data(), static_cast<int>(kPaneIds.size()));
    for (int index = 0; index < GetPaneCount(); ++index) {
        CXTPStatusBarPane* pane = GetPane(index);
        const bool coordinate = index >= 2 && index <= 4;
        pane->SetStyle(pane->GetStyle() | (coordinate ? SBPS_POPOUT : SBPS_STRETCH));
        pane->SetWidth(widths[static_cast<std::size_t>(index)]);
        if (index >= kFirstTaskPane) pane->SetVisible(FALSE);
    }
    GetPane(kFirstTaskPane)->SetTextAlignment(DT_RIGHT);
    SetPaneText(0, L">");
    SetPaneText(1, KVLoadString(kReadyString));
    return TRUE;
}

CString CStatusLine::GetPromptText() { return m_prompt; }

BOOL CStatusLine::SetStatusText(LPCWSTR text) { return SetPaneText(0, FirstLine(text)); }

BOOL CStatusLine::SetPromptText(LPCWSTR text, bool redraw) {
    if (m_busyLevel >= 2) return FALSE;
    CString prompt = FirstLine(text);
    prompt.Trim();
    const bool wasEmpty = m_prompt.IsEmpty();
    m_prompt = prompt;
    const BOOL result = SetPaneText(1, prompt);
    if (redraw && (wasEmpty != prompt.IsEmpty() || m_promptThrottle.Allow(m_busyLevel, ::GetTickCount())))
        UpdateWindow();
    if (m_progress) updateProgressBar();
    return result;
}

BOOL CStatusLine::setFrozenPaneText(int index, LPCWSTR text) {
    if (m_busyLevel > 1) return FALSE;
    return SetPaneText(index, text);
}

BOOL CStatusLine::setCoordinate(int index, LPCWSTR prefixText, LPCWSTR text, bool prefix) {
    CString shown = text ? text : L"";
    if (prefix && !shown.IsEmpty()) shown = CString(prefixText) + shown;
    return setFrozenPaneText(index, shown);
}

BOOL CStatusLine::SetXText(LPCWSTR text, bool prefix) { return setCoordinate(2, L"X=", text, prefix); }
BOOL CStatusLine::SetYText(LPCWSTR text, bool prefix) { return setCoordinate(3, L"Y=", text, prefix); }
BOOL CStatusLine::SetIndicatorText(LPCWSTR text) { return setFrozenPaneText(4, text); }
BOOL CStatusLine::SetBackgroundTaskText(LPCWSTR text) { return setFrozenPaneText(kFirstTaskPane, text); }

bool CStatusLine::IsProgressShown() { return m_progress != nullptr; }

void CStatusLine::setTaskbarState(TBPFLAG state) {
    ITaskbarList3* taskbar = GetGlobalData()->GetITaskbarList3();
    if (!taskbar) return;
    taskbar->SetProgressState(ActiveMainFrameWindow(), state);
}

void CStatusLine::setTaskbarValue(int pos, int upper) {
    ITaskbarList3* taskbar = GetGlobalData()->GetITaskbarList3();
    if (!taskbar) return;
    HWND frame = ActiveMainFrameWindow();
    taskbar->SetProgressState(frame, TBPF_NORMAL);
    taskbar->SetProgressValue(frame, static_cast<ULONGLONG>(pos), static_cast<ULONGLONG>(std::max(upper, 0)));
}

bool CStatusLine::BeginProgress() {
    ++m_busyLevel;
    if (m_busyLevel > 1 || m_progress) return false;
    m_progressThrottle.ResetCount();
    m_promptThrottle.ResetCount();

    RECT rect{};
    GetItemRect(1, &rect);
    const int width = rect.right - rect.left;
    rect.left = rect.right - static_cast<int>(2 * width / 5.0);
    rect = RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    auto bar = std::make_unique<CProgressCtrl>();
    if (!bar->Create(WS_CHILD | WS_VISIBLE, rect, this, 0)) return false;
    m_progress = std::move(bar);

    m_progressPos = 0;
    m_progressStep = 1;
    m_progressUpper = 100;
    m_progress->SetStep(m_progressStep);
    m_progress->SetRange32(0, m_progressUpper);
    m_progress->SetMarquee(TRUE, kMarqueeMs);
    UpdateWindow();
    setTaskbarState(TBPF_INDETERMINATE);
    return true;
}

void CStatusLine::SetProgressStep(int step) {
    if (m_busyLevel > 1 || !m_progress) return;
    m_progress->SetStep(step);
    m_progressStep = step;
}

void CStatusLine::SetProgressRange(int upper) {
    if (m_busyLevel > 1 || !m_progress) return;
    m_progress->SetRange32(0, upper);
    m_progressUpper = upper;
}

BOOL CStatusLine::StepProgress() {
    if (m_busyLevel > 1 || !m_progress) return FALSE;
    m_progressPos += m_progressStep;
    return updateProgressBar();
}

void CStatusLine::SetProgressPos(int pos) {
    if (m_busyLevel > 1 || !m_progress) return;
    m_progressPos = pos;
    updateProgressBar();
}

BOOL CStatusLine::updateProgressBar() {
    if (!m_progressThrottle.Allow(m_busyLevel, ::GetTickCount())) return FALSE;
    m_progressPos = std::min(m_progressPos, m_progressUpper);
    // An unknown amount of work shows as a marquee.
    const bool unknown = m_progressPos < 0;
    m_progress->SetMarquee(unknown, kMarqueeMs);
    if (!unknown) {
        m_progress->SetPos(m_progressPos);
        setTaskbarValue(m_progressPos, m_progressUpper);
    }
    // Lets the caller's loop notice input without taking it.
    MSG message;
    return ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
}

bool CStatusLine::EndProgress() {
    --m_busyLevel;
    if (m_busyLevel >= 1) return false;
    setTaskbarState(TBPF_NOPROGRESS);
    if (!m_progress) return false;
    m_progress->SetMarquee(FALSE, 0);
    const BOOL destroyed = m_progress->DestroyWindow();
    m_progress.reset();
    UpdateWindow();
    return destroyed != FALSE;
}

int CStatusLine::SuspendOutput(bool suspend) {
    if (suspend) return m_busyLevel += 2;
    if (m_busyLevel < 2) {
        const int old = m_busyLevel;
        m_busyLevel = 0;
        return old;
    }
    return m_busyLevel -= 2;
}

int CStatusLine::GetProgressStep() { return m_progressStep; }
int CStatusLine::GetProgressRange() { return m_progressUpper; }
int CStatusLine::GetProgressPos() { return m_progressPos; }

CStatusLine::TaskLayout CStatusLine::layoutTasks() const {
    TaskLayout layout{};
    RECT buttons{};
    GetItemRect(kTaskButtonPane, &buttons);
    for (int slot = 0; slot < 4; ++slot) {
        const int right = buttons.right - kButtonGap - slot * (kButtonWidth + kButtonGap);
        layout.slots[static_cast<std::size_t>(slot)] = RECT{right - kButtonWidth, buttons.top, right, buttons.bottom};
    }
    GetItemRect(kTaskBarPane, &layout.bar);
    layout.bar.right = std::min(layout.bar.right, layout.slots[3].left - 5);
    layout.bar.bottom -= 2;
    return layout;
}

void CStatusLine::setTaskPanesVisible(bool visible) {
    for (int index = kFirstTaskPane; index < GetPaneCount(); ++index) GetPane(index)->SetVisible(visible);
}

bool CStatusLine::ShowBackgroundTasks(bool marquee) {
    ++m_busyLevel;
    if (m_busyLevel > 1 || m_taskBar) return false;
    setTaskPanesVisible(true);
    const TaskLayout layout = layoutTasks();
    auto bar = std::make_unique<CTextProgressCtrl>();
    if (!bar->Create(WS_CHILD | WS_VISIBLE | (marquee ? PBS_MARQUEE : 0), layout.bar, this, kTaskBarId)) return false;
    m_taskBar = std::move(bar);
    m_taskBar->SetStep(1);
    m_taskBar->SetRange32(0, 100);
    m_taskBar->SetMarquee(marquee, kMarqueeMs);
    setTaskbarState(TBPF_INDETERMINATE);

    showTaskButton(m_pauseButton, layout.slots[3], kPauseCommand, L"BackgroundTasks.ButtonGroup.PauseBtn.Hint",
                   L"PauseExplodeAnimation.svg");
    showTaskButton(m_resumeButton, layout.slots[2], kResumeCommand, L"BackgroundTasks.ButtonGroup.ResumeBtn.Hint",
                   L"EnableAnimation.svg");
    showTaskButton(m_interruptButton, layout.slots[1], kInterruptCommand,
                   L"BackgroundTasks.ButtonGroup.InterruptBtn.Hint", L"BackgroundTasks.Interrupt.svg");
    showTaskButton(m_showTasksButton, layout.slots[0], kShowTasksCommand, L"panes.background_tasks",
                   L"ShowBackgroundTasksWindow.svg");
    UpdateWindow();
    return true;
}

void CStatusLine::showTaskButton(std::unique_ptr<CXTPButton>& button, const RECT& slot, UINT command,
                                 LPCWSTR hintKey, LPCWSTR iconFile) {
    if (button && button->GetSafeHwnd()) {
        button->MoveWindow(&slot);
        button->ShowWindow(SW_SHOW);
        return;
    }
    button = std::make_unique<CXTPButton>();
    if (!button->Create(L"", WS_CHILD | WS_VISIBLE | BS_ICON, slot, this, command)) return;
    const int size = XTPDpiHelper()->ScaleX(16);
    // The icon files are the UI library's images; another image manager has no way to read them.
    if (auto* images = dynamic_cast<Korvo::UI::ImageManager*>(GetImageManager()))
        if (const UINT icon = images->AddCustomIconFromFile(Korvo::Images::ResourceManager::GetImagePath(iconFile)))
            button->SetIcon(SIZE{size, size}, images->GetImage(icon, size));
    button->SetTooltip(Korvo::I18n::Translate(hintKey));
}

void CStatusLine::SetBackgroundTaskProgress(int pos) {
    if (m_busyLevel > 1 || !m_taskBar) return;
    m_taskBar->SetPos(std::clamp(pos, 0, 100));
}

bool CStatusLine::HideBackgroundTasks() {
    --m_busyLevel;
    if (m_busyLevel >= 1) return false;
    setTaskbarState(TBPF_NOPROGRESS);
    if (!m_taskBar) return false;
    for (CXTPButton* button : {m_pauseButton.get(), m_resumeButton.get(), m_interruptButton.get(),
                               m_showTasksButton.get()}) {
        if (button && button->GetSafeHwnd()) button->ShowWindow(SW_HIDE);
    }
    const BOOL destroyed = m_taskBar->DestroyWindow();
    m_taskBar.reset();
    setTaskPanesVisible(false);
    UpdateWindow();
    return destroyed != FALSE;
}

CXTPButton* CStatusLine::GetTaskButton(UINT command) const {
    switch (command) {
        case kInterruptCommand: return m_interruptButton.get();
        case kShowTasksCommand: return m_showTasksButton.get();
        case kPauseCommand: return m_pauseButton.get();
        case kResumeCommand: return m_resumeButton.get();
        default: return nullptr;
    }
}

void CStatusLine::OnSize(UINT nType, int cx, int cy) {
    CXTPStatusBar::OnSize(nType, cx, cy);
    if (!m_taskBar) return;
    const TaskLayout layout = layoutTasks();
    m_taskBar->MoveWindow(&layout.bar);
    CXTPButton* bySlot[4] = {m_showTasksButton.get(), m_interruptButton.get(), m_resumeButton.get(),
                             m_pauseButton.get()};
    for (std::size_t slot = 0; slot < 4; ++slot)
        if (bySlot[slot] && bySlot[slot]->GetSafeHwnd()) bySlot[slot]->MoveWindow(&layout.slots[slot]);
}

void CStatusLine::OnInterrupt() { kvrt::StatusLineBkProcManager::Instance().Interrupt(); }
void CStatusLine::OnPause() { kvrt::StatusLineBkProcManager::Instance().Pause(); }
void CStatusLine::OnResume() { kvrt::StatusLineBkProcManager::Instance().Resume(); }

void CStatusLine::OnShowTasks() {
    // The frame opens its background-tasks pane.
    if (CFrameWnd* frame = GetParentFrame()) frame->PostMessage(WM_COMMAND, kShowTasksCommand, 0);
}

LRESULT CStatusLine::OnIdleUpdateStatusLine(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OnIdleUpdateCmdUI(wParam, lParam);
    const kvrt::StatusLineBkProcManager& manager = kvrt::StatusLineBkProcManager::Instance();
    if (m_pauseButton && m_pauseButton->GetSafeHwnd()) m_pauseButton->EnableWindow(manager.isPauseEnabled());
    if (m_resumeButton && m_resumeButton->GetSafeHwnd()) m_resumeButton->EnableWindow(manager.isResumeEnabled());
    return result;
}

CStatusLine* GetMainFrameStatusLine() {
    HWND frame = ActiveMainFrameWindow();
    if (!frame) return nullptr;
    HWND bar = ::GetDlgItem(frame, AFX_IDW_STATUS_BAR);
    return bar ? dynamic_cast<CStatusLine*>(CWnd::FromHandlePermanent(bar)) : nullptr;
}
