#include "documentsmenu/library_drag_drop.h"

#include "documentsmenu/clipart_opener.h"

#include <optional>
#include <vector>

#include "documentsmenu/drag_formats.h"

namespace DocumentsMenu {

namespace {

bool carriesModelObjects(const COleDataObject* data) {
    return data && (data->IsDataAvailable(LibraryFormat()) || data->IsDataAvailable(LibrariesGroupFormat()));
}

void dragIdentifier(CLIPFORMAT format, const GUID& id) {
    HGLOBAL block = MakeGlobalBlock(MakeIdentifierList({id}));
    if (!block) return;
    COleDataSource source;
    source.CacheGlobalData(format, block);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

// The identifiers under the format: none when it is not offered, nothing when its block cannot
// be read.
std::optional<std::vector<GUID>> identifiers(const COleDataObject& data, CLIPFORMAT format) {
    if (!data.IsDataAvailable(format)) return std::vector<GUID>{};
    const auto block = ReadGlobalBlock(data, format);
    if (!block) return std::nullopt;
    return ReadIdentifierList(block->data(), block->size());
}

bool isAtOrAbove(const ILibrariesGroup* group, const ILibrariesGroup* target) {
    for (const ILibrariesGroup* at = target; at; at = at->GetParent()) {
        if (at == group) return true;
    }
    return false;
}

}  // namespace

LibraryDragDrop& LibraryDragDrop::Instance() {
    static LibraryDragDrop instance;
    return instance;
}

void LibraryDragDrop::DoDragLibrary(ILibrary* library) {
    if (library) dragIdentifier(LibraryFormat(), library->GetId());
}

void LibraryDragDrop::DoDragLibrariesGroup(ILibrariesGroup* group) {
    if (group) dragIdentifier(LibrariesGroupFormat(), group->GetId());
}

DROPEFFECT LibraryDragDrop::OnDragOverRecord(ILibrariesGroup*, COleDataObject* data, DWORD keyState) {
    if (!carriesModelObjects(data)) return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// False when the group refused something dropped (a group onto itself or below itself, a library
// or group dropped where it is already); what it took stays taken.
bool LibraryDragDrop::OnDropOnRecord(ILibrariesGroup* target, COleDataObject* data, DROPEFFECT effect) {
    if (!target || !data) return false;
    const auto libraries = identifiers(*data, LibraryFormat());
    if (!libraries) return false;
    bool taken = true;
    for (const GUID& id : *libraries) {
        ILibrary* library = FindLibrary(id);
        if (!library) continue;
        if (effect == DROPEFFECT_COPY) {
            ILibrary* copy = CreateLibrary(library);
            taken = copy && target->AddLibrary(copy) && taken;
        } else {
            taken = target->AddLibrary(library) && taken;
        }
    }
    const auto groups = identifiers(*data, LibrariesGroupFormat());
    if (!groups) return false;
    for (const GUID& id : *groups) {
        ILibrariesGroup* group = FindLibrariesGroup(id);
        if (!group) continue;
        if (effect == DROPEFFECT_COPY) {
            ILibrariesGroup* copy = CreateLibrariesGroup(group->GetDisplayName());
            if (copy && target->AddLibrariesGroup(copy)) continue;
            if (copy) copy->Destroy();
            taken = false;
        } else {
            // Moved into itself or below itself, the group would hold itself.
            taken = !isAtOrAbove(group, target) && target->AddLibrariesGroup(group) && taken;
        }
    }
    return taken;
}

DROPEFFECT LibraryDragDrop::OnDragOverWindow(COleDataObject* data, DWORD, POINT, CWnd*) {
    return carriesModelObjects(data) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
}

bool LibraryDragDrop::OnDropOnWindow(COleDataObject* data, DROPEFFECT, POINT point, CWnd* window) {
    if (!data) return false;
    if (window && window->GetSafeHwnd()) ::ClientToScreen(window->GetSafeHwnd(), &point);
    const auto libraries = identifiers(*data, LibraryFormat());
    if (!libraries) return false;
    const auto groups = identifiers(*data, LibrariesGroupFormat());
    if (!groups) return false;
    // Each dropped object opens in a pane of its own at the point of the drop.
    for (const GUID& id : *libraries) OpenLibraryClipart(FindLibrary(id), &point);
    for (const GUID& id : *groups) OpenLibrariesGroupClipart(FindLibrariesGroup(id), &point);
    return true;
}

}  // namespace DocumentsMenu
