// The chooser a parameter control of the panel has open: one at a time, since each closes when it
// loses activation. A user picks in it or clicks elsewhere (it is deactivated).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/mfc.h"

class PanelChooser {
public:
    virtual ~PanelChooser();
    // The main frame whose control opened it.
    virtual HWND GetFrameWindow() const = 0;
    // Chooses the entry shown as `item`, as a click on it does; why a user could not, or nothing.
    virtual std::optional<std::wstring> Pick(const std::wstring& item) = 0;
    // Another window became active.
    virtual void Deactivate() = 0;
    // Its window (null while it has none).
    virtual HWND GetChooserWindow() const { return nullptr; }
    // What it shows, a line each, for the console.
    virtual std::vector<std::wstring> Describe() const { return {}; }

protected:
    // While open it is the one the user reaches.
    void MarkOpen();
    void MarkClosed();
};

// What the user does at the open chooser of main frame `frame`: why a user could not (none open
// there), or nothing.
std::optional<std::wstring> PickInOpenChooser(HWND frame, const std::wstring& item);
std::optional<std::wstring> DeactivateOpenChooser(HWND frame);
// Whether a chooser is open (for any frame).
bool IsChooserOpen();

// What the chooser open in main frame `frame` shows: its window's place and size, then its own
// lines; empty when none is open there.
std::vector<std::wstring> DescribeOpenChooser(HWND frame);

// The same for the console's hooks: empty when done.
std::wstring ConsolePickInChooser(HWND frame, const std::wstring& item);
std::wstring ConsoleAwayFromChooser(HWND frame);
std::wstring ConsoleDescribeChooser(HWND frame);
HWND ConsoleChooserWindow(HWND frame);
