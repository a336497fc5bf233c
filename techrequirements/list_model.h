// The requirements list's model: one row per requirement of the bound document (in the kernel's
// list order, those of the view filter's page), columns Id, MainType, Type, Text, Source,
// Suppress and one check column per page while no page filter is set. Rows keep requirement
// indexes and resolve them when read, so a requirement another command or an undo removed shows
// empty cells instead of leaving the list pointing at freed memory.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

class TechRequirementDialog;

// The 64-bit FNV-1a hash of the 16 bytes of `guid` in storage order: the key of a document's
// stored page-column visibility.
std::uint64_t PageColumnVisibilityKey(const GUID& guid);

class TechRequirementListModel : public kvpf::ListControlModel {
public:
    enum Column { kId = 0, kMainType, kType, kText, kSource, kSuppress, kFirstPage };
    // Page columns end here, so that the column count (taken as 8 bits) never wraps.
    static constexpr int kMaxPageColumns = 249;
    enum Role {
        kDisplay = 0, kIcon = 3, kCheck = 4, kCheckable = 5, kTriState = 6, kHint = 8, kAlignment = 10, kEditable = 11,
        kSortable = 13, kStretch = 15, kWidth = 18, kBackground = 20, kRowId = 21
    };

    TechRequirementListModel() = default;

    int GetRowCount() const override { return static_cast<int>(rows_.size()); }
    int GetColumnCount() const override;
    kvpf::Variant GetData(int row, int column, int role) const override;
    kvpf::Variant GetHeaderData(int column, int role) const override;
    // Page checks (role 4 of a page column) change the affected rows; other cells refuse.
    bool TryChangeData(int row, int column, const kvpf::Variant& value, int role) override;

    void setDialog(TechRequirementDialog* dialog) { dialog_ = dialog; }
    void setDocument(CKvw32Doc* document);
    CKvw32Doc* document() const { return document_; }
    void setPageFilter(std::optional<int> page) { pageFilter_ = page; }
    const std::optional<int>& pageFilter() const { return pageFilter_; }
    const std::vector<int>& pages() const { return pages_; }
    // The pages shown as columns (at most kMaxPageColumns of them).
    int pageColumnCount() const;

    void reload(bool reset);
    void reloadPages();
    void notifyBackground();
    // The row's requirement index (0 for no row).
    unsigned rowIndex(int row) const;
    // The requirement of the row, or null when its index no longer resolves.
    TechRequirement* requirementOf(int row) const;
    // Shows or hides the page columns as stored for the bound document.
    void restorePageColumnVisibility(kvpf::ListControl& list) const;
    // Drops every cached preview (their icons are destroyed).
    void invalidatePreviews();
    // The hover preview of the row: the cached icon, or one rendered from the requirement's
    // rich text; empty for a row without text data.
    kvpf::Image getPreviewImage(int row);
    bool hasValidPreview(int row) const;

protected:
    ~TechRequirementListModel() override;

private:
    struct Preview {
        HICON icon = nullptr;
        bool valid = false;
    };
    void storePageColumnVisibility();
    HICON renderPreview(const TechRequirement& requirement) const;
    kvpf::Variant backgroundOf(int row) const;

    std::vector<unsigned> rows_;
    std::optional<int> pageFilter_;
    std::vector<int> pages_;
    CKvw32Doc* document_ = nullptr;
    TechRequirementDialog* dialog_ = nullptr;
    std::vector<Preview> previews_;
    std::map<std::uint64_t, std::vector<bool>> pageColumnVisibility_;
};
