// A unit of the user's settings profiles, known by name: the main frame, the user commands, the
// document manager and the kernel's own items each keep their state as one. The profile manager
// loads and saves every live item with the profile state; the base item keeps nothing of its own.
#pragma once

#include <utility>
#include <vector>

#include "platform/mfc.h"

// Kinds of profile an item belongs to (bits of the item's kind flags).
inline constexpr DWORD kProfileKindCommon = 0x1;
inline constexpr DWORD kProfileKind2D = 0x2;
inline constexpr DWORD kProfileKind3D = 0x4;
inline constexpr DWORD kProfileKindAssembly = 0x8;

class KorvoProfileItem {
public:
    explicit KorvoProfileItem(LPCWSTR name, UINT titleStringId = 0);
    virtual ~KorvoProfileItem();
    KorvoProfileItem(const KorvoProfileItem&) = delete;
    KorvoProfileItem& operator=(const KorvoProfileItem&) = delete;

    // 0 when the item's state was loaded; the base has nothing to load.
    virtual int LoadState() { return 0; }
    virtual int SaveState() { return 0; }
    // The registry keys that hold the item's state (for a profile's export and reset).
    virtual void GetRegistryKeys(std::vector<CString>& keys) const { keys.push_back(GetRegistrySection()); }
    // The name the profile page shows: the kernel string of the item's title, else its name.
    virtual CString GetDisplayName() const;
    // The program versions whose profiles the item can read, as (first, last) major versions.
    virtual std::pair<int, int> GetSupportedVersionRange() const { return {0, 0x7FFFFFFF}; }

    // The live items, in the order they were made.
    static const std::vector<KorvoProfileItem*>& GetItems();

    const CString& GetProfileItemName() const { return name_; }
    UINT GetTitleStringId() const { return titleStringId_; }
    // The item's section under the application's registry key.
    CString GetRegistrySection() const { return name_; }
    // Which kinds of profile the item belongs to (kProfileKind* bits).
    DWORD GetProfileKind() const { return kind_; }
    void SetProfileKind(DWORD kind) { kind_ = kind; }

private:
    CString name_;
    UINT titleStringId_;
    DWORD kind_ = kProfileKindCommon;
};
