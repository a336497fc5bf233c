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
    if (auto* own = dynamic_cast<RibbonTab*>(&tab)) own->SetDefaultDefinition(true);
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

void RibbonBar::apply(CXTPRibbonBar& ribbon, const ApplicationParameters& parameters, bool defaults) const {
    ribbon.RemoveAllTabs();
    const CXTPRibbonControlSystemButton* system = ribbon.GetSystemButton();
    auto* backstage = system ? dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr;
    if (const auto element = child(L"Backstage"); element && backstage && parameters.createBackstageTab) {
        backstage->RemoveAllTabs();
        for (const auto& tab : element->children())
            if (tab->name() == L"BackstageTab") parameters.createBackstageTab(*backstage, *tab, ribbon);
    }
    for (const auto& tabElement : children()) {
        if (tabElement->name() != L"RibbonTab") continue;
        CXTPRibbonTab* tab = ribbon.AddTab(tabElement->attribute(L"caption", L"").c_str(), number(*tabElement, L"id"));
        if (!tab) continue;
        const int color = number(*tabElement, L"contextColor");
        if (color >= xtpRibbonTabContextColorNone && color <= xtpRibbonTabContextColorOrange) {
            tab->SetContextColor(static_cast<XTPRibbonTabContextColor>(color));
        } else {
            platform::core::recordWarning(L"Korvo::UI::XML::RibbonBar::apply: contextColor " + std::to_wstring(color) +
                                          L" is not a context colour (0 to 7)");
        }
        if (auto* own = dynamic_cast<RibbonTab*>(tab)) {
            own->SetGuid(guidOf(*tabElement));
            own->SetTags(tabElement->attribute(L"tags", L"").c_str());
            own->SetDisabledByUser(flag(*tabElement, L"disabledByUser", false));
            own->SetDefaultDefinition(defaults);
        }
        for (const auto& groupElement : tabElement->children()) {
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
        tab->SetVisible(flag(*tabElement, L"visible", true));
    }
    for (int i = 0; i < ribbon.GetTabCount(); ++i)
        if (ribbon.GetTab(i)->IsVisible()) {
            ribbon.SetCurrentTab(ribbon.GetTab(i));
            break;
        }
}

}  // namespace Korvo::UI::XML
