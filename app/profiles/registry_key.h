// An open registry key that closes itself; empty when opening failed.
#pragma once

#include <utility>

#include "platform/win32.h"

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // The sub-key of `parent` with the access asked; a failure leaves the result empty.
    static RegistryKey OpenSubKey(HKEY parent, LPCWSTR name, REGSAM access) {
        HKEY opened = nullptr;
        if (!parent || ::RegOpenKeyExW(parent, name, 0, access, &opened) != ERROR_SUCCESS) return RegistryKey();
        return RegistryKey(opened);
    }
    RegistryKey OpenSubKey(LPCWSTR name, REGSAM access) const { return OpenSubKey(key_, name, access); }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Close() {
        if (key_) ::RegCloseKey(std::exchange(key_, nullptr));
    }

private:
    HKEY key_ = nullptr;
};
