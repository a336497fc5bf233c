// The PDM system's nomenclature as the save commands meet it: the records a document refers to
// (each names a file and the records below it), the product structures of the PDM work mix, its
// root object and the material chooser. Every PDM call may throw the PDM system's exception.
#pragma once

#include <optional>
#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;
class KVPDMItem;

// A record of the PDM nomenclature: the file it names and the records below it. The PDM system
// keeps the records; a tree may lead back to a record above (the system does not forbid it).
class KVPDMNomenclatureRecord {
public:
    explicit KVPDMNomenclatureRecord(CString path) : path_(std::move(path)) {}
    KVPDMNomenclatureRecord(const KVPDMNomenclatureRecord&) = delete;
    KVPDMNomenclatureRecord& operator=(const KVPDMNomenclatureRecord&) = delete;

    const CString& GetPath() const { return path_; }
    const std::vector<KVPDMNomenclatureRecord*>& GetChildren() const { return children_; }
    void AddChild(KVPDMNomenclatureRecord* child) { children_.push_back(child); }
    // Reads the record's data from the PDM system again.
    void Reload();

private:
    CString path_;
    std::vector<KVPDMNomenclatureRecord*> children_;
};

// An object of the PDM system: its key.
class KVPDMObject {
public:
    explicit KVPDMObject(CString key) : key_(std::move(key)) {}
    const CString& GetKey() const { return key_; }

private:
    CString key_;
};

// The root object of the work mix the program works in.
KVPDMObject GetWorkMixRootObject();

namespace ps {
// The product structures of the PDM work mix.
class StructureManager {
public:
    static StructureManager& Instance();
    // Brings every product structure the document takes part in up to date.
    void UpdateAllProductStructures(CKvw32Doc* document);

private:
    StructureManager() = default;
};
}  // namespace ps

// A material of the PDM system's material library, as its chooser hands it over: the texts of
// the three material variables and the material's id.
struct VarnelMaterial {
    CString fields[3];
    CString id;
};

namespace Korvo::UI {
// The UI module's chooser of a PDM material for a document (its nomenclature record and PDM
// item, either may be null); nothing when the user cancelled.
std::optional<VarnelMaterial> ChooseVarnelMaterial(KVPDMNomenclatureRecord* nomenclature, KVPDMItem* item);
}  // namespace Korvo::UI

namespace platform::kernel {
// The record of the file at `path`, made on first use (one per path, case ignored).
KVPDMNomenclatureRecord* nomenclatureRecord(const CString& path);
}  // namespace platform::kernel
