// The 3D part's materials: the chooser window it shows under a material control, the material
// of a selected object's 3D body and the regeneration after a change. A body's material is the
// object's "Material" parameter; only documents with a 3D part have bodies and a chooser.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/kernel/documents/documents.h"

// How a material control refers to a material: kind 0 none, 1 by name, other kinds by two ids.
struct KVMaterialRecord {
    std::int32_t kind = 0;
    std::int32_t firstId = -1;
    std::int32_t secondId = -1;
    CString name;
};

// What the chooser reports a choice through.
class IKVMaterialComboBox {
public:
    virtual ~IKVMaterialComboBox() = default;
    virtual void SelectMaterial(const KVMaterialRecord& record) = 0;
    // Hands the chooser's own arguments back to it (its window, when one exists).
    virtual void PassToChooser(int first, int second) = 0;
};

class KVMaterialChooser {
public:
    KVMaterialChooser(CKvw32Doc* document, IKVMaterialComboBox* combo, RECT rect, int mode, const KVMaterialRecord& record);
    ~KVMaterialChooser();
    CKvw32Doc* GetDocument() const { return document_; }
    void Show(RECT rect, const KVMaterialRecord& record);
    void Hide();
    bool IsShown() const { return shown_; }
    int GetMode() const { return mode_; }
    RECT GetRect() const { return rect_; }
    // The user clicks a material of the library: false for a name it does not list.
    bool Choose(const CString& name);
    void OnArguments(int first, int second);
    // The materials the library lists, in order.
    static const std::vector<CString>& Library();

private:
    CKvw32Doc* document_;
    IKVMaterialComboBox* combo_;
    RECT rect_;
    int mode_;
    bool shown_ = true;
};

// The material libraries the 3D part keeps open between uses. Clearing closes them, so the next
// use opens them again from the settings then in force (after a settings profile was applied).
class KVMaterialLibraryManager {
public:
    static KVMaterialLibraryManager& Instance();
    // Closes every open library (recorded).
    void Clear();
    // Opens the library a chooser shows, unless it is open.
    void Open();
    bool IsOpen() const;

private:
    bool open_ = false;
};

namespace KV3DMaterials {
// A chooser for the document, or null when it has no 3D part.
std::unique_ptr<KVMaterialChooser> CreateChooser(CKvw32Doc* document, IKVMaterialComboBox* combo, RECT rect, int mode,
                                                 const KVMaterialRecord& record);
// The 3D body of the object at `index`, or null (no 3D part, no such object).
CKVObject* GetBodyOfObject(CKvw32Doc* document, int index);
bool IsKnownMaterial(const CString& name);
// Gives the body the material; true when that changed it (recorded).
bool ApplyMaterial(CKVObject* body, const CString& name, bool forBodies, bool inUndoStep);
// The body's material name (empty: none) and the int the kernel keeps with it (0).
CString GetMaterialName(const CKVObject* body, int& shared);
// Whether the UI module lets the user assign materials in the document.
bool IsAssignmentAllowed(CKvw32Doc* document);
}  // namespace KV3DMaterials
