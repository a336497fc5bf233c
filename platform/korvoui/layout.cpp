#include "platform/korvoui/layout.h"

#include <algorithm>
#include <new>

#include <pugixml.hpp>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/faults.h"
#include "platform/korvoui/ribbon.h"
#include "platform/korvoui/xml.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/xml_reading.h"
#include "platform/win32/files/file.h"

namespace Korvo::UI::XML {
namespace {

// A saved layout holds thousands of attributes: each name and value is decoded into a buffer
// kept for the whole reading, and only the element's own copy takes memory of its own.
class DomReader {
public:
    std::shared_ptr<Element> read(const pugi::xml_node& node) {
        auto element = std::make_shared<Element>(platform::core::fromUtf8(node.name()));
        // Counted first: the lists then grow once, not by doubling (menus and ribbons are read
        // from hundreds of elements at start-up).
        std::size_t attributes = 0, children = 0;
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute())
            ++attributes;
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
            if (child.type() == pugi::node_element) ++children;
        element->reserve(attributes, children);
        for (const pugi::xml_attribute& attribute : node.attributes())
            element->setAttribute(decode(attribute.name(), name_), decode(attribute.value(), value_));
        for (const pugi::xml_node& child : node.children())
            if (child.type() == pugi::node_element) element->addChild(read(child));
        return element;
    }

private:
    static std::wstring_view decode(const char* text, std::wstring& buffer) {
        const std::string_view bytes(text);
        if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            buffer = platform::core::fromUtf8(bytes);
            return buffer;
        }
        buffer.resize(bytes.size());
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return buffer;
    }

    std::wstring name_;
    std::wstring value_;
};

std::shared_ptr<Element> fromDom(const pugi::xml_node& node) { return DomReader().read(node); }

void toDom(const Element& element, pugi::xml_node parent) {
    pugi::xml_node node = parent.append_child(platform::core::toUtf8(element.name()).c_str());
    for (const auto& [name, value] : element.attributes())
        node.append_attribute(platform::core::toUtf8(name).c_str()).set_value(platform::core::toUtf8(value).c_str());
    for (const auto& child : element.children()) toDom(*child, node);
}

const std::pair<XTPControlType, const wchar_t*> kControlNames[] = {
    {xtpControlButton, L"Button"},         {xtpControlPopup, L"Popup"},
    {xtpControlButtonPopup, L"ButtonPopup"}, {xtpControlSplitButtonPopup, L"SplitButtonPopup"},
    {xtpControlEdit, L"Edit"},             {xtpControlComboBox, L"ComboBox"},
    {xtpControlLabel, L"Label"},           {xtpControlCheckBox, L"CheckBox"},
    {xtpControlGallery, L"Gallery"},
};

bool ownedAttribute(std::wstring_view name) {
    for (const wchar_t* owned : {L"id", L"caption", L"tooltip", L"description", L"style", L"beginGroup", L"iconId", L"visible"})
        if (name == owned) return true;
    return false;
}

int toInt(const std::wstring* text, int fallback) {
    if (!text || text->empty()) return fallback;
    try {
        std::size_t used = 0;
        const int value = std::stoi(*text, &used, 10);
        return used == text->size() ? value : fallback;
    } catch (...) {
        return fallback;
    }
}

bool toBool(const std::wstring* text, bool fallback) {
    if (!text) return fallback;
    if (*text == L"true" || *text == L"1") return true;
    if (*text == L"false" || *text == L"0") return false;
    return fallback;
}

}  // namespace

const std::wstring* Element::attribute(std::wstring_view name) const {
    for (const auto& [key, value] : attributes_)
        if (key == name) return &value;
    return nullptr;
}

std::wstring Element::attribute(std::wstring_view name, std::wstring_view fallback) const {
    const std::wstring* value = attribute(name);
    return value ? *value : std::wstring(fallback);
}

void Element::setAttribute(std::wstring_view name, std::wstring_view value) {
    for (auto& [key, current] : attributes_) {
        if (key == name) {
            current = value;
            return;
        }
    }
    attributes_.emplace_back(name, value);
}

std::shared_ptr<Element> Element::addChild(std::wstring name) {
    auto child = std::make_shared<Element>(std::move(name));
    children_.push_back(child);
    return child;
}

std::shared_ptr<Element> Element::child(std::wstring_view name) const {
    for (const auto& element : children_)
        if (element->name() == name) return element;
    return nullptr;
}

void Element::removeChildren(std::wstring_view name) {
    std::erase_if(children_, [&](const auto& element) { return element->name() == name; });
}

std::shared_ptr<Element> Element::loadFile(LPCWSTR path) {
    std::string bytes;
    if (!platform::xml::readXmlFile(path ? path : L"", bytes)) return nullptr;
    return loadText(bytes, path);
}

std::shared_ptr<Element> Element::loadText(std::string_view bytes, std::wstring_view origin) {
    pugi::xml_document dom;
    if (!platform::xml::parseXml(dom, bytes, origin)) return nullptr;
    const pugi::xml_node root = dom.document_element();
    if (!root) {
        platform::core::recordWarning(std::wstring(origin) + L"(1): no root element");
        return nullptr;
    }
    return fromDom(root);
}

std::shared_ptr<Element> Element::parse(std::wstring_view xml, std::wstring_view origin) {
    return loadText(platform::core::toUtf8(xml), origin);
}

std::wstring Element::toXml() const {
    pugi::xml_document dom;
    toDom(*this, dom);
    struct Writer : pugi::xml_writer {
        std::string text;
        void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
    } writer;
    dom.print(writer, "  ", pugi::format_default | pugi::format_no_declaration);
    return platform::core::fromUtf8(writer.text);
}

bool Element::saveFile(LPCWSTR path) const {
    const std::wstring file = path ? path : L"";
    const std::string bytes = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + platform::core::toUtf8(toXml());
    if (const DWORD error = platform::files::writeAllAtomic(file, bytes); error != 0) {
        platform::core::recordWarning(file + L": cannot be written (error " + std::to_wstring(error) + L")");
        return false;
    }
    return true;
}

const wchar_t* BoolText(bool value) { return value ? L"true" : L"false"; }

bool ToBool(const std::wstring* text, bool fallback) { return toBool(text, fallback); }

VersionNumber ParseVersion(const std::wstring* text, VersionNumber fallback) {
    if (!text || text->empty()) return fallback;
    unsigned parts[4] = {0, 0, 0, 0};
    int count = 0;
    std::size_t at = 0;
    while (true) {
        if (count == 4) return fallback;
        std::size_t end = at;
        unsigned long value = 0;
        while (end < text->size() && (*text)[end] >= L'0' && (*text)[end] <= L'9') {
            value = value * 10 + static_cast<unsigned long>((*text)[end] - L'0');
            if (value > 0xFFFF) return fallback;
            ++end;
        }
        if (end == at) return fallback;
        parts[count++] = static_cast<unsigned>(value);
        if (end == text->size()) break;
        if ((*text)[end] != L'.') return fallback;
        at = end + 1;
    }
    if (count < 2) return fallback;
    return VersionNumber(parts[0], parts[1], parts[2], parts[3]);
}

bool IsApplicable(const Element& element) {
    const std::wstring* product = element.attribute(L"product");
    if (!product || product->empty()) return true;
    const CString ours = GetProductName();
    for (const ValueSetItem& item : ParseValueSet(product->c_str()))
        if (item.included && item.name == ours) return true;
    return false;
}

void SaveWindowPlacement(Element& element, HWND window) {
    WINDOWPLACEMENT placement{};
    if (!window || !GetWindowPlacement(window, &placement)) return;
    SaveWindowPlacement(element, placement.rcNormalPosition);
}

void SaveWindowPlacement(Element& element, const RECT& r) {
    element.setAttribute(L"windowRect", std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
                                            std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom));
}

void SaveWindowState(Element& element, HWND window) {
    if (!window) return;
    const wchar_t* state = IsZoomed(window) ? L"maximized" : IsIconic(window) ? L"minimized" : L"normal";
    element.setAttribute(L"windowState", state);
}

bool RestoreWindowRect(const Element& element, RECT& rect) {
    const std::wstring* text = element.attribute(L"windowRect");
    if (!text) return false;
    LONG values[4] = {0, 0, 0, 0};
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text->find(L',', at) : text->size();
        if (end == std::wstring::npos) return false;
        const std::wstring part = text->substr(at, end - at);
        const int value = toInt(&part, INT_MIN);
        if (value == INT_MIN) return false;
        values[i] = value;
        at = end + 1;
    }
    rect = RECT{values[0], values[1], values[2], values[3]};
    return true;
}

UINT GetShowWindowCommand(const Element& element, UINT fallback) {
    const std::wstring* text = element.attribute(L"windowState");
    if (!text) return fallback;
    if (*text == L"normal") return SW_SHOWNORMAL;
    if (*text == L"maximized") return SW_SHOWMAXIMIZED;
    if (*text == L"minimized") return SW_SHOWMINIMIZED;
    return fallback;
}

std::wstring ControlTypeName(XTPControlType type) {
    for (const auto& [known, name] : kControlNames)
        if (known == type) return name;
    return L"Button";
}

XTPControlType ControlTypeFromName(std::wstring_view name) {
    for (const auto& [type, known] : kControlNames)
        if (name == known) return type;
    return xtpControlError;
}

XTPControlType TagNameToPopupType(std::wstring_view name) {
    const XTPControlType type = ControlTypeFromName(name);
    const bool popup = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
    return popup ? type : xtpControlPopup;
}

void ReadBarControlAttribute(CXTPCommandBar& bar, CXTPControl& control, const std::wstring& name,
                             const std::wstring& value) {
    if (dynamic_cast<CXTPRibbonBar*>(&bar) && name == L"keyTip") control.SetKeyboardTip(value.c_str());
}

int ToolBar::id() const { return toInt(attribute(L"id"), 0); }

CString ToolBar::title() const { return CString(attribute(L"title", L"").c_str()); }

void ApplyControls(const Element& parent, CXTPControls& controls, const ApplicationParameters& parameters) {
    for (const auto& element : parent.children()) {
        const XTPControlType type = ControlTypeFromName(element->name());
        if (type == xtpControlError) {
            platform::core::recordWarning(L"Korvo::UI::XML::ToolBar::apply: unknown control element \"" +
                                          element->name() + L"\"");
            continue;
        }
        const int id = toInt(element->attribute(L"id"), 0);
        CXTPControl* made = parameters.createControl ? parameters.createControl(*element, controls.GetParent()) : nullptr;
        CXTPControl* control = made ? controls.Add(made, id) : controls.Add(type, id);
        if (const std::wstring* caption = element->attribute(L"caption")) control->SetCaption(caption->c_str());
        if (const std::wstring* tooltip = element->attribute(L"tooltip")) control->SetTooltip(tooltip->c_str());
        if (const std::wstring* text = element->attribute(L"description")) control->SetDescription(text->c_str());
        const int style = toInt(element->attribute(L"style"), xtpButtonAutomatic);
        if (style >= xtpButtonAutomatic && style <= xtpButtonIconAndCaptionBelow) {
            control->SetStyle(static_cast<XTPButtonStyle>(style));
        } else {
            platform::core::recordWarning(L"Korvo::UI::XML::ToolBar::apply: style " + std::to_wstring(style) +
                                          L" is not a button style (0 to 4)");
        }
        control->SetBeginGroup(toBool(element->attribute(L"beginGroup"), false));
        if (const int icon = toInt(element->attribute(L"iconId"), 0)) control->SetIconId(icon);
        control->SetVisible(toBool(element->attribute(L"visible"), true));
        if (parameters.readAttribute) {
            for (const auto& [name, value] : element->attributes())
                if (!ownedAttribute(name)) parameters.readAttribute(*control, name, value);
        }
        // A popup's items are its child elements.
        const bool popup = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
        if (popup && !element->children().empty()) {
            CXTPCommandBar* bar = controls.GetParent();
            CXTPPopupBar* items = CXTPPopupBar::CreatePopupBar(bar ? bar->GetCommandBars() : nullptr);
            ApplyControls(*element, *items->GetControls(), parameters);
            control->SetCommandBar(items);
            items->InternalRelease();
        }
    }
}

void ToolBar::apply(CXTPCommandBar& bar, const ApplicationParameters& parameters) const {
    // Building the controls allocates: a test can make that run out of memory.
    if (platform::faultInjected(L"Korvo::UI::XML::ToolBar::apply")) throw std::bad_alloc();
    CXTPControls* controls = bar.GetControls();
    if (parameters.replaceControls) controls->RemoveAll();
    ApplyControls(*this, *controls, parameters);
    if (parameters.storeOriginal) controls->CreateOriginalControls();
}

namespace {

// The controls of a list as child elements of `parent`; a pop-up's items as its own children, as
// applying reads them.
void SaveControls(const CXTPControls& controls, Element& parent, const ApplicationParameters& parameters) {
    for (int i = 0; i < controls.GetCount(); ++i) {
        const CXTPControl* control = controls.GetAt(i);
        auto element = parent.addChild(ControlTypeName(control->GetType()));
        element->setAttribute(L"id", std::to_wstring(control->GetID()));
        if (!control->GetCaption().IsEmpty()) element->setAttribute(L"caption", control->GetCaption().GetString());
        if (control->GetBeginGroup()) element->setAttribute(L"beginGroup", L"true");
        if (!control->IsVisible()) element->setAttribute(L"visible", L"false");
        if (parameters.controlName)
            if (const std::wstring name = parameters.controlName(*control); !name.empty()) element->setAttribute(L"name", name);
        if (parameters.writeAttributes) parameters.writeAttributes(*control, *element);
        const XTPControlType type = control->GetType();
        const bool popup = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
        if (popup && control->GetCommandBar()) SaveControls(*control->GetCommandBar()->GetControls(), *element, parameters);
    }
}

}  // namespace

void ToolBar::save(const CXTPCommandBar& bar, const ApplicationParameters& parameters) {
    *this = ToolBar(name());
    setAttribute(L"id", std::to_wstring(bar.GetBarID()));
    setAttribute(L"title", bar.GetTitle().GetString());
    SaveControls(*bar.GetControls(), *this, parameters);
}

namespace {

void saveTab(const CXTPRibbonTab& tab, Element& tabElement, const ApplicationParameters& parameters) {
    tabElement.setAttribute(L"caption", tab.GetCaption().GetString());
    tabElement.setAttribute(L"id", std::to_wstring(tab.GetID()));
    if (const auto* own = dynamic_cast<const Korvo::UI::RibbonTab*>(&tab)) {
        if (own->GetGuid() != GUID{}) tabElement.setAttribute(L"guid", platform::mfc::formatGuid(own->GetGuid()));
        if (!own->GetTagString().IsEmpty()) tabElement.setAttribute(L"tags", own->GetTagString().GetString());
        if (own->IsDisabledByUser()) tabElement.setAttribute(L"disabledByUser", L"true");
    }
    if (tab.GetContextColor() != xtpRibbonTabContextColorNone)
        tabElement.setAttribute(L"contextColor", std::to_wstring(static_cast<int>(tab.GetContextColor())));
    if (!tab.IsVisible()) tabElement.setAttribute(L"visible", L"false");
    for (int g = 0; g < tab.GetGroupCount(); ++g) {
        const CXTPRibbonGroup* group = tab.GetGroup(g);
        auto groupElement = tabElement.addChild(L"RibbonGroup");
        groupElement->setAttribute(L"caption", group->GetCaption().GetString());
        groupElement->setAttribute(L"id", std::to_wstring(group->GetID()));
        if (const auto* own = dynamic_cast<const RibbonGroup*>(group)) {
            if (own->GetGuid() != GUID{}) groupElement->setAttribute(L"guid", platform::mfc::formatGuid(own->GetGuid()));
            if (own->GetOptionCommand() != 0) groupElement->setAttribute(L"optionId", std::to_wstring(own->GetOptionCommand()));
        }
        if (!group->IsVisible()) groupElement->setAttribute(L"visible", L"false");
        SaveControls(*group->GetControls(), *groupElement, parameters);
    }
}

// The quick-access bar's controls, written even when there are none: a bar the user emptied
// stays empty.
void saveQuickAccess(const CXTPRibbonBar& ribbon, Element& root, const ApplicationParameters& parameters) {
    if (const CXTPControls* controls = ribbon.GetQuickAccessControls())
        SaveControls(*controls, *root.addChild(TagNames::QuickAccess), parameters);
}

}  // namespace

void RibbonBar::save(const CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, VersionNumber layoutVersion) {
    *this = RibbonBar();
    setAttribute(AttributeNames::VersionNumber, std::wstring(layoutVersion.toString().GetString()));
    for (int t = 0; t < ribbon.GetTabCount(); ++t) saveTab(*ribbon.GetTab(t), *addChild(L"RibbonTab"), parameters);
    saveQuickAccess(ribbon, *this, parameters);
}

void SaveRibbonBar(const CXTPRibbonBar& ribbon, Element& root, const ApplicationParameters& parameters, int) {
    // The backstage's tabs by id and name: the application's factory makes them again.
    const CXTPRibbonControlSystemButton* system = ribbon.GetSystemButton();
    if (const auto* view = system ? dynamic_cast<const CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr) {
        auto backstage = root.addChild(L"Backstage");
        for (int i = 0; i < view->GetTabCount(); ++i) {
            const CXTPRibbonBackstageView::Tab* tab = view->GetTab(i);
            auto element = backstage->addChild(L"BackstageTab");
            element->setAttribute(L"id", std::to_wstring(tab->id));
            if (!tab->name.IsEmpty()) element->setAttribute(L"name", tab->name.GetString());
            element->setAttribute(L"caption", tab->caption.GetString());
        }
    }
    for (int t = 0; t < ribbon.GetTabCount(); ++t) saveTab(*ribbon.GetTab(t), *root.addChild(TagNames::RibbonTab), parameters);
    saveQuickAccess(ribbon, root, parameters);
}

void SaveRibbonTab(const CXTPRibbonTab& tab, Element& root, const ApplicationParameters& parameters, int) {
    saveTab(tab, root, parameters);
}

void ToolBar::merge(const ToolBar& other) {
    for (const auto& [name, value] : other.attributes())
        if (!attribute(name)) setAttribute(name, value);
}

void RibbonBar::merge(const RibbonBar& other) {
    if (&other == this) return;
    if (!child(L"Backstage"))
        if (const auto backstage = other.child(L"Backstage")) addChild(std::make_shared<Element>(*backstage));
    for (const auto& tab : other.children()) {
        if (tab->name() != L"RibbonTab") continue;
        const std::wstring* text = tab->attribute(L"guid");
        const auto guid = text ? platform::mfc::parseGuid(*text) : std::nullopt;
        if (guid && *guid != GUID{} && !findTab(*guid)) addChild(std::make_shared<Element>(*tab));
    }
}

VersionNumber RibbonBar::layoutVersion(VersionNumber fallback) const {
    return ParseVersion(attribute(AttributeNames::VersionNumber), fallback);
}

void RibbonBar::setGroupSecondId(Element& groupElement, int secondId) {
    groupElement.setAttribute(L"id", L"-1");
    groupElement.setAttribute(L"secondId", std::to_wstring(secondId));
}

}  // namespace Korvo::UI::XML

namespace Korvo::UI {

void MainFrameState::reset() {
    menuBar.reset();
    ribbonBar.reset();
    toolBars.clear();
    commandBarsLayout.reset();
    framelessToolBar.reset();
}

bool MainFrameState::load(const XML::Element& element, VersionNumber loadVersion) {
    if (element.name() != L"MainWindow") return false;
    version = loadVersion;
    loadAttributes(element);
    for (const auto& child : element.children()) loadElement(*child);
    return true;
}

bool MainFrameState::loadDefault(LPCWSTR path, VersionNumber loadVersion) {
    platform::core::recordCall(L"Korvo::UI::MainFrameState::loadDefault(" + platform::core::quoted(path) + L", " +
                               std::wstring(loadVersion.toString().GetString()) + L")");
    reset();
    std::shared_ptr<XML::Element> root = XML::Element::loadFile(path);
    if (!root) return false;
    // The default layout is a "MainWindow" element, alone or inside a state document.
    std::shared_ptr<XML::Element> window = root->name() == L"MainWindow" ? root : root->child(L"MainWindow");
    if (!window) {
        platform::core::recordWarning(std::wstring(path) + L"(1): no \"MainWindow\" element");
        return false;
    }
    return load(*window, loadVersion);
}

void MainFrameState::merge(const MainFrameState& other) {
    if (!menuBar) menuBar = other.menuBar;
    if (!ribbonBar) ribbonBar = other.ribbonBar;
    for (const auto& bar : other.toolBars) {
        bool present = false;
        for (const auto& mine : toolBars) present = present || mine->id() == bar->id();
        if (!present) toolBars.push_back(bar);
    }
}

void MainFrameState::loadAttributes(const XML::Element&) {}

void MainFrameState::loadElement(const XML::Element& child) {
    auto copyInto = [&child](auto& target) {
        static_cast<XML::Element&>(*target) = child;
    };
    if (child.name() == L"MenuBar") {
        menuBar = std::make_shared<XML::ToolBar>(L"MenuBar");
        copyInto(menuBar);
    } else if (child.name() == L"ToolBar") {
        auto bar = std::make_shared<XML::ToolBar>();
        copyInto(bar);
        toolBars.push_back(bar);
    } else if (child.name() == L"RibbonBar") {
        ribbonBar = std::make_shared<XML::RibbonBar>();
        copyInto(ribbonBar);
    } else if (child.name() == L"codejock") {
        // The toolkit's own layout node, kept whole for the frame to exchange.
        commandBarsLayout = std::make_shared<XML::Element>(child);
    } else if (child.name() == L"framelessToolBar") {
        framelessToolBar = std::make_shared<XML::ToolBar>(L"framelessToolBar");
        copyInto(framelessToolBar);
    }
}

}  // namespace Korvo::UI
