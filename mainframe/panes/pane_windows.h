// The application's docking-pane windows: one slot per pane window, and the names by which the
// product ini's "DockingPanes" list enables them.
#pragma once

#include <array>

#include "mainframe/panes/pane_window_slot.h"

struct PaneWindows {
    // The hidden host every pane window is created under; first in, so it goes last.
    CountedPaneWindowSlot dummyHost;
    // Slots named in the "DockingPanes" list.
    PaneWindowSlot birdsEyeView;
    PaneWindowSlot modelTree;
    PaneWindowSlot materials;
    PaneWindowSlot weldTree;
    PaneWindowSlot productStructure;
    PaneWindowSlot modelElements;
    PaneWindowSlot assemblyStructure;
    PaneWindowSlot tasks;
    PaneWindowSlot varnelDesktop;
    PaneWindowSlot varnelArchives;
    PaneWindowSlot varnelFavorites;
    PaneWindowSlot varnelFind;
    PaneWindowSlot varnelAssembly;
    PaneWindowSlot varnelMail;
    PaneWindowSlot varnelConfigurationSettings;
    PaneWindowSlot varnelLibraryElements;
    PaneWindowSlot libraries;
    PaneWindowSlot legacyCam;
    PaneWindowSlot structureElements;
    PaneWindowSlot cam;
    PaneWindowSlot techRequirements;
    // Slots that own their window outright and take no part in the list.
    PaneWindowSlot error;
    PaneWindowSlot findCommand;
    PaneWindowSlot generationQueue;
    // Windows that other libraries share with the application.
    CountedPaneWindowSlot properties;
    CountedPaneWindowSlot annotations;
    CountedPaneWindowSlot formFactor;
    CountedPaneWindowSlot configurations;
    CountedPaneWindowSlot layers;
};

struct DockingPaneName {
    const wchar_t* name;
    PaneWindowSlot PaneWindows::*slot;
};

// The "DockingPanes" names in their fixed order.
extern const std::array<DockingPaneName, 21> kDockingPaneNames;

// The slot of a "DockingPanes" name (exact, case-sensitive), or null.
PaneWindowSlot* FindDockingPaneSlot(PaneWindows& windows, std::wstring_view name);

// Applies a "DockingPanes" value: every named pane starts disabled; the first entry makes the
// list an allow list (a plain name) or a deny list (an exclusion); later entries change only
// their own pane. Unknown names are logged and otherwise ignored.
void ApplyDockingPanesValue(PaneWindows& windows, const wchar_t* value);
