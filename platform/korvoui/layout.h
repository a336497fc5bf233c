// The UI library's layout model: XML elements, tool bars as lists of control elements (applied to
// and saved from live command bars), and the main-frame state that holds a frame's layout.
//
// Schema of the stand-in (elements by name): "MainWindow" holds "MenuBar", "ToolBar" and
// "RibbonBar" children; a bar holds control elements named by control type ("Button", "Popup",
// "ButtonPopup", "SplitButtonPopup", "Edit", "ComboBox", "Label", "CheckBox"). The library reads
// the attributes it owns ("id", "caption", "tooltip", "description", "style", "beginGroup",
// "iconId", "visible"); every other attribute of a control goes to the application's attribute
// callback.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/diagnostics.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI::XML {

// One element: a name, attributes in document order and child elements.
class Element {
public:
    Element() = default;
    explicit Element(std::wstring name) : name_(std::move(name)) {}
    virtual ~Element() = default;

    const std::wstring& name() const { return name_; }
    void setName(std::wstring name) { name_ = std::move(name); }
    // Null when the attribute is absent.
    const std::wstring* attribute(std::wstring_view name) const;
    std::wstring attribute(std::wstring_view name, std::wstring_view fallback) const;
    void setAttribute(std::wstring_view name, std::wstring_view value);
    const std::vector<std::pair<std::wstring, std::wstring>>& attributes() const { return attributes_; }
    const std::vector<std::shared_ptr<Element>>& children() const { return children_; }
    std::shared_ptr<Element> addChild(std::wstring name);
    void addChild(std::shared_ptr<Element> child) { children_.push_back(std::move(child)); }
    // The first child of that name, or null.
    std::shared_ptr<Element> child(std::wstring_view name) const;
    void removeChildren(std::wstring_view name);
    // Room for that many attributes and children, for a reader that knows how many will come.
    void reserve(std::size_t attributes, std::size_t children) {
        attributes_.reserve(attributes);
        children_.reserve(children);
    }

    // Parses an XML file (UTF-8) into its root element. Null, with a journal warning naming the
    // file and line, when it cannot be read or parsed.
    static std::shared_ptr<Element> loadFile(LPCWSTR path);
    // The same for the bytes of a file read already; `origin` names it in warnings.
    static std::shared_ptr<Element> loadText(std::string_view bytes, std::wstring_view origin);
    static std::shared_ptr<Element> parse(std::wstring_view xml, std::wstring_view origin);
    // The element as XML text.
    std::wstring toXml() const;
    // Writes the element as a UTF-8 XML file with its declaration, atomically; false (with a
    // journal warning naming the file) when it cannot be written.
    bool saveFile(LPCWSTR path) const;

private:
    std::wstring name_;
    std::vector<std::pair<std::wstring, std::wstring>> attributes_;
    std::vector<std::shared_ptr<Element>> children_;
};

// Callbacks and flags in force while the library applies a layout to a bar or saves one.
struct ApplicationParameters {
    // Applying: the first flag replaces the bar's controls, the second marks them as the set a
    // reset of the bar returns to.
    bool replaceControls = false;
    bool storeOriginal = false;
    // Creates the control for an element on `bar`, the bar whose controls are being built (the
    // ribbon for its groups' controls); null: the library makes one of the element's type.
    std::function<CXTPControl*(const Element& control, CXTPCommandBar* bar)> createControl;
    // Offered every attribute the library does not own, with the control made from the element.
    std::function<void(CXTPControl& control, const std::wstring& name, const std::wstring& value)> readAttribute;
    // Saving: adds the application's attributes of a control to its element.
    std::function<void(const CXTPControl& control, Element& element)> writeAttributes;
    // Saving: the name a control is stored under ("name"; empty: none).
    std::function<std::wstring(const CXTPControl& control)> controlName;
    // Applying a ribbon: adds the tab of a "BackstageTab" element ("id", "name", "caption") to
    // the ribbon's backstage view; false when the application has none for it.
    std::function<bool(CXTPRibbonBackstageView& view, const Element& control, CXTPRibbonBar& ribbon)> createBackstageTab;
};

// A tool bar (or the menu bar) as the layout keeps it.
class ToolBar : public Element {
public:
    ToolBar() : Element(L"ToolBar") {}
    explicit ToolBar(std::wstring name) : Element(std::move(name)) {}

    int id() const;
    CString title() const;
    // Rebuilds `bar`'s controls from the elements (every child is a control element). A control
    // type the library does not know is skipped with a journal warning naming it.
    void apply(CXTPCommandBar& bar, const ApplicationParameters& parameters) const;
    // Writes `bar`'s id, title and controls into this element (replacing its children).
    void save(const CXTPCommandBar& bar, const ApplicationParameters& parameters);
    // Takes the other definition's attributes this one lacks; the controls stay this one's.
    void merge(const ToolBar& other);
};

// Names the library gives elements and attributes.
namespace TagNames {
inline constexpr const wchar_t* MainWindow = L"MainWindow";
inline constexpr const wchar_t* MenuBar = L"MenuBar";
inline constexpr const wchar_t* ToolBar = L"ToolBar";
inline constexpr const wchar_t* RibbonBar = L"RibbonBar";
inline constexpr const wchar_t* RibbonTab = L"RibbonTab";
// The ribbon's quick-access bar: its controls as child elements.
inline constexpr const wchar_t* QuickAccess = L"QuickAccess";
inline constexpr const wchar_t* Button = L"Button";
inline constexpr const wchar_t* Gallery = L"Gallery";
inline constexpr const wchar_t* ButtonPopup = L"ButtonPopup";
inline constexpr const wchar_t* Popup = L"Popup";
inline constexpr const wchar_t* SplitButtonPopup = L"SplitButtonPopup";
}  // namespace TagNames
namespace AttributeNames {
inline constexpr const wchar_t* VersionNumber = L"version";
}  // namespace AttributeNames

// The library's boolean texts: "true" and "false" written; "true", "1", "false" and "0" read,
// and anything else (or no text) answers `fallback`.
const wchar_t* BoolText(bool value);
bool ToBool(const std::wstring* text, bool fallback);
// A version written "major.minor[.build[.revision]]" (each part 0 to 65535); `fallback` for a
// text that is not one.
VersionNumber ParseVersion(const std::wstring* text, VersionNumber fallback);
// Whether an element applies to the product set (SetProduct): it names no product, or names it.
bool IsApplicable(const Element& element);
// A frame's window placement as attributes: "windowRect" (the restored rectangle, "left,top,
// right,bottom") and "windowState" ("normal", "maximized" or "minimized").
void SaveWindowPlacement(Element& element, HWND window);
// The same "windowRect" for a rectangle the window is to be restored to.
void SaveWindowPlacement(Element& element, const RECT& restored);
void SaveWindowState(Element& element, HWND window);
// The rectangle of "windowRect"; false (and `rect` untouched) when it is absent or malformed.
bool RestoreWindowRect(const Element& element, RECT& rect);
// The show command of "windowState"; `fallback` when it is absent or unknown.
UINT GetShowWindowCommand(const Element& element, UINT fallback);

// Adds a control for every control element child of `parent` (see ToolBar::apply).
void ApplyControls(const Element& parent, CXTPControls& controls, const ApplicationParameters& parameters);

// The ribbon part of a layout: a "Backstage" child with "BackstageTab" children (each offered to
// the application's backstage-tab factory), and "RibbonTab" children ("caption", "id", "guid", "tags",
// "contextColor", "visible", "disabledByUser") holding "RibbonGroup" children ("caption", "id",
// "guid", "visible") that hold control elements.
class RibbonBar : public Element {
public:
    RibbonBar() : Element(L"RibbonBar") {}
    // Rebuilds the ribbon's tabs from the elements (the tabs of the ribbon's tab class, marked as
    // defined by the default layout when `defaults` is set); the first visible tab is selected.
    void apply(CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, bool defaults = false) const;
    // The "RibbonTab" element with that GUID, or null (a null GUID names none).
    const Element* findTab(const GUID& guid) const;
    // The "RibbonGroup" element with that GUID inside `tabElement`, or null.
    static const Element* findGroup(const Element& tabElement, const GUID& guid);
    // Writes the ribbon's tabs, groups and controls into this element (replacing its children;
    // `writeAttributes` adds the application's attributes of each control). The element carries
    // the layout version it was written with.
    void save(const CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, VersionNumber layoutVersion);
    // Takes the other definition's backstage when this one has none, and appends the other's
    // tabs (by GUID) that this one lacks: a newer default layout's tabs join a saved one.
    void merge(const RibbonBar& other);
    // The version of the layout the element holds ("version"); `fallback` when it names none.
    VersionNumber layoutVersion(VersionNumber fallback) const;
    // A group's second identifier ("secondId", kept for groups whose old id the library no
    // longer uses); the group element's id becomes -1.
    static void setGroupSecondId(Element& groupElement, int secondId);
    // Rebuilds one live tab (its groups) or one live group (its controls) from its element; what
    // they rebuild counts as defined by the default layout.
    static void applyTab(const Element& tabElement, CXTPRibbonTab& tab, const ApplicationParameters& parameters);
    static void applyGroup(const Element& groupElement, CXTPRibbonGroup& group, const ApplicationParameters& parameters);
    // Takes `root` (a "RibbonBar" element) as the model; false, the model unchanged, when the
    // library refuses it (a tab, group or control it cannot read).
    bool load(const Element& root, VersionNumber version);
};

// One ribbon tab as a model of its own: the element and the tab's identity, which the holder
// may clear before the tab joins a ribbon.
class RibbonTab : public Element {
public:
    RibbonTab() : Element(TagNames::RibbonTab) {}
    // Takes `root` (a "RibbonTab" element) as the model; false, the model unchanged, when the
    // library refuses it.
    bool load(const Element& root, VersionNumber version);
    GUID guid{};
    // Adds the tab, with its groups and controls, to `ribbon` before tab `position` (-1: last).
    // The ribbon's other tabs, system button, backstage and free controls stay.
    void applyTo(CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, int position) const;
};

// Writes the whole ribbon (its backstage tabs and its tabs) into `root`, or one tab into `root`
// (which becomes the tab's element); `flags` is reserved (0). What they write, RibbonBar::load and
// RibbonTab::load read back.
void SaveRibbonBar(const CXTPRibbonBar& ribbon, Element& root, const ApplicationParameters& parameters, int flags);
void SaveRibbonTab(const CXTPRibbonTab& tab, Element& root, const ApplicationParameters& parameters, int flags);

// The library's own reading of an attribute of a control element, as the control's bar takes it:
// on a ribbon, "keyTip" is the control's key tip. Other bars and attributes are left alone.
void ReadBarControlAttribute(CXTPCommandBar& bar, CXTPControl& control, const std::wstring& name,
                             const std::wstring& value);

// The element name of a control type, and back (xtpControlError for an unknown name).
std::wstring ControlTypeName(XTPControlType type);
XTPControlType ControlTypeFromName(std::wstring_view name);
// The pop-up type a pop-up element's name stands for; a plain pop-up for any other name.
XTPControlType TagNameToPopupType(std::wstring_view name);

}  // namespace Korvo::UI::XML

namespace Korvo::UI {

// The layout of one main frame. Loading walks the element: every attribute goes to
// loadAttributes, every child element to loadElement; the base keeps the menu bar, the tool
// bars and the ribbon, the toolkit's command-bars layout node ("codejock") and the frameless
// view tool bar ("framelessToolBar", a tool bar of that bar's id).
class MainFrameState : public XML::Element {
public:
    MainFrameState() : XML::Element(L"MainWindow") {}
    ~MainFrameState() override = default;

    virtual void reset();
    // FALSE when `element` is not a "MainWindow" element.
    virtual bool load(const XML::Element& element, VersionNumber version);
    // Loads the default layout of `version` from the file `path`; FALSE (the state left reset)
    // when the file is missing or malformed or holds no "MainWindow" element.
    bool loadDefault(LPCWSTR path, VersionNumber version);
    // Takes from `other` what this state lacks (menu bar, ribbon, tool bars by id).
    virtual void merge(const MainFrameState& other);

    std::shared_ptr<XML::ToolBar> menuBar;
    std::shared_ptr<XML::RibbonBar> ribbonBar;
    std::vector<std::shared_ptr<XML::ToolBar>> toolBars;
    std::shared_ptr<XML::Element> commandBarsLayout;  // "codejock"
    std::shared_ptr<XML::ToolBar> framelessToolBar;
    VersionNumber version;

protected:
    virtual void loadAttributes(const XML::Element& element);
    virtual void loadElement(const XML::Element& child);
};

}  // namespace Korvo::UI
