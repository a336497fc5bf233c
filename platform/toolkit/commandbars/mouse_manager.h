// The toolkit's mouse manager: the bars that track the mouse and the keyboard now (a bar whose
// edit window has the focus), counted. A popup tracked while the count is above zero takes the
// mouse from those bars: their tracking ends and the focus leaves their edit windows. Whoever
// shows a popup that must leave them alone lowers the count for the popup's duration.
#pragma once

#include <vector>

class CXTPCommandBar;

class CXTPMouseManager {
public:
    void SetTrack(CXTPCommandBar* bar);
    void RemoveTrack(CXTPCommandBar* bar);
    bool IsTracked(const CXTPCommandBar* bar) const;
    int GetTrackingCount() const { return count_; }
    void LowerTrackingCount() { --count_; }
    void RaiseTrackingCount() { ++count_; }
    // A popup takes the mouse: with the count above zero, every tracked bar loses it (the focus
    // goes from the bar to its site).
    void PopupTakesMouse();
    // Another window takes the keyboard: every tracking bar stops tracking (the focus is that
    // window's to take).
    void SendTrackLost();

private:
    std::vector<CXTPCommandBar*> tracked_;
    int count_ = 0;
};

// The UI thread's mouse manager.
CXTPMouseManager* XTPMouseManager();
