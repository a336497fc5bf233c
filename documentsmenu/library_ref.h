// A library held by its id rather than by its address: each use looks it up in the model, so a
// library destroyed meanwhile is simply no longer found, and one read again from its configuration
// file (which keeps its id) is found again.
#pragma once

#include "platform/kernel.h"

namespace DocumentsMenu {

class LibraryRef {
public:
    LibraryRef() = default;
    explicit LibraryRef(const ILibrary* library) : id_(library ? library->GetId() : GUID{}) {}

    // Null when none was given or the library no longer exists.
    ILibrary* Get() const { return id_ == GUID{} ? nullptr : FindLibrary(id_); }
    bool IsSet() const { return !(id_ == GUID{}); }
    const GUID& GetId() const { return id_; }

private:
    GUID id_{};
};

}  // namespace DocumentsMenu
