// What the subsystems under the main frame use of one main window: its window, its command bars,
// its system panel and its panes. The application hands these out (ApplicationServices); every
// main frame implements it.
#pragma once

class MainFrameServices {
public:
    virtual ~MainFrameServices() = default;

protected:
    MainFrameServices() = default;
};
