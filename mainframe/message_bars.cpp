#include "mainframe/message_bars.h"

#include <algorithm>

CString EscapeMessageBarText(const CString& text) {
    CString escaped = text;
    escaped.Replace(L"&", L"&amp;");
    escaped.Replace(L"<", L"&lt;");
    escaped.Replace(L">", L"&gt;");
    escaped.Replace(L"'", L"&apos;");
    escaped.Replace(L"\"", L"&quot;");
    escaped.Replace(L"{", L"&#x7b;");
    escaped.Replace(L"}", L"&#x7d;");
    escaped.Replace(L"\n", L"<LineBreak/>");
    return escaped;
}

CString MessageBarMarkup(int imageId, bool showImage, const CString& title, const CString& text) {
    const bool hasWords = !title.IsEmpty() || !text.IsEmpty();
    CString markup = L"<Grid><Grid.ColumnDefinitions>";
    if (showImage) markup += L"<ColumnDefinition Width=\"Auto\"/>";
    if (hasWords) markup += L"<ColumnDefinition Width=\"*\"/>";
    markup += L"</Grid.ColumnDefinitions>";
    if (showImage) {
        CString image;
        image.Format(L"<Image Grid.Column=\"0\" Source=\"%d\" MaxWidth=\"32\" VerticalAlignment=\"Center\"/>", imageId);
        markup += image;
    }
    if (hasWords) {
        CString block;
        block.Format(L"<TextBlock Grid.Column=\"%d\" %s VerticalAlignment=\"Center\" TextWrapping=\"Wrap\">",
                     showImage ? 1 : 0, showImage ? L"Padding=\"5, 0, 0, 0\"" : L"");
        markup += block;
        if (!title.IsEmpty()) markup += L"<Bold>" + EscapeMessageBarText(title) + L"</Bold>";
        if (!title.IsEmpty() && !text.IsEmpty()) markup += L" ";
        markup += EscapeMessageBarText(text);
        markup += L"</TextBlock>";
    }
    markup += L"</Grid>";
    return markup;
}

std::uint64_t MessageBarList::Show(CXTPCommandBars* commandBars, std::uint64_t id, int imageId, const CString& title,
                                   const CString& text, const std::vector<MessageBarButton>& buttons,
                                   Korvo::UI::MessageBar::Callback callback, INT_PTR tag, CObject* boundObject) {
    retired_.clear();
    if (title.IsEmpty() && text.IsEmpty()) return 0;
    auto bar = std::make_unique<Korvo::UI::MessageBar>(id, tag, boundObject, std::move(callback));
    if (!bar->Create(commandBars, kStyle, kControlId)) return 0;
    bar->EnableMarkup(TRUE);
    CXTPImageManager* images = commandBars->GetImageManager();
    const bool showImage = imageId > 0 && images &&
                           (images->Lookup(static_cast<UINT>(imageId), 32) || images->Lookup(static_cast<UINT>(imageId), 24) ||
                            images->Lookup(static_cast<UINT>(imageId), 16));
    bar->SetMessage(MessageBarMarkup(imageId, showImage, title, text));
    for (const MessageBarButton& button : buttons) bar->AddButton(button.id, button.caption, button.tooltip);
    bars_.push_back(std::move(bar));
    if (CWnd* site = commandBars->GetSite())
        if (auto* frame = dynamic_cast<CFrameWnd*>(site)) frame->RecalcLayout();
    return id;
}

bool MessageBarList::Close(std::uint64_t id) {
    retired_.clear();
    bool closed = false;
    for (auto it = bars_.begin(); it != bars_.end();) {
        if ((*it)->GetId() != id) {
            ++it;
            continue;
        }
        it = bars_.erase(it);
        closed = true;
    }
    return closed;
}

bool MessageBarList::CloseBoundTo(const CObject* object) {
    if (!object) return false;
    retired_.clear();
    const auto before = bars_.size();
    bars_.remove_if([object](const std::unique_ptr<Korvo::UI::MessageBar>& bar) { return bar->GetBoundObject() == object; });
    return bars_.size() != before;
}

void MessageBarList::Remove(const Korvo::UI::MessageBar* bar) {
    for (auto it = bars_.begin(); it != bars_.end(); ++it) {
        if (it->get() != bar) continue;
        if ((*it)->GetSafeHwnd()) (*it)->ShowWindow(SW_HIDE);
        retired_.push_back(std::move(*it));
        bars_.erase(it);
        return;
    }
}

bool MessageBarList::IsValid(const Korvo::UI::MessageBar* bar) const {
    return bar && std::any_of(bars_.begin(), bars_.end(),
                              [&](const std::unique_ptr<Korvo::UI::MessageBar>& held) { return held.get() == bar; });
}
