#include "mainframe/panes/pane_windows.h"

#include "platform/diagnostics.h"
#include "platform/korvoui.h"

const std::array<DockingPaneName, 21> kDockingPaneNames{{
    {L"birdsEyeView", &PaneWindows::birdsEyeView},
    {L"modelTree", &PaneWindows::modelTree},
    {L"materials", &PaneWindows::materials},
    {L"weldTree", &PaneWindows::weldTree},
    {L"productStructure", &PaneWindows::productStructure},
    {L"modelElements", &PaneWindows::modelElements},
    {L"assemblyStructure", &PaneWindows::assemblyStructure},
    {L"tasks", &PaneWindows::tasks},
    {L"varnelDesktop", &PaneWindows::varnelDesktop},
    {L"varnelArchives", &PaneWindows::varnelArchives},
    {L"varnelFavorites", &PaneWindows::varnelFavorites},
    {L"varnelFind", &PaneWindows::varnelFind},
    {L"varnelAssembly", &PaneWindows::varnelAssembly},
    {L"varnelMail", &PaneWindows::varnelMail},
    {L"varnelConfigurationSettings", &PaneWindows::varnelConfigurationSettings},
    {L"varnelLibraryElements", &PaneWindows::varnelLibraryElements},
    {L"libraries", &PaneWindows::libraries},
    {L"legacyCam", &PaneWindows::legacyCam},
    {L"structureElements", &PaneWindows::structureElements},
    {L"cam", &PaneWindows::cam},
    {L"techRequirements", &PaneWindows::techRequirements},
}};

PaneWindowSlot* FindDockingPaneSlot(PaneWindows& windows, std::wstring_view name) {
    for (const DockingPaneName& row : kDockingPaneNames) {
        if (name == row.name) return &(windows.*row.slot);
    }
    return nullptr;
}

void ApplyDockingPanesValue(PaneWindows& windows, const wchar_t* value) {
    for (const DockingPaneName& row : kDockingPaneNames) (windows.*row.slot).SetEnabled(false);

    bool first = true;
    for (const Korvo::UI::XML::ValueSetItem& item : Korvo::UI::XML::ParseValueSet(value)) {
        const bool exclusion = !item.included;
        PaneWindowSlot* named = FindDockingPaneSlot(windows, item.name.view());
        if (first) {
            // The first entry decides what the unnamed panes are: shown for a deny list, hidden for
            // an allow list. This holds even when the name itself is unknown.
            for (const DockingPaneName& row : kDockingPaneNames) {
                PaneWindowSlot& slot = windows.*row.slot;
                if (&slot != named) slot.SetEnabled(exclusion);
            }
        }
        if (named) {
            named->SetEnabled(!exclusion);
        } else {
            KVLog_WriteF(6, L"Invalid docking pane window \"%.*ls\" is specified in a configuration file",
                         item.name.GetLength(), item.name.GetString());
        }
        first = false;
    }
}
