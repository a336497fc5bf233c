// How a choice in a parameter control reaches its main frame: the frame's own setter keeps the
// twins on the ribbon and the panel in step, and WM_COMMAND with the control's id and a pointer
// to the value tells the frame (and so a running command). The frame installs its setter, so the
// panel does not reach up to it.
#pragma once

#include "platform/korvoui.h"
#include "syspanel/data_exchange.h"

using SyspanelIntSetter = bool (*)(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, int value);
using SyspanelTextSetter = bool (*)(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, const CString& text);
void SetSyspanelSetters(SyspanelIntSetter intSetter, SyspanelTextSetter textSetter);

bool SetFrameSyspanelInt(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, int value);
bool SetFrameSyspanelText(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, const CString& text);
void SendFrameValueCommand(Korvo::UI::MainFrame* frame, unsigned id, const void* value);
// The control's bar tells its site that the control was executed (XTPWM_CONTROLNOTIFY,
// CBN_XTP_EXECUTE), as the toolkit does for a click, without the WM_COMMAND that follows one.
void NotifyBarSite(CXTPControl& control);
