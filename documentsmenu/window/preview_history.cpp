#include "documentsmenu/window/preview_history.h"

#include <algorithm>

#include "platform/toolkit.h"

namespace DocumentsMenu {

HistoryEntry HistoryEntry::ForConfiguration(IConfiguration* configuration) {
    return {Kind::Configuration, static_cast<ILibrariesGroup*>(configuration)->GetId(), configuration->GetPath()};
}

HistoryEntry HistoryEntry::ForLibrariesGroup(ILibrariesGroup* group) { return {Kind::LibrariesGroup, group->GetId(), {}}; }

HistoryEntry HistoryEntry::ForLibrary(ILibrary* library) { return {Kind::Library, library->GetId(), {}}; }

HistoryEntry HistoryEntry::ForDocument(ILibrary* library, const CString& relativePath) {
    return {Kind::LibraryDocument, library->GetId(), relativePath};
}

HistoryEntry HistoryEntry::ForFolder(const CString& path) { return {Kind::Folder, GUID{}, path}; }

std::size_t PreviewWnd::History::GrownStorage(std::size_t storage, std::size_t count) {
    std::size_t size = std::max<std::size_t>(storage, 1);
    while (size < count) size *= 2;
    // Too little left over for the next steps: one doubling more now saves a copy soon.
    if (count + size / 5 >= size) size *= 2;
    return std::min(size, kMaxEntries);
}

void PreviewWnd::History::Push(HistoryEntry entry) {
    while (position_ + 1 < entries_.size()) entries_.pop_back();
    if (entries_.full() && entries_.capacity() < kMaxEntries)
        entries_.set_capacity(GrownStorage(entries_.capacity(), entries_.size() + 1));
    // A full history of 256 forgets its oldest step.
    entries_.push_back(std::move(entry));
    position_ = entries_.size() - 1;
    UpdateNavigationButtons();
}

void PreviewWnd::History::SetPosition(std::size_t position) {
    if (position < entries_.size()) position_ = position;
    UpdateNavigationButtons();
}

void PreviewWnd::History::SetButtons(CXTPControl* back, CXTPControl* forward) {
    back_ = back;
    forward_ = forward;
    UpdateNavigationButtons();
}

void PreviewWnd::History::UpdateNavigationButtons() {
    if (back_) {
        back_->SetEnabled(CanGoBack() ? TRUE : FALSE);
        const HistoryEntry* before = CanGoBack() ? &entries_[position_ - 1] : nullptr;
        back_->SetTooltip(before && before->kind == HistoryEntry::Kind::Folder
                              ? Korvo::I18n::FormatTranslation(L"docs_menu.tooltip.move_back_to", before->path)
                              : Korvo::I18n::Translate(L"model_tree_wnd.command.move_back"));
    }
    if (forward_) {
        forward_->SetEnabled(CanGoForward() ? TRUE : FALSE);
        const HistoryEntry* after = CanGoForward() ? &entries_[position_ + 1] : nullptr;
        forward_->SetTooltip(after && after->kind == HistoryEntry::Kind::Folder
                                 ? Korvo::I18n::FormatTranslation(L"docs_menu.tooltip.move_forward_to", after->path)
                                 : Korvo::I18n::Translate(L"model_tree_wnd.command.move_forward"));
    }
}

}  // namespace DocumentsMenu
