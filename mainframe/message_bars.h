// A main frame's message bars: shown under its command bars with the message in markup, closed
// by id or by the bar's own close button.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "platform/korvoui.h"

// Title and text escaped for the bar's markup (ampersand first, so no escape is escaped twice).
CString EscapeMessageBarText(const CString& text);
// The bar's markup: an image column when `imageId` is shown, a text column with the bold title
// and the text when either is given.
CString MessageBarMarkup(int imageId, bool showImage, const CString& title, const CString& text);

struct MessageBarButton {
    UINT id = 0;
    CString caption;
    CString tooltip;
};

class MessageBarList {
public:
    static constexpr DWORD kStyle = 0x50002800;
    static constexpr UINT kControlId = 59398;

    // The new bar's id; 0 when title and text are both empty or the bar window cannot be made.
    std::uint64_t Show(CXTPCommandBars* commandBars, std::uint64_t id, int imageId, const CString& title,
                       const CString& text, const std::vector<MessageBarButton>& buttons,
                       Korvo::UI::MessageBar::Callback callback = {}, INT_PTR tag = 0, CObject* boundObject = nullptr);
    // The bar most recently shown, or null.
    Korvo::UI::MessageBar* Last() const { return bars_.empty() ? nullptr : bars_.back().get(); }
    // Closes every bar of `id`; false when there is none.
    bool Close(std::uint64_t id);
    // Closes every bar bound to `object` (a document that closed); false when there is none.
    bool CloseBoundTo(const CObject* object);
    // Takes a bar away once it told its frame it closed. The bar may still be inside its own
    // button handler, so its window is hidden now and the object goes at the next change.
    void Remove(const Korvo::UI::MessageBar* bar);
    bool IsValid(const Korvo::UI::MessageBar* bar) const;
    void Clear() {
        bars_.clear();
        retired_.clear();
    }
    const std::list<std::unique_ptr<Korvo::UI::MessageBar>>& Bars() const { return bars_; }

private:
    std::list<std::unique_ptr<Korvo::UI::MessageBar>> bars_;
    std::list<std::unique_ptr<Korvo::UI::MessageBar>> retired_;
};
