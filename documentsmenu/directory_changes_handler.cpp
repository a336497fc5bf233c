#include "documentsmenu/directory_changes_handler.h"

namespace DocumentsMenu {

DirectoryChangesHandler::~DirectoryChangesHandler() { StopWatching(this); }

void DirectoryChangesHandler::FileAdded(const SharedPathName&) {}
void DirectoryChangesHandler::FileRemoved(const SharedPathName&) {}
void DirectoryChangesHandler::FileNameChanged(const SharedPathName&, const SharedPathName&) {}
void DirectoryChangesHandler::FileModified(const SharedPathName&) {}
void DirectoryChangesHandler::ReadDirectoryChangesError(DWORD, const SharedPathName&) {}
void DirectoryChangesHandler::WatchStarted(DWORD, const SharedPathName&) {}
void DirectoryChangesHandler::WatchStopped(const SharedPathName&) {}
bool DirectoryChangesHandler::FilterNotification(DWORD, LPCWSTR, LPCWSTR) { return false; }

void WatchDirectory(const SharedPathName& folder, DirectoryChangesHandler* handler) {
    if (!handler) return;
    StopWatching(handler);
    handler->watchedFolder_ = folder;
}

void StopWatching(DirectoryChangesHandler* handler) {
    if (!handler) return;
    handler->dispatcher_ = nullptr;
    handler->watchedFolder_ = SharedPathName();
}

}  // namespace DocumentsMenu
