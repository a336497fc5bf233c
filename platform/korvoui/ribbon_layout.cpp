// The ribbon part of a layout applied to a live ribbon.
#include "platform/core/record.h"
#include "platform/korvoui/layout.h"
#include "platform/korvoui/ribbon.h"
#include "platform/mfc/ole.h"

namespace Korvo::UI::XML {

namespace {

bool flag(const Element& element, std::wstring_view name, bool fallback) {
    const std::wstring* text = element.attribute(name);
    if (!text) return fallback;
    return *text == L"true" || *text == L"1";
}

int number(const Element& element, std::wstring_view name) {
    const std::wstring* text = element.attribute(name);
    if (!text || text->empty()) return 0;
    try {
        return std::stoi(*text);
    } catch (const std::exception&) {
        platform::core::recordWarning(L"Korvo::UI::XML::RibbonBar::apply: attribute " + std::wstring(name) + L" \"" +
                                      *text + L"\" is not a number");
        return 0;
    }
}

GUID guidOf(const Element& element) {
    const std::wstring* text = element.attribute(L"guid");
    if (!text) return GUID{};
    if (auto guid = platform::mfc::parseGuid(*text)) return *guid;
    platform::core::recordWarning(L"Korvo::UI::XML::RibbonBar::apply: \"" + *text + L"\" is not a GUID");
    return GUID{};
}

}  // namespace

void RibbonBar::applyGroup(const Element& groupElement, CXTPRibbonGroup& group, const ApplicationParameters& parameters) {
    group.SetCaption(groupElement.attribute(L"caption", L"").c_str());
    if (auto* own = dynamic_cast<RibbonGroup*>(&group)) {
        own->SetGuid(guidOf(groupElement));
        own->SetDefaultDefinition(true);
        own->SetOptionCommand(number(groupElement, L"optionId"));
    }
    group.GetControls()->RemoveAll();
    group.SetVisible(flag(groupElement, L"visible", true));
    ApplyControls(groupElement, *group.GetControls(), parameters);
}

void RibbonBar::applyTab(const Element& tabElement, CXTPRibbonTab& tab, const ApplicationParameters& parameters) {
    tab.SetCaption(tabElement.attribute(L"caption", L"").c_str());
    if (auto* own = dynamic_cast<Korvo::UI::RibbonTab*>(&tab)) own->SetDefaultDefinition(true);
    while (tab.GetGroupCount() > 0) tab.RemoveGroup(0);
    for (const auto& groupElement : tabElement.children()) {
        if (groupElement->name() != L"RibbonGroup") continue;
        if (CXTPRibbonGroup* group = tab.AddGroup(L"", number(*groupElement, L"id")))
            applyGroup(*groupElement, *group, parameters);
    }
}

const Element* RibbonBar::findTab(const GUID& guid) const {
    if (guid == GUID{}) return nullptr;
    for (const auto& tabElement : children())
        if (tabElement->name() == L"RibbonTab" && guidOf(*tabElement) == guid) return tabElement.get();
    return nullptr;
}

const Element* RibbonBar::findGroup(const Element& tabElement, const GUID& guid) {
    if (guid == GUID{}) return nullptr;
    for (const auto& groupElement : tabElement.children())
        if (groupElement->name() == L"RibbonGroup" && guidOf(*groupElement) == guid) return groupElement.get();
    return nullptr;
}

namespace {

// Adds the tab of `tabElement` before tab `before` (-1: last) with the identity `guid`.
CXTPRibbonTab* addTab(CXTPRibbonBar& ribbon, const Element& tabElement, const GUID& guid,
                      const ApplicationParameters& parameters, bool defaults, int before) {
    CXTPRibbonTab* tab = ribbon.AddTab(tabElement.attribute(L"caption", L"").c_str(), number(tabElement, L"id"), before);
    if (!tab) return nullptr;
    const int color = number(tabElement, L"contextColor");
    if (color >= xtpRibbonTabContextColorNone && color <= xtpRibbonTabContextColorOrange) {
        tab->SetContextColor(static_cast<XTPRibbonTabContextColor>(color));
    } else {
        platform::core::recordWarning(L"Korvo::UI::XML::RibbonBar::apply: contextColor " + std::to_wstring(color) +
                                      L" is not a context colour (0 to 7)");
    }
    if (auto* own = dynamic_cast<Korvo::UI::RibbonTab*>(tab)) {
        own->SetGuid(guid);
        own->SetTags(tabElement.attribute(L"tags", L"").c_str());
        own->SetDisabledByUser(flag(tabElement, L"disabledByUser", false));
        own->SetDefaultDefinition(defaults);
    }
    for (const auto& groupElement : tabElement.children()) {
        if (groupElement->name() != L"RibbonGroup") continue;
        CXTPRibbonGroup* group = tab->AddGroup(groupElement->attribute(L"caption", L"").c_str(), number(*groupElement, L"id"));
        if (!group) continue;
        if (auto* own = dynamic_cast<RibbonGroup*>(group)) {
            own->SetGuid(guidOf(*groupElement));
            own->SetDefaultDefinition(defaults);
            own->SetOptionCommand(number(*groupElement, L"optionId"));
        }
        group->SetVisible(flag(*groupElement, L"visible", true));
        ApplyControls(*groupElement, *group->GetControls(), parameters);
    }
    // A tab the user switched off stays out of the tab row, whatever an older layout says.
    const auto* own = dynamic_cast<const Korvo::UI::RibbonTab*>(tab);
    tab->SetVisible(flag(tabElement, L"visible", true) && !(own && own->IsDisabledByUser()));
    return tab;
}

bool isNumber(const Element& element, std::wstring_view name) {
    const std::wstring* text = element.attribute(name);
    if (!text) return true;
    std::size_t at = !text->empty() && (*text)[0] == L'-' ? 1 : 0;
    if (at == text->size() || text->size() > 11) return false;
    for (; at < text->size(); ++at)
        if ((*text)[at] < L'0' || (*text)[at] > L'9') return false;
    return true;
}

bool isGuid(const Element& element) {
    const std::wstring* text = element.attribute(L"guid");
    return !text || platform::mfc::parseGuid(*text).has_value();
}

// A control element the library can build: a known type, a numeric id, items that are controls.
bool readableControl(const Element& control) {
    if (ControlTypeFromName(control.name()) == xtpControlError || !isNumber(control, L"id")) return false;
    for (const auto& item : control.children())
        if (!readableControl(*item)) return false;
    return true;
}

bool readableTab(const Element& tab) {
    if (tab.name() != TagNames::RibbonTab || !isGuid(tab) || !isNumber(tab, L"id") || !isNumber(tab, L"contextColor"))
        return false;
    for (const auto& group : tab.children()) {
        if (group->name() != L"RibbonGroup" || !isGuid(*group) || !isNumber(*group, L"id")) return false;
        for (const auto& control : group->children())
            if (!readableControl(*control)) return false;
    }
    return true;
}

void refused(const Element& root, const std::wstring& why) {
    platform::core::recordWarning(L"Korvo::UI::XML::" + root.name() + L"::load: " + why);
}

}  // namespace

void RibbonBar::apply(CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, bool defaults) const {
    ribbon.RemoveAllTabs();
    const CXTPRibbonControlSystemButton* system = ribbon.GetSystemButton();
    auto* backstage = system ? dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr;
    if (const auto element = child(L"Backstage"); element && backstage && parameters.createBackstageTab) {
        backstage->RemoveAllTabs();
        for (const auto& tab : element->children())
            if (tab->name() == L"BackstageTab") parameters.createBackstageTab(*backstage, *tab, ribbon);
    }
    for (const auto& tabElement : children())
        if (tabElement->name() == L"RibbonTab") addTab(ribbon, *tabElement, guidOf(*tabElement), parameters, defaults, -1);
    // A layout that names the quick-access bar's controls replaces them; one written before the
    // bar was kept (or a default layout) leaves the user's.
    if (const auto quickAccess = child(TagNames::QuickAccess)) {
        CXTPControls* controls = ribbon.GetQuickAccessControls();
        controls->RemoveAll();
        ApplyControls(*quickAccess, *controls, parameters);
    }
    for (int i = 0; i < ribbon.GetTabCount(); ++i)
        if (ribbon.GetTab(i)->IsVisible()) {
            ribbon.SetCurrentTab(ribbon.GetTab(i));
            break;
        }
}

bool RibbonBar::load(const Element& root, VersionNumber) {
    if (root.name() != TagNames::RibbonBar) {
        refused(root, L"the root is no RibbonBar");
        return false;
    }
    for (const auto& element : root.children()) {
        if (element->name() == L"Backstage") continue;
        if (element->name() == TagNames::QuickAccess) {
            for (const auto& control : element->children())
                if (!readableControl(*control)) {
                    refused(root, L"a quick-access control \"" + control->name() + L"\" cannot be read");
                    return false;
                }
            continue;
        }
        if (!readableTab(*element)) {
            refused(root, L"element \"" + element->name() + L"\" (\"" + element->attribute(L"caption", L"") + L"\") cannot be read");
            return false;
        }
    }
    static_cast<Element&>(*this) = root;
    return true;
}

bool RibbonTab::load(const Element& root, VersionNumber) {
    if (!readableTab(root)) {
        refused(root, L"tab \"" + root.attribute(L"caption", L"") + L"\" cannot be read");
        return false;
    }
    static_cast<Element&>(*this) = root;
    guid = guidOf(root);
    return true;
}

void RibbonTab::applyTo(CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, int position) const {
    addTab(ribbon, *this, guid, parameters, false, position);
}

}  // namespace Korvo::UI::XML
