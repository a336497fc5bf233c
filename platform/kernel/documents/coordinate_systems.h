// The kernel's coordinate systems of a drawing: each page's own system, the local coordinate
// systems (numbered from 0, each on a page, maybe linked to a view projection) and the view
// projections of the pages; and the document's marking of the object last found.
#pragma once

#include <memory>
#include <vector>

#include "platform/kernel/documents/document_2d.h"

class KVProjection : public CKVObject {
public:
    KVProjection(CString name, int page) : name_(std::move(name)), page_(page) {}
    const CString& GetName() const { return name_; }
    int GetPage() const { return page_; }
    int GetIconId() const { return 3102; }

private:
    CString name_;
    int page_;
};

class KVCoordinateSystem : public CKVObject {
public:
    KVCoordinateSystem(int number, CString name, int page, int type, const KVProjection* link, CString comment)
        : number_(number), name_(std::move(name)), page_(page), type_(type), link_(link), comment_(std::move(comment)) {}
    // -1 for a page's own system.
    int GetNumber() const { return number_; }
    const CString& GetName() const { return name_; }
    int GetPage() const { return page_; }
    int GetType() const { return type_; }
    const KVProjection* GetLink() const { return link_; }
    const CString& GetComment() const { return comment_; }
    int GetIconId() const { return number_ < 0 ? 3100 : 3101; }

private:
    int number_;
    CString name_;
    int page_;
    int type_;
    const KVProjection* link_;
    CString comment_;
};

namespace platform::kernel {

// A new drawing has one page (0) with its own system "Page 1", the local system "Base" and the
// projections "Front view" and "Top view".
class CoordinateSystemStore {
public:
    CoordinateSystemStore();
    ~CoordinateSystemStore();
    int GetActivePage() const { return activePage_; }
    KVCoordinateSystem* GetPageSystem(int page) const;
    KVCoordinateSystem* Get(int number) const;
    std::vector<KVCoordinateSystem*> GetOnPage(int page) const;
    std::vector<KVProjection*> GetProjections(int page) const;
    // Whether a local system was made for the projection.
    bool HasSystemFor(const KVProjection* projection) const;
    // A new local system named after its projection (or "LCS <n>"); its number (recorded).
    int Create(int page, int type, const KVProjection* link, const CString& comment);
    void Show(int number);  // recorded
    KVProjection* AddProjection(const CString& name);
    // The object the views mark as last found (null: none).
    void SetLastFound(const CKVObject* object);
    const CKVObject* GetLastFound() const { return lastFound_; }

private:
    int activePage_ = 0;
    std::unique_ptr<KVCoordinateSystem> pageSystem_;
    std::vector<std::unique_ptr<KVCoordinateSystem>> systems_;
    std::vector<std::unique_ptr<KVProjection>> projections_;
    const CKVObject* lastFound_ = nullptr;
};

}  // namespace platform::kernel

// The comment the kernel gives new objects now.
CString KVGetCurrentComment();
