// The UI library's control framework (`kvpf`) as a headless widget model: forms hold controls
// addressed by name (a control's full id is its form's name and its own ids joined by "."),
// controls keep their state (enabled, visible, items, selection, checks) and call their handlers
// when a user acts on them, unless the program suppressed user events while it fills them. A list
// shows a model (ListControlModel) whose cells the list reads by row, column and role. The
// harness finds live forms and their controls by full id to act as a user does.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/korvoui/panes.h"
#include "platform/mfc.h"

namespace kvpf {

enum class CheckState { Checked = 0, Unchecked = 1 };
enum class ListItemAlignment { Left = 0, Center = 1, Right = 2 };

struct Color {
    BYTE r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A picture for a control or cell: an image file in given sizes, an icon resource in given
// sizes, or an icon handle of a size (not owned).
class Image {
public:
    Image() = default;
    static Image FromFilePath(const CString& path, std::vector<int> sizes);
    static Image FromResource(int resourceId, std::vector<int> sizes);
    static Image FromIcon(HICON icon, int width, int height);
    bool IsEmpty() const { return kind_ == Kind::None; }
    HICON GetIcon() const { return icon_; }
    // "file PATH 16,24,32", "resource 40757 16,24,32", "icon 500x75", "none".
    std::wstring Describe() const;
    friend bool operator==(const Image&, const Image&) = default;

private:
    enum class Kind { None, File, Resource, Icon };
    Kind kind_ = Kind::None;
    CString path_;
    int resource_ = 0;
    HICON icon_ = nullptr;
    std::vector<int> sizes_;
};

using Variant = std::variant<std::monostate, CString, int, double, bool, CheckState, Image, ListItemAlignment, Color, std::int64_t>;
// A value as the console prints it: "-" for none, "text" quoted, numbers, true/false, checked,
// unchecked, the image, align N, rgb(R,G,B), int64 N.
std::wstring VariantText(const Variant& value);

// Reference counting of the framework's objects: made with one reference, freed at the last Release.
class ApiObject {
public:
    ApiObject() = default;
    ApiObject(const ApiObject&) = delete;
    ApiObject& operator=(const ApiObject&) = delete;
    void AddRef() { ++references_; }
    void Release() {
        if (--references_ == 0) delete this;
    }

protected:
    virtual ~ApiObject() = default;

private:
    int references_ = 1;
};

// A counted reference.
template <class T>
class Ref {
public:
    Ref() = default;
    // Takes over the reference a new object is made with.
    static Ref Adopt(T* object) {
        Ref ref;
        ref.object_ = object;
        return ref;
    }
    Ref(const Ref& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    template <class U>
    Ref(const Ref<U>& other) : object_(other.get()) {
        if (object_) object_->AddRef();
    }
    Ref& operator=(Ref other) {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() {
        if (object_) object_->Release();
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    return Ref<T>::Adopt(new T(std::forward<Args>(args)...));
}

class ContainerControl;

class BaseControl : public ApiObject {
public:
    explicit BaseControl(CString id) : id_(std::move(id)) {}
    const CString& GetId() const { return id_; }
    // The ids from the form down, joined by ".".
    CString GetFullId() const;
    ContainerControl* GetParent() const { return parent_; }
    // The container holding the control, else the control showing it (a list for its buttons).
    const BaseControl* GetOwner() const;
    // Enabled as a user meets it: itself and every container above it.
    bool IsEnabled() const;
    bool IsOwnEnabled() const { return enabled_; }
    void Enable(bool enabled) { enabled_ = enabled; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    void SetHint(const CString& hint) { hint_ = hint; }
    const CString& GetHint() const { return hint_; }
    void SetLocalization(bool on) { localized_ = on; }
    void SetImage(const Image& image) { image_ = image; }
    const Image& GetImage() const { return image_; }
    void SetLabelPosition(int position) { labelPosition_ = position; }
    void SetMinWidth(int width) { minWidth_ = width; }
    int GetMinWidth() const { return minWidth_; }
    // While suppressed (counted), what the program does to the control calls no handler.
    void SuppressUserEvents(bool suppress) { suppressed_ += suppress ? 1 : -1; }
    bool AreUserEventsSuppressed() const;
    // The control's kind as the console names it.
    virtual const wchar_t* Kind() const = 0;

protected:
    ~BaseControl() override = default;

private:
    friend class ContainerControl;
    friend class ListControl;
    CString id_;
    ContainerControl* parent_ = nullptr;
    // A control that shows this one without holding it in a container (a list's own buttons):
    // ids, enabled state and suppression follow it as they follow a parent.
    const BaseControl* owner_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    bool localized_ = true;
    CString hint_;
    Image image_;
    int labelPosition_ = 0;
    int minWidth_ = 0;
    int suppressed_ = 0;
};

class ContainerControl : public BaseControl {
public:
    using BaseControl::BaseControl;
    // Appends (position -1) or inserts the control; the container holds a reference. The
    // container's handle of the control.
    BaseControl* Add(const Ref<BaseControl>& control, int position = -1);
    const std::vector<Ref<BaseControl>>& GetControls() const { return controls_; }
    // The control of that id directly in this container, or null.
    BaseControl* Find(const CString& id) const;
    void SetChildFillType(int type) { fillType_ = type; }
    const wchar_t* Kind() const override { return L"container"; }

protected:
    ~ContainerControl() override;

private:
    std::vector<Ref<BaseControl>> controls_;
    int fillType_ = 0;
};

class ToolBarControl : public BaseControl {
public:
    using BaseControl::BaseControl;
    const wchar_t* Kind() const override { return L"toolbar"; }
};

class SeparatorControl : public BaseControl {
public:
    SeparatorControl() : BaseControl(L"|") {}
    const wchar_t* Kind() const override { return L"separator"; }
};

class ButtonControl : public BaseControl {
public:
    using BaseControl::BaseControl;
    void OnClick(std::function<void()> handler) { handler_ = std::move(handler); }
    // A user's click: refused (the reason) when the control is hidden or disabled.
    std::optional<std::wstring> Click();
    const wchar_t* Kind() const override { return L"button"; }

private:
    std::function<void()> handler_;
};

class SelectControl : public BaseControl {
public:
    struct Item {
        int customId = 0;
        CString text;
        Image image;
        bool enabled = true;
    };
    using BaseControl::BaseControl;
    // A new select, as the framework's factory makes it (an empty name gives an empty id).
    static Ref<SelectControl> Create(const wchar_t* name);

    void AddItem(const Item& item) { items_.push_back(item); }
    void RemoveAllItems();
    // Removes the items from `first` on.
    void RemoveItemsFrom(int first);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    const Item& GetItem(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void SetItemEnabled(int index, bool enabled);
    int GetIndexByCustomId(int customId) const;
    // Selecting by program calls the handler unless user events are suppressed.
    void SetSelectedIndex(int index);
    int GetSelectedIndex() const { return selected_; }
    std::optional<int> GetSelectedCustomId() const;
    void SetModes(int allowed, int mode) {
        allowedModes_ = allowed;
        mode_ = mode;
    }
    void OnSelectionChanged(std::function<void()> handler) { changed_ = std::move(handler); }
    void OnLostFocus(std::function<void()> handler) { lostFocus_ = std::move(handler); }
    // A user's choice of the item of custom id `customId`: refused (the reason) when the select
    // or the item is disabled or hidden, or there is no such item. The select then loses focus.
    std::optional<std::wstring> UserSelect(int customId);
    const wchar_t* Kind() const override { return L"select"; }

private:
    std::vector<Item> items_;
    int selected_ = -1;
    int allowedModes_ = 0;
    int mode_ = 0;
    std::function<void()> changed_;
    std::function<void()> lostFocus_;
};

class ToggleControl : public BaseControl {
public:
    using BaseControl::BaseControl;
    void SetSetup(int setup) { setup_ = setup; }
    // Checking by program calls the handler unless user events are suppressed.
    void SetChecked(bool checked);
    bool IsChecked() const { return checked_; }
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }
    std::optional<std::wstring> UserToggle();
    const wchar_t* Kind() const override { return L"toggle"; }

private:
    int setup_ = 0;
    bool checked_ = false;
    std::function<void()> changed_;
};

// The compound string control: a one-line text the user types into. Each change of the text
// calls the handler, unless the program suppressed user events while it sets the text itself.
class StringControl : public BaseControl {
public:
    using BaseControl::BaseControl;
    void SetText(const CString& text);
    const CString& GetText() const { return text_; }
    // The active control takes the keyboard when its form shows.
    void SetActive(bool active) { active_ = active; }
    bool IsActive() const { return active_; }
    void SetExplodeMode(bool on) { explode_ = on; }
    bool IsExplodeMode() const { return explode_; }
    void OnTextChanged(std::function<void()> handler) { changed_ = std::move(handler); }
    // A user's typing, the whole text replaced: refused (the reason) when hidden or disabled.
    std::optional<std::wstring> UserType(const CString& text);
    const wchar_t* Kind() const override { return L"string"; }

private:
    CString text_;
    bool active_ = false;
    bool explode_ = true;
    std::function<void()> changed_;
};

class PopupControl : public ContainerControl {
public:
    using ContainerControl::ContainerControl;
    void SetMode(int mode) { mode_ = mode; }
    void SetAnchor(BaseControl* anchor) { anchor_ = anchor; }
    BaseControl* GetAnchor() const { return anchor_; }
    void SetOpen(bool open) { open_ = open; }
    bool IsOpen() const { return open_; }
    const wchar_t* Kind() const override { return L"popup"; }

private:
    int mode_ = 0;
    BaseControl* anchor_ = nullptr;
    bool open_ = false;
};

class ListControl;

// The data a list shows, by row, column and role (ListItemRole numbers).
class ListControlModel : public ApiObject {
public:
    virtual int GetRowCount() const = 0;
    virtual int GetColumnCount() const = 0;
    virtual Variant GetRowData(int row, int role) const;
    virtual Variant GetData(int row, int column, int role) const = 0;
    virtual Variant GetHeaderData(int column, int role) const = 0;
    virtual bool TryChangeData(int row, int column, const Variant& value, int role);
    virtual bool TryChangeRowData(int row, const Variant& value, int role);

    void NotifyColumnsInserted(int first, int count);
    void NotifyRowsInserted(int first, int count);
    void NotifyColumnsRemoved(int first, int count);
    void NotifyRowsRemoved(int first, int count);
    void NotifyRowDataChanged(int firstRow, int lastRow);
    // `roles` empty: every role.
    void NotifyDataChanged(int firstRow, int lastRow, int firstColumn, int lastColumn, std::vector<int> roles = {});
    void NotifyHeaderChanged(int firstColumn, int lastColumn);
    void NotifyDataReset();

protected:
    ~ListControlModel() override = default;

private:
    friend class ListControl;
    ListControl* list_ = nullptr;
};

class ListControl : public BaseControl {
public:
    enum class Event { CellEditBegin, CellEditEnd, IconClicked, SelectionChanged, Highlight, CellDoubleClick };
    using Handler = std::function<void(int row, int column)>;
    static constexpr int kRowIdRole = 21;

    explicit ListControl(CString id);
    void SetModel(const Ref<ListControlModel>& model);
    ListControlModel* GetModel() const { return model_.get(); }
    void SetSelectionMode(int mode);
    int GetSelectionMode() const { return selectionMode_; }
    void SetIdMapping(bool on) { idMapping_ = on; }
    void SetStretchHeight(bool on) { stretch_ = on; }
    void SetEditMode(int mode) { editMode_ = mode; }
    void SetGridLines(int lines) { gridLines_ = lines; }
    // The in-cell editors (selects and strings) of the list.
    ContainerControl& GetEditors() { return *editors_; }
    // The list's own buttons, shown with it ("List.Buttons.ID" by full id).
    ContainerControl& GetButtons() const { return *buttons_; }

    void Bind(Event event, Handler handler);
    void RemoveAllHandlers() { handlers_.clear(); }
    bool HasHandler(Event event) const { return handlers_.contains(event); }
    void EndCellEditing();
    bool IsEditing() const { return editing_.has_value(); }
    // The editor of the cell being edited, set by the cell-edit-begin handler (null: the cell has
    // none, so the edit ends there): a select the user picks an item of, or a string typed into.
    void SetCellEditor(BaseControl* editor) { cellEditor_ = editor; }

    // The first selected row after `after` (-1: from the start), -1 when none.
    int GetSelectedRow(int after = -1) const;
    // The selected rows in selection order.
    std::vector<int> GetSelectedRows() const;
    void SelectRows(const std::vector<int>& rows);
    void ClearSelection();
    bool IsColumnVisible(int column) const;
    void ShowColumn(int column, bool visible);
    // The visibility of every column as the list last laid them out.
    const std::vector<bool>& GetColumnVisibility() const { return columnsVisible_; }
    void SetHintImage(const Image& image) { hint_ = image; }
    const Image& GetHintImage() const { return hint_; }
    // Every model notification so far, as "reset", "data R1-R2 C1-C2", ..., newest last.
    const std::vector<std::wstring>& GetNotifications() const { return notifications_; }

    // What a user does: selects the rows (clicks, with Ctrl for the others); rests the mouse on
    // a row (-1: off the rows). Refused (the reason) when disabled, hidden or out of range.
    std::optional<std::wstring> UserSelectRows(const std::vector<int>& rows);
    std::optional<std::wstring> UserHover(int row);
    // A double-click on a row's first cell: the row is selected first, as the click before it does.
    std::optional<std::wstring> UserDoubleClick(int row);
    // A user edits a cell (the selection stays): the edit begins and, with `item`, the user picks
    // the editor's item of that text (or types it into a string editor and applies it), which
    // ends it. Refused for a cell that is not editable.
    std::optional<std::wstring> UserEditCell(int row, int column, const std::optional<std::wstring>& item);
    // A user clicks a cell's check box, or its icon.
    std::optional<std::wstring> UserCheck(int row, int column, bool checked);
    std::optional<std::wstring> UserClickIcon(int row, int column);
    // The row whose first cell shows `text`, or "#N" for the N-th row; -1 when none.
    int FindRow(const std::wstring& text) const;
    const wchar_t* Kind() const override { return L"list"; }

protected:
    ~ListControl() override;

private:
    friend class ListControlModel;
    void modelNotified(const std::wstring& what, bool reset);
    void fire(Event event, int row, int column);

    Ref<ListControlModel> model_;
    int selectionMode_ = 1;
    bool idMapping_ = false;
    bool stretch_ = false;
    int editMode_ = 0;
    int gridLines_ = 0;
    Ref<ContainerControl> editors_;
    Ref<ContainerControl> buttons_;
    std::map<Event, Handler> handlers_;
    std::optional<std::wstring> refuseCell(int row, int column) const;
    std::optional<std::pair<int, int>> editing_;
    BaseControl* cellEditor_ = nullptr;
    std::vector<int> selected_;
    std::vector<bool> columnsVisible_;
    Image hint_;
    std::vector<std::wstring> notifications_;
};

// A form of controls docked in a pane: the root container, named, with a window of its own that
// its host re-parents. Settings (the lists' column visibility) are saved and loaded by the form's
// name for the life of the process.
class WpfDockFormView : public ContainerControl, public CmdDockFormView {
public:
    WpfDockFormView(const CString& name, bool flag);
    void SetClassExpandId(int id) { expandId_ = id; }
    int GetClassExpandId() const { return expandId_; }
    void FinishUiSetup();
    bool IsUiSetupFinished() const { return finished_; }
    void SaveSettings();
    void LoadSettings();
    // The form's window (a child of its host once re-parented).
    CWnd& GetWindow() { return window_; }
    // Shows or hides the form's window.
    void SetVisible(bool visible);
    bool IsWindowVisible() const;
    const wchar_t* Kind() const override { return L"form"; }

    // The live forms, oldest first, and the control of a full id among them (null when none).
    static std::vector<WpfDockFormView*> LiveForms();
    static BaseControl* FindControl(const CString& fullId);
    // Destroys the form: the last reference goes.
    void Destroy();

protected:
    ~WpfDockFormView() override;

private:
    CWnd window_;
    int expandId_ = 0;
    bool finished_ = false;
};

// The rows of a simple list, held by the list's owner: each row has its id, one text per column,
// a tooltip, an icon and a text colour.
class SimpleListModel : public ListControlModel {
public:
    static constexpr int kTextRole = 0, kIconRole = 3, kTooltipRole = 8, kTextColorRole = 19;
    struct Row {
        int id = 0;
        std::vector<CString> cells;
        CString tooltip;
        Image image;
        std::optional<Color> color;
    };
    explicit SimpleListModel(int columns) : columns_(columns) {}
    // Replaces every row; the list is laid out afresh.
    void SetRows(std::vector<Row> rows);
    const Row& GetRow(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    int GetRowCount() const override { return static_cast<int>(rows_.size()); }
    int GetColumnCount() const override { return columns_; }
    Variant GetRowData(int row, int role) const override;
    Variant GetData(int row, int column, int role) const override;
    // A column's header text (role 0); none unless set.
    Variant GetHeaderData(int column, int role) const override;
    void SetHeader(int column, const CString& text) { headers_[column] = text; }

private:
    int columns_ = 1;
    std::map<int, CString> headers_;
    std::vector<Row> rows_;
};

}  // namespace kvpf
