// The toolkit's smart pointer over the framework's reference counts: it holds one reference of
// the object (InternalAddRef/InternalRelease), so the last holder's release ends the object.
#pragma once

#include <utility>

template <class T>
class CXTPSmartPtrInternalT {
public:
    // Takes over a reference the caller has (`addRef` false) or adds one of its own.
    explicit CXTPSmartPtrInternalT(T* object = nullptr, bool addRef = false) : object_(object) {
        if (object_ && addRef) object_->InternalAddRef();
    }
    CXTPSmartPtrInternalT(const CXTPSmartPtrInternalT& other) : object_(other.object_) {
        if (object_) object_->InternalAddRef();
    }
    CXTPSmartPtrInternalT(CXTPSmartPtrInternalT&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    CXTPSmartPtrInternalT& operator=(CXTPSmartPtrInternalT other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~CXTPSmartPtrInternalT() { Release(); }

    void Release() {
        if (T* object = std::exchange(object_, nullptr)) object->InternalRelease();
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_;
};
