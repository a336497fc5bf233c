// The kernel's camera objects: 3D objects of a document that a rendering can be made from.
#pragma once

#include <cstdint>

#include "platform/mfc.h"

class KVCameraObject {
public:
    KVCameraObject(std::uint64_t id, const CString& name) : id_(id), name_(name) {}
    std::uint64_t GetID() const { return id_; }
    const CString& GetName() const { return name_; }

private:
    std::uint64_t id_;
    CString name_;
};
