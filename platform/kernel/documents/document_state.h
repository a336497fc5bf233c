// What the kernel keeps about a document besides the framework's document: its flags, the link of
// an in-place edit, its error container and its 3D container. The values come from the kernel's
// own work (loading, commands, in-place editing); tests set them through the kernel's control.
#pragma once

#include <cstdint>

#include "platform/kernel/documents/document_properties.h"
#include "platform/kernel/documents/error_messages.h"
#include "platform/mfc.h"

class CKvw32Doc;
class KVPDMNomenclatureRecord;

// The kernel's document flags.
class KorvoDocument2 {
public:
    // The panes do not show this document (it never becomes their current document).
    static constexpr std::uint64_t kFlagHiddenFromPanes = 16384;

    KorvoDocument2() = default;
    virtual ~KorvoDocument2() = default;

    // The summary properties stored in the document file at `path`: "Author", "Company",
    // "Comments", "Title", "Subject", "Category", "Keywords". A file that cannot be read, or is no
    // document, gives an empty set.
    static CKVPropertySet ReadProperties(LPCWSTR path);
    // Resolves a path written with the kernel's "<...>" folder names into `result` (MAX_PATH
    // characters). The stand-in knows the libraries' names: "<LIBRARY>FILE" is FILE below the
    // folder of the open configurations' library LIBRARY; a full path without names is its own
    // answer. Either is false when no such file exists; anything else is a strict failure naming
    // the call.
    static bool FindPathName(LPCWSTR path, LPCWSTR base, LPWSTR result, int fileType, LPCWSTR extension,
                             int* location, int flags);

    // True when every bit of `flag` is set (a zero flag is never set).
    bool IsFlagSet(std::uint64_t flag) const { return flag != 0 && (flags_ & flag) == flag; }
    void SetFlag(std::uint64_t flag) { flags_ |= flag; }
    void SetFlagValue(std::uint64_t flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }
    std::uint64_t GetFlags() const { return flags_; }
    // The objects the document's views show marked.
    class CMarkContainer& GetMarkContainer();

    // Lets a save write a read-only document in place.
    static constexpr std::uint64_t kFlagSaveReadOnly = 0x4000000;

    // A fragment document (a part of an assembly opened for its own sake).
    bool IsFragment() const { return fragment_; }
    void SetFragment(bool fragment) { fragment_ = fragment; }
    // PDM nomenclature: whether the document carries nomenclature data, whether it is kept in
    // step with it, and the record of the PDM system it refers to (null: none).
    bool HasNomenclatureData() const { return nomenclatureData_; }
    bool IsToBeSyncedWithNomenclatureData() const { return nomenclatureSynced_; }
    KVPDMNomenclatureRecord* GetNomenclatureReference() const { return nomenclatureRecord_; }
    void SetNomenclature(bool data, bool synced, KVPDMNomenclatureRecord* record) {
        nomenclatureData_ = data;
        nomenclatureSynced_ = synced;
        nomenclatureRecord_ = record;
    }
    // How the document refers to the PDM work mix (2: as a product of its structures).
    int GetWorkMixReference() const { return workMixReference_; }
    void SetWorkMixReference(int reference) { workMixReference_ = reference; }

    // Pinned documents keep the user on them (flag 0x40000000 or a pin count of one or more).
    static constexpr std::uint64_t kFlagPinned = 0x40000000;
    int GetPinCount() const { return pinCount_; }
    void Pin() { ++pinCount_; }
    void Unpin() { pinCount_ = pinCount_ > 0 ? pinCount_ - 1 : 0; }
    bool IsPinned() const { return IsFlagSet(kFlagPinned) || pinCount_ >= 1; }

    // The short title (empty: the same as the title) and whether tabs show the full title.
    const CString& GetShortTitle() const { return shortTitle_; }
    void SetShortTitle(const CString& title) { shortTitle_ = title; }
    bool KeepsFullTitle() const { return keepsFullTitle_; }
    void SetKeepsFullTitle(bool keep) { keepsFullTitle_ = keep; }
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The document's own id, kept in its file (a document without one is given one when read).
    const GUID& GetGuid() const { return guid_; }
    void SetGuid(const GUID& guid) { guid_ = guid; }

private:
    GUID guid_{};
    std::uint64_t flags_ = 0;
    int pinCount_ = 0;
    CString shortTitle_;
    bool keepsFullTitle_ = false;
    bool readOnly_ = false;
    bool fragment_ = false;
    bool nomenclatureData_ = false;
    bool nomenclatureSynced_ = false;
    KVPDMNomenclatureRecord* nomenclatureRecord_ = nullptr;
    int workMixReference_ = 0;
};

// While a fragment is edited in place inside an assembly, both documents carry the pair.
struct KVEditInPlaceParams {
    CKvw32Doc* assemblyDocument = nullptr;
    CKvw32Doc* fragmentDocument = nullptr;

    bool Names(const CKvw32Doc* document) const {
        return document != nullptr && (assemblyDocument == document || fragmentDocument == document);
    }
};

// The 3D model of a document.
class KV3DContainer {
public:
    explicit KV3DContainer(int mode) : mode_(mode) {}
    // 1 while the model is shown as a 3D scene; other values for the 2D and drawing modes.
    int GetMode() const { return mode_; }
    // Whether the model holds 3D content (the 3D scene mode).
    bool Has3DContent() const { return mode_ == 1; }
    // The idle step of the container's model-tree manager.
    void ModelTreeIdle() const;

private:
    int mode_;
};
