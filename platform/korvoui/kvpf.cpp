#include "platform/korvoui/kvpf.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/core/text.h"

namespace kvpf {

namespace {

// Never destroyed: the application's pane windows, which own forms, outlive the statics.
std::vector<WpfDockFormView*>& liveForms() {
    static auto* forms = new std::vector<WpfDockFormView*>();
    return *forms;
}

// Saved settings of forms by name: the column visibility of each list, by the list's full id.
std::map<CString, std::map<CString, std::vector<bool>>>& savedSettings() {
    static std::map<CString, std::map<CString, std::vector<bool>>> settings;
    return settings;
}

std::wstring sizesText(const std::vector<int>& sizes) {
    std::wstring text;
    for (int size : sizes) text += (text.empty() ? L"" : L",") + std::to_wstring(size);
    return text;
}

// Lists below a container, depth first.
void collectLists(const ContainerControl& container, std::vector<ListControl*>& lists) {
    for (const Ref<BaseControl>& control : container.GetControls()) {
        if (auto* list = dynamic_cast<ListControl*>(control.get())) lists.push_back(list);
        if (auto* inner = dynamic_cast<ContainerControl*>(control.get())) collectLists(*inner, lists);
    }
}

std::optional<std::wstring> refusalFor(const BaseControl& control) {
    if (!control.IsVisible()) return L"control \"" + std::wstring(control.GetFullId().view()) + L"\" is hidden";
    if (!control.IsEnabled()) return L"control \"" + std::wstring(control.GetFullId().view()) + L"\" is disabled";
    return std::nullopt;
}

}  // namespace

// ---- Values -------------------------------------------------------------------------------------

Image Image::FromFilePath(const CString& path, std::vector<int> sizes) {
    Image image;
    image.kind_ = Kind::File;
    image.path_ = path;
    image.sizes_ = std::move(sizes);
    return image;
}

Image Image::FromResource(int resourceId, std::vector<int> sizes) {
    Image image;
    image.kind_ = Kind::Resource;
    image.resource_ = resourceId;
    image.sizes_ = std::move(sizes);
    return image;
}

Image Image::FromIcon(HICON icon, int width, int height) {
    Image image;
    image.kind_ = icon ? Kind::Icon : Kind::None;
    image.icon_ = icon;
    image.sizes_ = {width, height};
    return image;
}

std::wstring Image::Describe() const {
    switch (kind_) {
        case Kind::None: return L"none";
        case Kind::File: return L"file " + platform::core::quoted(path_.view()) + L" " + sizesText(sizes_);
        case Kind::Resource: return L"resource " + std::to_wstring(resource_) + L" " + sizesText(sizes_);
        case Kind::Icon: return L"icon " + std::to_wstring(sizes_.at(0)) + L"x" + std::to_wstring(sizes_.at(1));
    }
    return L"none";
}

std::wstring VariantText(const Variant& value) {
    struct Printer {
        std::wstring operator()(std::monostate) const { return L"-"; }
        std::wstring operator()(const CString& text) const { return platform::core::quoted(text.view()); }
        std::wstring operator()(int number) const { return std::to_wstring(number); }
        std::wstring operator()(double number) const { return platform::format(L"%.4g", number); }
        std::wstring operator()(bool flag) const { return flag ? L"true" : L"false"; }
        std::wstring operator()(CheckState state) const { return state == CheckState::Checked ? L"checked" : L"unchecked"; }
        std::wstring operator()(const Image& image) const { return image.Describe(); }
        std::wstring operator()(ListItemAlignment alignment) const {
            return L"align " + std::to_wstring(static_cast<int>(alignment));
        }
        std::wstring operator()(const Color& colour) const {
            return platform::format(L"rgb(%d,%d,%d)", colour.r, colour.g, colour.b);
        }
        std::wstring operator()(std::int64_t number) const { return L"int64 " + std::to_wstring(number); }
    };
    return std::visit(Printer{}, value);
}

// ---- Controls -------------------------------------------------------------------------------------

const BaseControl* BaseControl::GetOwner() const {
    if (parent_) return parent_;
    return owner_;
}

CString BaseControl::GetFullId() const {
    const BaseControl* above = GetOwner();
    if (!above) return id_;
    return above->GetFullId() + L"." + id_;
}

bool BaseControl::IsEnabled() const {
    const BaseControl* above = GetOwner();
    return enabled_ && (!above || above->IsEnabled());
}

bool BaseControl::AreUserEventsSuppressed() const {
    const BaseControl* above = GetOwner();
    return suppressed_ > 0 || (above && above->AreUserEventsSuppressed());
}

BaseControl* ContainerControl::Add(const Ref<BaseControl>& control, int position) {
    if (!control) return nullptr;
    control->parent_ = this;
    if (position < 0 || position >= static_cast<int>(controls_.size())) controls_.push_back(control);
    else controls_.insert(controls_.begin() + position, control);
    return control.get();
}

BaseControl* ContainerControl::Find(const CString& id) const {
    for (const Ref<BaseControl>& control : controls_)
        if (control->GetId() == id) return control.get();
    return nullptr;
}

ContainerControl::~ContainerControl() {
    for (const Ref<BaseControl>& control : controls_) control->parent_ = nullptr;
}

std::optional<std::wstring> ButtonControl::Click() {
    if (auto refusal = refusalFor(*this)) return refusal;
    if (handler_ && !AreUserEventsSuppressed()) handler_();
    return std::nullopt;
}

Ref<SelectControl> SelectControl::Create(const wchar_t* name) { return MakeRef<SelectControl>(CString(name ? name : L"")); }

void SelectControl::RemoveAllItems() { RemoveItemsFrom(0); }

void SelectControl::RemoveItemsFrom(int first) {
    if (first < 0 || first >= GetItemCount()) return;
    items_.erase(items_.begin() + first, items_.end());
    if (selected_ >= first) selected_ = -1;
}

void SelectControl::SetItemEnabled(int index, bool enabled) {
    if (index >= 0 && index < GetItemCount()) items_[static_cast<std::size_t>(index)].enabled = enabled;
}

int SelectControl::GetIndexByCustomId(int customId) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (items_[static_cast<std::size_t>(i)].customId == customId) return i;
    return -1;
}

void SelectControl::SetSelectedIndex(int index) {
    if (index < -1 || index >= GetItemCount() || index == selected_) return;
    selected_ = index;
    if (changed_ && !AreUserEventsSuppressed()) changed_();
}

std::optional<int> SelectControl::GetSelectedCustomId() const {
    if (selected_ < 0) return std::nullopt;
    return items_[static_cast<std::size_t>(selected_)].customId;
}

std::optional<std::wstring> SelectControl::UserSelect(int customId) {
    if (auto refusal = refusalFor(*this)) return refusal;
    const int index = GetIndexByCustomId(customId);
    if (index < 0) return L"control \"" + std::wstring(GetFullId().view()) + L"\" has no item " + std::to_wstring(customId);
    if (!items_[static_cast<std::size_t>(index)].enabled)
        return L"item " + std::to_wstring(customId) + L" of \"" + std::wstring(GetFullId().view()) + L"\" is disabled";
    SetSelectedIndex(index);
    if (lostFocus_ && !AreUserEventsSuppressed()) lostFocus_();
    return std::nullopt;
}

void ToggleControl::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (changed_ && !AreUserEventsSuppressed()) changed_();
}

std::optional<std::wstring> ToggleControl::UserToggle() {
    if (auto refusal = refusalFor(*this)) return refusal;
    SetChecked(!checked_);
    return std::nullopt;
}

// ---- Lists ------------------------------------------------------------------------------------------

Variant ListControlModel::GetRowData(int, int) const { return {}; }
bool ListControlModel::TryChangeData(int, int, const Variant&, int) { return false; }
bool ListControlModel::TryChangeRowData(int, const Variant&, int) { return false; }

void ListControlModel::NotifyColumnsInserted(int first, int count) {
    if (list_) list_->modelNotified(platform::format(L"columns inserted %d+%d", first, count), true);
}
void ListControlModel::NotifyRowsInserted(int first, int count) {
    if (!list_) return;
    list_->modelNotified(platform::format(L"rows inserted %d+%d", first, count), false);
    // Selected rows at and below the new ones move down with their data.
    for (int& row : list_->selected_)
        if (row >= first) row += count;
}
void ListControlModel::NotifyColumnsRemoved(int first, int count) {
    if (list_) list_->modelNotified(platform::format(L"columns removed %d+%d", first, count), true);
}
void ListControlModel::NotifyRowsRemoved(int first, int count) {
    if (!list_) return;
    list_->modelNotified(platform::format(L"rows removed %d+%d", first, count), false);
    // Removed rows leave the selection; those below move up.
    std::vector<int> kept;
    for (int row : list_->selected_) {
        if (row >= first && row < first + count) continue;
        kept.push_back(row >= first + count ? row - count : row);
    }
    list_->selected_ = std::move(kept);
}
void ListControlModel::NotifyRowDataChanged(int firstRow, int lastRow) {
    if (list_) list_->modelNotified(platform::format(L"rows %d-%d", firstRow, lastRow), false);
}
void ListControlModel::NotifyDataChanged(int firstRow, int lastRow, int firstColumn, int lastColumn, std::vector<int> roles) {
    if (!list_) return;
    std::wstring text = platform::format(L"data %d-%d %d-%d", firstRow, lastRow, firstColumn, lastColumn);
    for (int role : roles) text += L" role " + std::to_wstring(role);
    list_->modelNotified(text, false);
}
void ListControlModel::NotifyHeaderChanged(int firstColumn, int lastColumn) {
    if (list_) list_->modelNotified(platform::format(L"header %d-%d", firstColumn, lastColumn), false);
}
void ListControlModel::NotifyDataReset() {
    if (list_) list_->modelNotified(L"reset", true);
}

ListControl::ListControl(CString id)
    : BaseControl(std::move(id)), editors_(MakeRef<ContainerControl>(CString(L"Editors"))), buttons_(MakeRef<ContainerControl>(CString(L"Buttons"))) {
    buttons_->owner_ = this;
}

ListControl::~ListControl() {
    if (model_) model_->list_ = nullptr;
}

void ListControl::SetModel(const Ref<ListControlModel>& model) {
    if (model_) model_->list_ = nullptr;
    model_ = model;
    if (model_) model_->list_ = this;
    modelNotified(L"model", true);
}

void ListControl::SetSelectionMode(int mode) {
    selectionMode_ = mode;
    // Single selection keeps the first selected row only.
    if (mode == 0 && selected_.size() > 1) selected_.erase(selected_.begin() + 1, selected_.end());
}

void ListControl::modelNotified(const std::wstring& what, bool reset) {
    notifications_.push_back(what);
    if (notifications_.size() > 64) notifications_.erase(notifications_.begin());
    if (!reset) return;
    // A reset lays the list out afresh: new columns show, a narrower list forgets the rest, and
    // the selection and any cell editing end.
    const int columns = model_ ? model_->GetColumnCount() : 0;
    columnsVisible_.resize(static_cast<std::size_t>(std::max(columns, 0)), true);
    editing_.reset();
    selected_.clear();
}

void ListControl::Bind(Event event, Handler handler) { handlers_[event] = std::move(handler); }

void ListControl::fire(Event event, int row, int column) {
    const auto it = handlers_.find(event);
    if (it != handlers_.end() && !AreUserEventsSuppressed()) it->second(row, column);
}

void ListControl::EndCellEditing() {
    if (!editing_) return;
    const auto [row, column] = *editing_;
    editing_.reset();
    fire(Event::CellEditEnd, row, column);
}

int ListControl::GetSelectedRow(int after) const {
    std::vector<int> sorted = selected_;
    std::sort(sorted.begin(), sorted.end());
    for (int row : sorted)
        if (row > after) return row;
    return -1;
}

std::vector<int> ListControl::GetSelectedRows() const { return selected_; }

void ListControl::SelectRows(const std::vector<int>& rows) {
    const int count = model_ ? model_->GetRowCount() : 0;
    selected_.clear();
    for (int row : rows) {
        if (row < 0 || row >= count || std::find(selected_.begin(), selected_.end(), row) != selected_.end()) continue;
        selected_.push_back(row);
        if (selectionMode_ == 0) break;
    }
}

void ListControl::ClearSelection() { selected_.clear(); }

bool ListControl::IsColumnVisible(int column) const {
    return column >= 0 && column < static_cast<int>(columnsVisible_.size()) && columnsVisible_[static_cast<std::size_t>(column)];
}

void ListControl::ShowColumn(int column, bool visible) {
    if (column >= 0 && column < static_cast<int>(columnsVisible_.size())) columnsVisible_[static_cast<std::size_t>(column)] = visible;
}

std::optional<std::wstring> ListControl::UserSelectRows(const std::vector<int>& rows) {
    if (auto refusal = refusalFor(*this)) return refusal;
    const int count = model_ ? model_->GetRowCount() : 0;
    for (int row : rows)
        if (row < 0 || row >= count)
            return L"list \"" + std::wstring(GetFullId().view()) + L"\" has no row " + std::to_wstring(row) + L" (" +
                   std::to_wstring(count) + L" rows)";
    if (selectionMode_ == 0 && rows.size() > 1)
        return L"list \"" + std::wstring(GetFullId().view()) + L"\" selects one row at a time";
    EndCellEditing();
    SelectRows(rows);
    fire(Event::SelectionChanged, rows.empty() ? -1 : rows.back(), 0);
    return std::nullopt;
}

std::optional<std::wstring> ListControl::UserHover(int row) {
    if (auto refusal = refusalFor(*this)) return refusal;
    const int count = model_ ? model_->GetRowCount() : 0;
    if (row >= count)
        return L"list \"" + std::wstring(GetFullId().view()) + L"\" has no row " + std::to_wstring(row) + L" (" +
               std::to_wstring(count) + L" rows)";
    fire(Event::Highlight, row < 0 ? -1 : row, 0);
    return std::nullopt;
}

std::optional<std::wstring> ListControl::UserDoubleClick(int row) {
    if (auto refusal = UserSelectRows({row})) return refusal;
    fire(Event::CellDoubleClick, row, 0);
    return std::nullopt;
}

int ListControl::FindRow(const std::wstring& text) const {
    const int count = model_ ? model_->GetRowCount() : 0;
    if (text.size() > 1 && text[0] == L'#') {
        const std::wstring digits = text.substr(1);
        if (digits.find_first_not_of(L"0123456789") != std::wstring::npos || digits.size() > 9) return -1;
        const int row = std::stoi(digits);
        return row < count ? row : -1;
    }
    for (int row = 0; row < count; ++row) {
        const Variant cell = model_->GetData(row, 0, 0);
        if (const auto* shown = std::get_if<CString>(&cell); shown && std::wstring(shown->view()) == text) return row;
    }
    return -1;
}

// ---- Simple controls ----------------------------------------------------------------------------------

void StringControl::SetText(const CString& text) {
    if (text == text_) return;
    text_ = text;
    if (changed_ && !AreUserEventsSuppressed()) changed_();
}

std::optional<std::wstring> StringControl::UserType(const CString& text) {
    if (auto refusal = refusalFor(*this)) return refusal;
    SetText(text);
    return std::nullopt;
}

void SimpleListModel::SetRows(std::vector<Row> rows) {
    rows_ = std::move(rows);
    NotifyDataReset();
}

Variant SimpleListModel::GetHeaderData(int column, int role) const {
    const auto it = headers_.find(column);
    return role == kTextRole && it != headers_.end() ? Variant(it->second) : Variant();
}

Variant SimpleListModel::GetRowData(int row, int role) const {
    if (row < 0 || row >= GetRowCount()) return {};
    const Row& shown = GetRow(row);
    if (role == ListControl::kRowIdRole) return shown.id;
    if (role == kTextColorRole && shown.color) return *shown.color;
    return {};
}

Variant SimpleListModel::GetData(int row, int column, int role) const {
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= columns_) return {};
    const Row& shown = GetRow(row);
    switch (role) {
        case kTextRole:
            return static_cast<std::size_t>(column) < shown.cells.size() ? Variant(shown.cells[static_cast<std::size_t>(column)])
                                                                         : Variant();
        case kIconRole: return column == 0 && !shown.image.IsEmpty() ? Variant(shown.image) : Variant();
        case kTooltipRole: return shown.tooltip.IsEmpty() ? Variant() : Variant(shown.tooltip);
        default: return GetRowData(row, role);
    }
}

// ---- Forms ------------------------------------------------------------------------------------------

WpfDockFormView::WpfDockFormView(const CString& name, bool) : ContainerControl(name) {
    window_.CreateEx(0, L"STATIC", name.GetString(), WS_POPUP | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, nullptr, 0, nullptr);
    liveForms().push_back(this);
}

WpfDockFormView::~WpfDockFormView() {
    auto& forms = liveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (window_.GetSafeHwnd()) window_.DestroyWindow();
}

void WpfDockFormView::Destroy() { Release(); }

void WpfDockFormView::FinishUiSetup() {
    platform::core::recordCall(L"kvpf::WpfDockFormView::FinishUiSetup(" + platform::core::quoted(GetId().view()) + L")");
    finished_ = true;
}

void WpfDockFormView::SaveSettings() {
    std::vector<ListControl*> lists;
    collectLists(*this, lists);
    auto& saved = savedSettings()[GetId()];
    for (ListControl* list : lists) {
        // What the list laid out, which its model may already have outgrown.
        saved[list->GetFullId()] = list->GetColumnVisibility();
    }
}

void WpfDockFormView::LoadSettings() {
    const auto form = savedSettings().find(GetId());
    if (form == savedSettings().end()) return;
    std::vector<ListControl*> lists;
    collectLists(*this, lists);
    for (ListControl* list : lists) {
        const auto saved = form->second.find(list->GetFullId());
        if (saved == form->second.end()) continue;
        for (std::size_t column = 0; column < saved->second.size(); ++column)
            list->ShowColumn(static_cast<int>(column), saved->second[column]);
    }
}

void WpfDockFormView::SetVisible(bool visible) {
    BaseControl::SetVisible(visible);
    if (window_.GetSafeHwnd()) window_.ShowWindow(visible ? SW_SHOW : SW_HIDE);
}

bool WpfDockFormView::IsWindowVisible() const {
    return window_.GetSafeHwnd() && ::IsWindowVisible(window_.GetSafeHwnd()) != FALSE;
}

std::vector<WpfDockFormView*> WpfDockFormView::LiveForms() { return liveForms(); }

BaseControl* WpfDockFormView::FindControl(const CString& fullId) {
    const std::wstring wanted(fullId.view());
    // Forms of one name may live side by side (one per document): the user reaches the one on
    // screen, else the oldest.
    std::vector<WpfDockFormView*> forms;
    for (WpfDockFormView* form : liveForms())
        if (form->IsWindowVisible()) forms.push_back(form);
    for (WpfDockFormView* form : liveForms())
        if (!form->IsWindowVisible()) forms.push_back(form);
    for (WpfDockFormView* form : forms) {
        std::vector<const ContainerControl*> pending{form};
        if (form->GetFullId() == fullId) return form;
        while (!pending.empty()) {
            const ContainerControl* container = pending.back();
            pending.pop_back();
            for (const Ref<BaseControl>& control : container->GetControls()) {
                if (std::wstring(control->GetFullId().view()) == wanted) return control.get();
                if (auto* inner = dynamic_cast<const ContainerControl*>(control.get())) pending.push_back(inner);
                if (auto* list = dynamic_cast<const ListControl*>(control.get())) pending.push_back(&list->GetButtons());
            }
        }
    }
    return nullptr;
}

}  // namespace kvpf
