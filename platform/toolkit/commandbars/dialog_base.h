// A window with the toolkit's command bars of its own, over a plain window or a view: the
// window makes its bars when it is created, they stand one below the other at its top, and they
// go with the window object.
#pragma once

#include <algorithm>
#include <memory>

#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/dpi.h"

template <class Base>
class CXTPDialogBase : public Base {
public:
    CXTPCommandBars* GetCommandBars() const { return commandBars_.get(); }

protected:
    // Makes the window's command bars; false when they cannot be made.
    bool InitCommandBars() {
        commandBars_.reset(CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(CXTPCommandBars), this));
        return commandBars_ != nullptr;
    }
    // Before the window's own parts go: the bars' controls may reach into them.
    void DestroyCommandBars() { commandBars_.reset(); }
    // Places the visible tool bars at the top of the client area, in their order, each
    // `barHeight` pixels high at 96 dpi, and returns the client area left below them.
    RECT RepositionBars(int barHeight) {
        RECT client{};
        if (!this->GetSafeHwnd()) return client;
        this->GetClientRect(&client);
        const int height = XTPDpiHelper()->ScaleY(barHeight);
        for (int index = 0; commandBars_ && index < commandBars_->GetCount(); ++index) {
            CXTPToolBar* bar = commandBars_->GetAt(index);
            if (!bar || !bar->GetSafeHwnd() || !bar->IsVisible()) continue;
            bar->MoveWindow(client.left, client.top, client.right - client.left, height);
            client.top = std::min(client.top + height, client.bottom);
        }
        return client;
    }

private:
    std::unique_ptr<CXTPCommandBars> commandBars_;
};
