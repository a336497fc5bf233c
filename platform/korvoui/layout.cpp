#include "platform/korvoui/layout.h"

#include <new>

#include <pugixml.hpp>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/faults.h"
#include "platform/toolkit/xml_reading.h"

namespace Korvo::UI::XML {
namespace {

std::shared_ptr<Element> fromDom(const pugi::xml_node& node) {
    auto element = std::make_shared<Element>(platform::core::fromUtf8(node.name()));
    for (const pugi::xml_attribute& attribute : node.attributes())
        element->setAttribute(platform::core::fromUtf8(attribute.name()), platform::core::fromUtf8(attribute.value()));
    for (const pugi::xml_node& child : node.children())
        if (child.type() == pugi::node_element) element->addChild(fromDom(child));
    return element;
}

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
    if (!platform::toolkit::readXmlFile(path ? path : L"", bytes)) return nullptr;
    return loadText(bytes, path);
}

std::shared_ptr<Element> Element::loadText(std::string_view bytes, std::wstring_view origin) {
    pugi::xml_document dom;
    if (!platform::toolkit::parseXml(dom, bytes, origin)) return nullptr;
    const pugi::xml_node root = dom.document_element();
    if (!root) {
        platform::core::recordWarning(std::wstring(origin) + L"(1): no root element");
        return nullptr;
    }
    return fromDom(root);
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

}  // namespace Korvo::UI::XML

namespace Korvo::UI {

void MainFrameState::reset() {
    menuBar.reset();
    ribbonBar.reset();
    toolBars.clear();
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
    }
}

}  // namespace Korvo::UI
