// The 3D part's model trees that the program hosts in panes of its own: a tree is made from a
// saved window state, a specification type and a group type; the program makes its window and
// registers it, and hands the tree the document to show.
#pragma once

#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;

class KVModelTree {
public:
    KVModelTree(std::vector<BYTE> state, CString specType, int groupType)
        : state_(std::move(state)), specType_(std::move(specType)), groupType_(groupType) {}
    const std::vector<BYTE>& GetWindowState() const { return state_; }
    const CString& GetSpecType() const { return specType_; }
    int GetGroupType() const { return groupType_; }
    HWND GetWindow() const { return window_; }
    CKvw32Doc* GetDocument() const { return document_; }

private:
    friend class KVModelTrees;
    std::vector<BYTE> state_;
    CString specType_;
    int groupType_;
    HWND window_ = nullptr;
    CKvw32Doc* document_ = nullptr;
};

// The 3D interface's operations on hosted model trees.
class KVModelTrees {
public:
    // A new tree (the caller destroys it with Destroy); null when the 3D part makes none.
    static KVModelTree* Create(const std::vector<BYTE>& state, LPCWSTR specType, int groupType);
    static void Destroy(KVModelTree* tree);
    static void RegisterWindow(KVModelTree* tree, HWND window);
    // The tree shows `document` (null: none).
    static void SetDocument(KVModelTree* tree, CKvw32Doc* document);
    // `document` closed: the tree lets go of it.
    static void DocumentClosed(KVModelTree* tree, CKvw32Doc* document);
    // The caption of the tree (empty: nothing to say) and its icon with the icon id (a new icon
    // the caller destroys; null when it has none).
    static CString GetCaption(const KVModelTree* tree);
    static HICON GetIcon(const KVModelTree* tree, int& iconId);
    // Trees alive.
    static int Count();
};
