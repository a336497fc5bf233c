#include "techrequirements/list_model.h"

#include <algorithm>

#include "platform/textcore.h"
#include "platform/win32/icons.h"
#include "techrequirements/tech_requirement_dialog.h"

namespace {

constexpr int kSuppressedIcon = 40756;
constexpr int kNotSuppressedIcon = 40757;
const std::vector<int> kIconSizes{16, 24, 32};
constexpr kvpf::Color kLeaderLinkColour{198, 188, 255};
constexpr kvpf::Color kInscribedColour{122, 188, 255};

using Properties = TechRequirement::Properties;

bool hasType(const Properties& properties) { return properties.GetTechTypeId() != Korvo::UniqueIdentifier(); }

kvpf::Variant translated(const wchar_t* key) { return Korvo::I18n::Translate(key); }

}  // namespace

std::uint64_t PageColumnVisibilityKey(const GUID& guid) {
    // The bytes as the id is stored: Data1 to Data3 little endian, then Data4.
    std::uint8_t bytes[16];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(guid.Data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) bytes[4 + i] = static_cast<std::uint8_t>(guid.Data2 >> (8 * i));
    for (int i = 0; i < 2; ++i) bytes[6 + i] = static_cast<std::uint8_t>(guid.Data3 >> (8 * i));
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), bytes + 8);
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

TechRequirementListModel::~TechRequirementListModel() { invalidatePreviews(); }

int TechRequirementListModel::pageColumnCount() const {
    if (!document_ || pageFilter_) return 0;
    return std::min(static_cast<int>(pages_.size()), kMaxPageColumns);
}

int TechRequirementListModel::GetColumnCount() const {
    return static_cast<std::uint8_t>(kFirstPage + pageColumnCount());
}

unsigned TechRequirementListModel::rowIndex(int row) const {
    return row >= 0 && row < GetRowCount() ? rows_[static_cast<std::size_t>(row)] : 0;
}

TechRequirement* TechRequirementListModel::requirementOf(int row) const {
    const unsigned index = rowIndex(row);
    if (!document_ || index == 0) return nullptr;
    return TechRequirementManager(document_).GetByIndex(index);
}

kvpf::Variant TechRequirementListModel::GetData(int row, int column, int role) const {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount()) return {};
    if (role == kRowId) return static_cast<int>(rowIndex(row));
    TechRequirement* requirement = requirementOf(row);
    if (!requirement) return {};
    const Properties properties(requirement);
    const bool pageColumn = column >= kFirstPage;
    switch (role) {
        case kDisplay: {
            if (pageColumn) return {};
            const TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document_);
            switch (column) {
                case kId: return static_cast<int>(properties.GetReqIndex());
                case kMainType:
                    if (!hasType(properties)) return translated(L"TechRequirementDialog.List.UnknownType");
                    return types.GetName(types.GetMainTypeParent(properties.GetTechTypeId()));
                case kType:
                    if (!hasType(properties)) return translated(L"TechRequirementDialog.List.UnknownType");
                    return types.GetFullName(properties.GetTechTypeId(), L"\\");
                case kText: return properties.GetText(true);
                case kSource:
                    if (properties.GetSourceType() == 1) return translated(L"TechRequirementDialog.List.VarnelSource");
                    return CString(L"-");
                default: return {};
            }
        }
        case kIcon:
            if (column != kSuppress) return {};
            return kvpf::Image::FromResource(properties.IsSuppressed() ? kSuppressedIcon : kNotSuppressedIcon, kIconSizes);
        case kCheck:
            if (!pageColumn) return {};
            return properties.IsOnPage(pages_[static_cast<std::size_t>(column - kFirstPage)]) ? kvpf::CheckState::Checked
                                                                                             : kvpf::CheckState::Unchecked;
        case kCheckable: return pageColumn ? kvpf::Variant(true) : kvpf::Variant();
        case kTriState: return pageColumn ? kvpf::Variant(false) : kvpf::Variant();
        case kAlignment:
            if (column == kSource || column == kSuppress) return kvpf::ListItemAlignment::Center;
            return {};
        case kEditable: return column != kId && column != kMainType && column != kSource;
        case kBackground: return backgroundOf(row);
        default: return {};
    }
}

kvpf::Variant TechRequirementListModel::backgroundOf(int row) const {
    if (!dialog_ || !dialog_->highlightToggle().IsChecked()) return {};
    TechRequirement* requirement = requirementOf(row);
    if (!requirement) return {};
    if (dialog_->getMode() == TechRequirementDialog::kModeLeaders) {
        if (const TechReqLink* link = dialog_->getLeaderLink();
            link && link->ReqIndex() == rowIndex(row) && link->Page() == dialog_->filterPage())
            return kLeaderLinkColour;
    }
    if (!requirement->GetInscriptions().empty()) return kInscribedColour;
    return {};
}

kvpf::Variant TechRequirementListModel::GetHeaderData(int column, int role) const {
    if (column < 0 || column >= GetColumnCount()) return {};
    const bool pageColumn = column >= kFirstPage;
    switch (role) {
        case kDisplay: {
            static constexpr const wchar_t* kKeys[] = {L"TechRequirementDialog.List.Id", L"TechRequirementDialog.List.MainType",
                                                       L"TechRequirementDialog.List.Type", L"TechRequirementDialog.List.Text",
                                                       L"TechRequirementDialog.List.Source"};
            if (column < kSuppress) return translated(kKeys[column]);
            if (!pageColumn || !document_) return {};
            const auto* page = dynamic_cast<const STATUS*>(
                document_->Cont2D()->GetSafeObject(pages_[static_cast<std::size_t>(column - kFirstPage)]));
            return page ? kvpf::Variant(page->GetName()) : kvpf::Variant();
        }
        case kIcon: return column == kSuppress ? kvpf::Variant(kvpf::Image::FromResource(kSuppressedIcon, kIconSizes)) : kvpf::Variant();
        case kHint: return column == kSuppress ? translated(L"TechRequirementDialog.List.Suppress") : kvpf::Variant();
        case kAlignment: return column == kSuppress ? kvpf::Variant(kvpf::ListItemAlignment::Center) : kvpf::Variant();
        case kEditable: return false;
        case kSortable: return column == kId || column == kMainType ? kvpf::Variant(false) : kvpf::Variant();
        case kStretch: return column == kMainType;
        case kWidth:
            switch (column) {
                case kId: return 0.02;
                case kType: return 0.06;
                case kText: return 0.28;
                case kSource: return 0.04;
                case kSuppress: return -24;
                default:
                    if (pages_.empty()) return {};
                    return 0.6 / static_cast<double>(pages_.size());
            }
        default: return {};
    }
}

void TechRequirementListModel::setDocument(CKvw32Doc* document) {
    if (document_ && !pages_.empty() && !pageFilter_) storePageColumnVisibility();
    document_ = document;
}

void TechRequirementListModel::storePageColumnVisibility() {
    if (!dialog_) return;
    std::vector<bool>& bits = pageColumnVisibility_[PageColumnVisibilityKey(document_->GetGuid())];
    bits.resize(pages_.size(), false);
    for (std::size_t i = 0; i < pages_.size(); ++i)
        bits[i] = dialog_->list().IsColumnVisible(kFirstPage + static_cast<int>(i));
}

void TechRequirementListModel::restorePageColumnVisibility(kvpf::ListControl& list) const {
    if (!document_ || pageFilter_) return;
    const auto stored = pageColumnVisibility_.find(PageColumnVisibilityKey(document_->GetGuid()));
    if (stored == pageColumnVisibility_.end()) return;
    const int columns = pageColumnCount();
    for (std::size_t i = 0; i < stored->second.size() && static_cast<int>(i) < columns; ++i)
        list.ShowColumn(kFirstPage + static_cast<int>(i), stored->second[i]);
}

void TechRequirementListModel::reload(bool reset) {
    rows_.clear();
    invalidatePreviews();
    previews_.clear();
    if (document_) {
        for (TechRequirement* requirement : TechRequirementManager(document_).GetSorted(pageFilter_, true))
            rows_.push_back(Properties(requirement).GetReqIndex());
        previews_.resize(rows_.size());
    }
    if (reset) {
        NotifyDataReset();
        return;
    }
    const int last = GetRowCount() - 1;
    NotifyDataChanged(0, last, 0, GetColumnCount() - 1);
    NotifyRowDataChanged(0, last);
}

void TechRequirementListModel::reloadPages() {
    pages_.clear();
    if (document_) pages_ = TechRequirementManager(document_).FindSuitablePages();
}

void TechRequirementListModel::notifyBackground() {
    NotifyDataChanged(0, GetRowCount() - 1, 0, GetColumnCount() - 1, {kBackground});
}

void TechRequirementListModel::invalidatePreviews() {
    for (Preview& preview : previews_) {
        if (preview.valid && preview.icon) ::DestroyIcon(preview.icon);
        // The handle goes with the icon, so a later render cannot destroy it a second time.
        preview = Preview{};
    }
}

bool TechRequirementListModel::hasValidPreview(int row) const {
    return row >= 0 && row < static_cast<int>(previews_.size()) && previews_[static_cast<std::size_t>(row)].valid;
}
