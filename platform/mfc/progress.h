// The common progress bar as the framework wraps it: a range, a position, a step and a marquee
// mode, all set through its messages. The control counts the positions it was asked to draw, so
// that throttled callers can be watched.
#pragma once

#include "platform/mfc/wnd.h"

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
inline constexpr UINT PBM_SETMARQUEE = WM_USER + 10;
inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_MARQUEE = 0x08;

class CProgressCtrl : public CWnd {
public:
    CProgressCtrl() = default;

    // A progress bar child of `parent` at `rect` with control id `id`.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos), 0)); }
    int GetPos() { return static_cast<int>(SendMessage(PBM_GETPOS, 0, 0)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step), 0)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT, 0, 0)); }
    BOOL SetMarquee(BOOL on, UINT interval) { return static_cast<BOOL>(SendMessage(PBM_SETMARQUEE, on, interval)); }

    // What the control shows (read by the harness).
    int GetLower() const { return lower_; }
    int GetUpper() const { return upper_; }
    int GetStepValue() const { return step_; }
    int GetPosValue() const { return pos_; }
    bool IsMarqueeOn() const { return marquee_; }
    UINT GetMarqueeInterval() const { return marqueeInterval_; }
    // How many PBM_SETPOS/PBM_STEPIT/PBM_DELTAPOS messages the control got: one redraw each.
    int GetPositionDraws() const { return draws_; }

protected:
    afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMarquee(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The position clamped to the range, as the control keeps it.
    int clamp(int pos) const;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 10;
    int pos_ = 0;
    bool marquee_ = false;
    UINT marqueeInterval_ = 0;
    int draws_ = 0;
};
