// The harness acting as the kernel through the application's callback object: any operation with
// typed arguments, or the ones with simple arguments by name (the console's `kernel` verb), on the
// UI thread or on a worker thread.
#include <exception>
#include <limits>
#include <stdexcept>

#include "platform/core/process.h"
#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/call_arguments.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"
#include "platform/korvoui.h"
#include "platform/win32/icons.h"

namespace platform::harness {

namespace {

std::wstring answer(bool value) { return value ? L"true" : L"false"; }
std::wstring answer(int value) { return std::to_wstring(value); }
std::wstring answer(UINT value) { return std::to_wstring(value); }
std::wstring answer(const CString& value) { return platform::core::quoted(value.view()); }
std::wstring answer(const CWnd* window) {
    return window ? L"window " + platform::core::handleText(window->GetSafeHwnd()) : L"null";
}
std::wstring answer(const void* object) { return object ? L"object" : L"null"; }
const std::wstring kDone = L"done";

using Proxy = KorvoServerAppProxy;

// The kernel's sketch check list: five settings (the fourth without a text, the fifth without a
// state) checked as STATES says, one "0" or "1" a setting; the answer and the states after it.
std::wstring runSketchCheckList(Proxy& kernel, const std::wstring& states) {
    static const wchar_t* const kTexts[] = {L"Alt+D", L"Alt+P", L"Alt+C", nullptr, L"Alt+H"};
    static constexpr std::uint64_t kKeys[] = {'D', 'P', 'C', 'E', 'H'};
    std::int32_t values[4] = {};
    KVSketchSetGlobalRequest request;
    for (std::size_t index = 0; index < 5; ++index) {
        if (index < 4) values[index] = index < states.size() && states[index] == L'1' ? 1 : 0;
        request.items.push_back(KVSketchSetItem{static_cast<std::uint32_t>(20695 + index), kKeys[index], kTexts[index],
                                                index < 4 ? &values[index] : nullptr});
    }
    const bool ok = kernel.RunModalDialog(&request);
    std::wstring text = answer(ok) + L" states ";
    for (const std::int32_t value : values) text += std::to_wstring(value);
    return text;
}

// The kernel's expanded forms: one form view for them all, the UI module's current dock form
// view from the first request on. Each request floats a new form of the class (a window that
// ends with its window) and hands it to the program's pane.
class KernelForm : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};

std::wstring showExpandedForm(Proxy& kernel, UINT classId, const std::wstring& title) {
    static Korvo::UI::ExpandedFormView forms;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    if (!frame) return L"null";
    UIModuleProxy::Instance().SetCurrentDockFormView(&forms);
    auto* form = new KernelForm;
    if (!form->CreateEx(0, L"STATIC", title.c_str(), WS_CHILD, RECT{0, 0, 0, 0}, frame->AsWindow(), 0)) {
        delete form;
        return L"null";
    }
    // Floating from when the program has shown it: showing it may end an older form's floating.
    kernel.ShowExpandedForm(classId, form, title.c_str());
    forms.SetFloatingUniquelyDlg(classId);
    return answer(static_cast<const CWnd*>(form));
}

using Call = std::wstring (*)(Proxy&, CallArguments&);
struct Operation {
    const wchar_t* name;
    const wchar_t* arguments;  // as the console shows them
    Call call;
};

// Operations whose arguments and answers are plain values, in the interface's order.
constexpr Operation kOperations[] = {
    {L"IsShellEditionFeature", L"", [](Proxy& k, CallArguments&) { return answer(k.IsShellEditionFeature()); }},
    {L"GetProductFlags", L"", [](Proxy& k, CallArguments&) {
         DWORD flags = 0;
         k.GetProductFlags(flags);
         return platform::format(L"0x%X", static_cast<unsigned>(flags));
     }},
    {L"IsViewerEdition", L"", [](Proxy& k, CallArguments&) { return answer(k.IsViewerEdition()); }},
    {L"IsMardel", L"", [](Proxy& k, CallArguments&) { return answer(k.IsMardel()); }},
    {L"IsQuenta", L"", [](Proxy& k, CallArguments&) { return answer(k.IsQuenta()); }},
    {L"IsOstrel", L"", [](Proxy& k, CallArguments&) { return answer(k.IsOstrel()); }},
    {L"IsEditionFeatureOff", L"", [](Proxy& k, CallArguments&) { return answer(k.IsEditionFeatureOff()); }},
    {L"IsEdition128", L"", [](Proxy& k, CallArguments&) { return answer(k.IsEdition128()); }},
    {L"IsEdition256", L"", [](Proxy& k, CallArguments&) { return answer(k.IsEdition256()); }},
    {L"IsEdition512", L"", [](Proxy& k, CallArguments&) { return answer(k.IsEdition512()); }},
    {L"CanLoadWorkSessionFiles", L"", [](Proxy& k, CallArguments&) { return answer(k.CanLoadWorkSessionFiles()); }},
    {L"IsGrsDocumentsShown", L"", [](Proxy& k, CallArguments&) { return answer(k.IsGrsDocumentsShown()); }},
    {L"GetCurrentDocument", L"", [](Proxy& k, CallArguments&) {
         CKvw32Doc* document = k.GetCurrentDocument();
         return document ? answer(document->GetPathName()) : std::wstring(L"null");
     }},
    {L"SetCurrentDocument", L"DOCUMENT", [](Proxy& k, CallArguments& a) { k.SetCurrentDocument(a.document()); return kDone; }},
    {L"OnChangeDocumentState", L"DOCUMENT STATE", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         k.OnChangeDocumentState(document, a.id());
         return kDone;
     }},
    {L"GetCurrentHelpId", L"", [](Proxy& k, CallArguments&) { return answer(k.GetCurrentHelpId()); }},
    {L"SetHelpContext", L"ID \"FILE\"", [](Proxy& k, CallArguments& a) {
         const UINT id = a.id();
         const std::wstring file = a.text();
         return answer(k.SetHelpContext(id, file.c_str()));
     }},
    {L"ShowHelpFileTopic", L"\"TOPIC\"", [](Proxy& k, CallArguments& a) { k.ShowHelpFileTopic(a.text().c_str()); return kDone; }},
    {L"ShowCurrentHelpTopic", L"", [](Proxy& k, CallArguments&) { k.ShowCurrentHelpTopic(); return kDone; }},
    {L"ShowCurrentHelp", L"", [](Proxy& k, CallArguments&) { k.ShowCurrentHelp(); return kDone; }},
    {L"BuildDate", L"", [](Proxy& k, CallArguments&) { return answer(k.BuildDate()); }},
    {L"GetBugReportAddress", L"", [](Proxy& k, CallArguments&) { return answer(k.GetBugReportAddress()); }},
    {L"BlockPaintAllDocuments", L"0|1", [](Proxy& k, CallArguments& a) { k.BlockPaintAllDocuments(a.flag()); return kDone; }},
    {L"RepaintAllDocuments", L"", [](Proxy& k, CallArguments&) { k.RepaintAllDocuments(); return kDone; }},
    {L"GetTextBrowserMenuTexts", L"0|1", [](Proxy& k, CallArguments& a) {
         CStringArray texts;
         k.GetTextBrowserMenuTexts(texts, a.flag());
         return answer(static_cast<int>(texts.GetSize())) + L" texts";
     }},
    // The argument a browser's module gets is the window of main frame FRAME (0: none).
    {L"BrowseText", L"INDEX FRAME \"TEXT\"", [](Proxy& k, CallArguments& a) {
         const int index = a.integer();
         CWnd* window = a.frame();
         const std::wstring text = a.text();
         return answer(k.BrowseText(index, window ? window->GetSafeHwnd() : nullptr, text.c_str()));
     }},
    {L"BrowseTextByKey", L"KEY MODIFIERS FRAME \"TEXT\"", [](Proxy& k, CallArguments& a) {
         const UINT key = a.id();
         const UINT modifiers = a.id();
         CWnd* window = a.frame();
         const std::wstring text = a.text();
         return answer(k.BrowseTextByKey(key, modifiers, window ? window->GetSafeHwnd() : nullptr, text.c_str()));
     }},
    {L"GetConfigurationsControl", L"", [](Proxy& k, CallArguments&) { return answer(k.GetConfigurationsControl()); }},
    {L"GetWeldTreeWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetWeldTreeWindow()); }},
    {L"GetSyspanelCurrentId", L"", [](Proxy& k, CallArguments&) { return answer(static_cast<int>(k.GetSyspanelCurrentId())); }},
    {L"EnableSyspanelControl", L"ID 0|1", [](Proxy& k, CallArguments& a) {
         const UINT id = a.id();
         k.EnableSyspanelControl(id, a.flag());
         return kDone;
     }},
    {L"DisableSyspanelControls", L"", [](Proxy& k, CallArguments&) { k.DisableSyspanelControls(); return kDone; }},
    {L"SyspanelStatusChanged", L"", [](Proxy& k, CallArguments&) { k.SyspanelStatusChanged(); return kDone; }},
    {L"GetFontComboText", L"ID", [](Proxy& k, CallArguments& a) {
         CString text;
         k.GetFontComboText(text, a.id());
         return answer(text);
     }},
    {L"set_syspanel_int", L"DOCUMENT ID VALUE", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const UINT id = a.id();
         return answer(k.set_syspanel_int(document, id, a.integer()));
     }},
    {L"set_syspanel_cstr", L"DOCUMENT ID \"TEXT\"", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const UINT id = a.id();
         return answer(k.set_syspanel_cstr(document, id, CString(a.text().c_str())));
     }},
    {L"SetSyspanelControls", L"ID ICON TOOLTIP ...", [](Proxy& k, CallArguments& a) {
         stlControlsIDs controls;
         while (a.more()) {
             KVControlID control;
             control.id = a.integer();
             control.icon = a.integer();
             control.tooltip = a.integer();
             controls.push_back(control);
         }
         k.SetSyspanelControls(controls);
         return kDone;
     }},
    {L"set_syspanel_doublevar", L"DOCUMENT ID VALUE VARIABLE", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const UINT id = a.id();
         const double value = a.real();
         return answer(k.set_syspanel_doublevar(document, id, value, static_cast<short>(a.integer())));
     }},
    {L"set_syspanel_intvar", L"DOCUMENT ID VALUE VARIABLE", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const UINT id = a.id();
         const int value = a.integer();
         return answer(k.set_syspanel_intvar(document, id, value, static_cast<short>(a.integer())));
     }},
    {L"set_syspanel_font", L"DOCUMENT ID \"NAME\" KIND", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const UINT id = a.id();
         const std::wstring name = a.text();
         return answer(k.set_syspanel_font(document, id, CString(name.c_str()), a.integer()));
     }},
    {L"UnpackSyspanelDoubleVar", L"ID", [](Proxy& k, CallArguments& a) {
         double value = 0.0;
         return k.UnpackSyspanelDoubleVar(a.id(), value) ? platform::core::roundTripDecimal(value) : std::wstring(L"none");
     }},
    {L"UnpackSyspanelIntVar", L"ID", [](Proxy& k, CallArguments& a) {
         int value = 0;
         return k.UnpackSyspanelIntVar(a.id(), value) ? answer(value) : std::wstring(L"none");
     }},
    {L"GetSyspanelControlIntValue", L"ID", [](Proxy& k, CallArguments& a) {
         int value = 0;
         return k.GetSyspanelControlIntValue(a.id(), value) ? answer(value) : std::wstring(L"none");
     }},
    {L"SetSyspanelButtonStatus", L"ID CHECKED DISABLED", [](Proxy& k, CallArguments& a) {
         const UINT id = a.id();
         const bool checked = a.flag();
         k.SetSyspanelButtonStatus(id, checked, a.flag());
         return kDone;
     }},
    {L"GetSyspanelControlState", L"ID", [](Proxy& k, CallArguments& a) {
         bool checked = false, disabled = false;
         if (!k.GetSyspanelControlState(a.id(), checked, disabled)) return std::wstring(L"none");
         return std::wstring(checked ? L"checked" : L"unchecked") + (disabled ? L" disabled" : L" enabled");
     }},
    {L"GetRibbonBarOfFrame", L"FRAME", [](Proxy& k, CallArguments& a) { return answer(k.GetRibbonBarOfFrame(a.frame())); }},
    {L"GetStatusLineProxy", L"", [](Proxy& k, CallArguments&) { return answer(k.GetStatusLineProxy()); }},
    {L"IsRestartRequested", L"", [](Proxy& k, CallArguments&) { return answer(k.IsRestartRequested()); }},
    {L"IsCrashFlagSet", L"", [](Proxy& k, CallArguments&) { return answer(k.IsCrashFlagSet()); }},
    {L"SetCrashFlag", L"", [](Proxy& k, CallArguments&) { k.SetCrashFlag(); return kDone; }},
    {L"IsApplicationCommandId", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.IsApplicationCommandId(a.id())); }},
    {L"IsRegisteredName", L"\"NAME\"", [](Proxy& k, CallArguments& a) { return answer(k.IsRegisteredName(a.text().c_str())); }},
    {L"AddRegisteredName", L"\"NAME\"", [](Proxy& k, CallArguments& a) { k.AddRegisteredName(a.text().c_str()); return kDone; }},
    {L"InsertRibbonSystemMenuItem", L"ID \"CAPTION\" POSITION AFTER", [](Proxy& k, CallArguments& a) {
         const UINT id = a.id();
         const std::wstring caption = a.text();
         const UINT position = a.id();
         k.InsertRibbonSystemMenuItem(id, caption.c_str(), position, a.flag());
         return kDone;
     }},
    {L"GetApplicationCommandCount", L"", [](Proxy& k, CallArguments&) { return answer(k.GetApplicationCommandCount()); }},
    {L"RemoveUserPopupMenu", L"\"KEY\"", [](Proxy& k, CallArguments& a) { return answer(k.RemoveUserPopupMenu(a.text().c_str())); }},
    {L"IsToolBarVisible", L"BAR", [](Proxy& k, CallArguments& a) { return answer(k.IsToolBarVisible(a.id())); }},
    {L"LoadMainIcon", L"", [](Proxy& k, CallArguments&) {
         // The kernel owns the icon it is given: it frees it once it has looked at it.
         const HICON icon = k.LoadMainIcon();
         int width = 0, height = 0;
         if (!platform::win32::iconSize(icon, width, height)) return std::wstring(L"null");
         DestroyIcon(icon);
         return L"icon " + std::to_wstring(width) + L"x" + std::to_wstring(height);
     }},
    {L"GetRegistryCompanyName", L"", [](Proxy& k, CallArguments&) { return answer(CString(k.GetRegistryCompanyName())); }},
    {L"GetRegistryProductName", L"", [](Proxy& k, CallArguments&) { return answer(CString(k.GetRegistryProductName())); }},
    {L"IsIdleProcessDone", L"", [](Proxy& k, CallArguments&) { return answer(k.IsIdleProcessDone()); }},
    {L"GetModelTreeWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetModelTreeWindow()); }},
    {L"GetTaskWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetTaskWindow()); }},
    {L"GetNCWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetNCWindow()); }},
    {L"GetMainBarTabCount", L"", [](Proxy& k, CallArguments&) { return answer(k.GetMainBarTabCount()); }},
    {L"RedrawCommandBars", L"", [](Proxy& k, CallArguments&) { k.RedrawCommandBars(); return kDone; }},
    {L"GetMainResourceId", L"", [](Proxy& k, CallArguments&) { return answer(k.GetMainResourceId()); }},
    {L"SetMainResourceId", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.SetMainResourceId(a.id())); }},
    {L"GetTitleStringId", L"", [](Proxy& k, CallArguments&) { return answer(k.GetTitleStringId()); }},
    {L"SetTitleStringId", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.SetTitleStringId(a.id())); }},
    {L"IsClipartControlId", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.IsClipartControlId(a.id())); }},
    {L"ShowModelTreeClipart", L"DOCUMENT WINDOW", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         return answer(k.ShowModelTreeClipart(document, a.id()));
     }},
    {L"ShowApplicationClipart", L"\"KEY\" WINDOW \"TITLE\"", [](Proxy& k, CallArguments& a) {
         const std::wstring key = a.text();
         const UINT window = a.id();
         const std::wstring title = a.text();
         const HWND view = k.ShowApplicationClipart(key.c_str(), window, title.c_str());
         return view ? L"window " + platform::core::handleText(view) : std::wstring(L"null");
     }},
    {L"IsClipartWindowVisible", L"\"KEY\" WINDOW", [](Proxy& k, CallArguments& a) {
         const std::wstring key = a.text();
         return answer(k.IsClipartWindowVisible(key.c_str(), a.id()));
     }},
    {L"ShowClipartWindow", L"\"KEY\" WINDOW 0|1", [](Proxy& k, CallArguments& a) {
         const std::wstring key = a.text();
         const UINT window = a.id();
         k.ShowClipartWindow(key.c_str(), window, a.flag());
         return kDone;
     }},
    {L"SetClipartTitle", L"\"KEY\" WINDOW \"TITLE\"", [](Proxy& k, CallArguments& a) {
         const std::wstring key = a.text();
         const UINT window = a.id();
         const std::wstring title = a.text();
         k.SetClipartTitle(key.c_str(), window, title.c_str());
         return kDone;
     }},
    {L"GetClipartWindowRect", L"\"KEY\" WINDOW", [](Proxy& k, CallArguments& a) {
         const std::wstring key = a.text();
         RECT rect{};
         if (!k.GetClipartWindowRect(key.c_str(), a.id(), rect)) return std::wstring(L"none");
         return platform::core::rectText(rect.left, rect.top, rect.right, rect.bottom);
     }},
    {L"ShowVarnelWindows", L"0|1", [](Proxy& k, CallArguments& a) { k.ShowVarnelWindows(a.flag()); return kDone; }},
    {L"ShowAnalysisPane", L"", [](Proxy& k, CallArguments&) { k.ShowAnalysisPane(); return kDone; }},
    {L"IsAnalysisPaneOpen", L"", [](Proxy& k, CallArguments&) { return answer(k.IsAnalysisPaneOpen()); }},
    {L"ShowPane826", L"", [](Proxy& k, CallArguments&) { k.ShowPane826(); return kDone; }},
    {L"IsPane826Open", L"", [](Proxy& k, CallArguments&) { return answer(k.IsPane826Open()); }},
    {L"GetProfileFileExtension", L"", [](Proxy& k, CallArguments&) { return answer(k.GetProfileFileExtension()); }},
    {L"GetWindowsProfileCurrentSectionName", L"", [](Proxy& k, CallArguments&) {
         CString name;
         k.GetWindowsProfileCurrentSectionName(name);
         return answer(name);
     }},
    {L"ShowEmbeddedHelp", L"\"PAGE\" FLAGS", [](Proxy& k, CallArguments& a) {
         const std::wstring page = a.text();
         return answer(k.ShowEmbeddedHelp(page.c_str(), a.integer()));
     }},
    {L"HideEmbeddedHelp", L"", [](Proxy& k, CallArguments&) { return answer(k.HideEmbeddedHelp()); }},
    {L"GetProductIniFileName", L"", [](Proxy& k, CallArguments&) { return answer(k.GetProductIniFileName()); }},
    {L"GetApplicationsIniPath", L"", [](Proxy& k, CallArguments&) { return answer(k.GetApplicationsIniPath()); }},
    {L"ShowExpandedForm", L"ID \"TITLE\"", [](Proxy& k, CallArguments& a) {
         const UINT classId = a.id();
         return showExpandedForm(k, classId, a.text());
     }},
    {L"DetachExpandedForm", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.DetachExpandedForm(a.id())); }},
    {L"RunModalDialog", L"\"STATES\"", [](Proxy& k, CallArguments& a) { return runSketchCheckList(k, a.text()); }},
    {L"SetCameraList", L"DOCUMENT CURRENT \"NAME\" ...", [](Proxy& k, CallArguments& a) {
         CKvw32Doc* document = a.document();
         const long long current = a.number();
         std::vector<KVCameraObject*> cameras;
         while (a.more()) {
             const CString name(a.text().c_str());
             if (!document) throw a.bad("cameras need a document");
             KVCameraObject* camera = nullptr;
             for (const auto& each : document->GetCameras())
                 if (each->GetName().view() == name.view()) camera = each.get();
             cameras.push_back(camera ? camera : document->AddCamera(name));
         }
         if (current < 0 || current > static_cast<long long>(cameras.size()))
             throw a.bad("no camera " + std::to_string(current) + " among the " + std::to_string(cameras.size()) + " given");
         k.SetCameraList(cameras, current == 0 ? nullptr : cameras[static_cast<std::size_t>(current - 1)]);
         return kDone;
     }},
    {L"GetSelectedCamera", L"DOCUMENT", [](Proxy& k, CallArguments& a) {
         const KVCameraObject* camera = k.GetSelectedCamera(a.document());
         return camera ? answer(camera->GetName()) : std::wstring(L"null");
     }},
    {L"ResetCommandBarControls", L"VALUE", [](Proxy& k, CallArguments& a) { k.ResetCommandBarControls(a.id()); return kDone; }},
    {L"GetSyspanelValue2042", L"", [](Proxy& k, CallArguments&) { return answer(k.GetSyspanelValue2042()); }},
    {L"GetErrorWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetErrorWindow()); }},
    {L"GetDiagnosticsWindow", L"", [](Proxy& k, CallArguments&) { return answer(k.GetDiagnosticsWindow()); }},
    {L"CreateMainFrame", L"", [](Proxy& k, CallArguments&) { return answer(static_cast<CWnd*>(k.CreateMainFrame())); }},
    {L"LoadState", L"", [](Proxy& k, CallArguments&) { return answer(k.LoadState()); }},
    {L"SaveState", L"", [](Proxy& k, CallArguments&) { return answer(k.SaveState()); }},
    {L"GetCommandSymbolById", L"ID", [](Proxy& k, CallArguments& a) { return answer(k.GetCommandSymbolById(a.id())); }},
    {L"ShowMessageBar", L"ID \"TITLE\" \"TEXT\"", [](Proxy& k, CallArguments& a) {
         const UINT id = a.id();
         const std::wstring title = a.text();
         const std::wstring text = a.text();
         return answer(static_cast<const void*>(k.ShowMessageBar(id, title.c_str(), text.c_str())));
     }},
    {L"CloseMessageBar", L"ID", [](Proxy& k, CallArguments& a) { k.CloseMessageBar(a.id()); return kDone; }},
    {L"OnChangeVarnelItemStates", L"", [](Proxy& k, CallArguments&) { k.OnChangeVarnelItemStates(); return kDone; }},
    {L"OnChangeVisualItemStates", L"", [](Proxy& k, CallArguments&) { k.OnChangeVisualItemStates(); return kDone; }},
    // The kernel's options dialog closed: the program sees the new template-folder settings
    // before the kernel adopts them.
    {L"OnChangeSettings", L"\"FOLDER\" USE KINDS", [](Proxy& k, CallArguments& a) {
         NativeSettings next = GetSettings();
         next.templateFolder = a.text().c_str();
         next.templateFolderUse = a.integer();
         next.templateFolderKinds = a.integer();
         k.OnChangeSettings(&next);
         NativeSettings& current = GetSettings();
         current.templateFolder = next.templateFolder;
         current.templateFolderUse = next.templateFolderUse;
         current.templateFolderKinds = next.templateFolderKinds;
         return kDone;
     }},
    {L"GetProductName", L"", [](Proxy& k, CallArguments&) {
         CString name;
         k.GetProductName(name);
         return answer(name);
     }},
    {L"GetMainWindowTitle", L"", [](Proxy& k, CallArguments&) { return answer(k.GetMainWindowTitle()); }},
    {L"GetProcessesUsingFile", L"\"PATH\"", [](Proxy& k, CallArguments& a) {
         const std::wstring path = a.text();
         std::vector<std::pair<CString, CString>> programs;
         const DWORD result = k.GetProcessesUsingFile(programs, path.c_str());
         std::wstring text = platform::format(L"0x%08X, %d programs", static_cast<unsigned>(result), static_cast<int>(programs.size()));
         for (const auto& [name, image] : programs) text += L" " + answer(name) + L" " + answer(image);
         return text;
     }},
    {L"GetActiveBackstageTabId", L"FRAME", [](Proxy& k, CallArguments& a) {
         return answer(static_cast<int>(k.GetActiveBackstageTabId(a.frame())));
     }},
    {L"ActivateBackstageTab", L"FRAME ID", [](Proxy& k, CallArguments& a) {
         CWnd* frame = a.frame();
         return answer(k.ActivateBackstageTab(frame, a.id()));
     }},
    {L"ShowRibbonBackstagePrintPage", L"FRAME DOCUMENT", [](Proxy& k, CallArguments& a) {
         CWnd* frame = a.frame();
         return answer(k.ShowRibbonBackstagePrintPage(frame, a.document()));
     }},
    {L"RefreshBackstage", L"FRAME", [](Proxy& k, CallArguments& a) { k.RefreshBackstage(a.frame()); return kDone; }},
    {L"ReportApplicationError", L"\"APPLICATION\" \"TEXT\"", [](Proxy& k, CallArguments& a) {
         const std::wstring application = a.text();
         k.ReportApplicationError(application.c_str(), a.text().c_str());
         return kDone;
     }},
    {L"OnCriticalError", L"\"MESSAGE\"", [](Proxy& k, CallArguments& a) { k.OnCriticalError(a.text().c_str()); return kDone; }},
    {L"KeepRecentEntry", L"", [](Proxy& k, CallArguments&) { k.KeepRecentEntry(); return kDone; }},
    {L"SelectCommandId", L"", [](Proxy& k, CallArguments&) {
         const std::optional<UINT> id = k.SelectCommandId(nullptr);
         return id ? answer(*id) : std::wstring(L"none");
     }},
    {L"StartTechRequirementsLeaders", L"", [](Proxy& k, CallArguments&) { k.StartTechRequirementsLeaders(); return kDone; }},
    {L"AutoSaveDocuments", L"", [](Proxy& k, CallArguments&) { k.AutoSaveDocuments(); return kDone; }},
    // The kernel's document file dialog, shown at once: the path chosen, or "cancelled".
    {L"CreateDocumentFileDialog", L"0|1 \"NAME\" \"FOLDER\"", [](Proxy& k, CallArguments& a) {
         CKVFileDialogOptions options;
         options.open = a.flag();
         options.fileName = a.text().c_str();
         options.initialFolder = a.text().c_str();
         const std::unique_ptr<IKorvoFileDialog> dialog = k.CreateDocumentFileDialog(options, nullptr);
         if (!dialog) return std::wstring(L"null");
         return dialog->ShowDialog() == IDOK ? L"\"" + std::wstring(dialog->GetChosenPath().GetString()) + L"\""
                                              : std::wstring(L"cancelled");
     }},    // The view the bird's-eye view follows: the active view of main frame FRAME (0: none).
    {L"SetBirdsEyeViewView", L"FRAME", [](Proxy& k, CallArguments& a) {
         CWnd* frame = a.frame();
         Korvo::UI::MainFrame* main = frame ? UIModuleProxy::Instance().GetMainFrameOf(frame->GetSafeHwnd()) : nullptr;
         k.SetBirdsEyeViewView(main ? main->GetActiveKorvoView() : nullptr);
         return kDone;
     }},
    {L"RedrawBirdsEyeView", L"", [](Proxy& k, CallArguments&) { k.RedrawBirdsEyeView(); return kDone; }},
    // The kernel shows a work-mix position in the PDM assembly pane (its window made on demand).
    {L"SelectWorkmixPosition", L"\"PATH\" \"CONFIGURATION\" INDEX", [](Proxy& k, CallArguments& a) {
         KVWorkmixPosition chosen;
         chosen.path = a.text().c_str();
         chosen.configuration = a.text().c_str();
         chosen.index = a.integer();
         k.SelectWorkmixPosition([chosen](KVWorkmixPosition& position) { position = chosen; });
         return kDone;
     }},
    {L"InvalidateBirdsEyeView", L"", [](Proxy& k, CallArguments&) { k.InvalidateBirdsEyeView(); return kDone; }},
};

const Operation* findOperation(std::wstring_view name) {
    for (const Operation& operation : kOperations) {
        if (name == operation.name) return &operation;
    }
    return nullptr;
}

}  // namespace

std::wstring Kernel::callback(std::wstring_view name, const std::vector<std::wstring>& arguments, bool onWorkerThread) {
    const Operation* operation = findOperation(name);
    if (!operation) throw std::invalid_argument("kernel: unknown callback operation " + platform::core::toUtf8(name));
    // The call owns what it reads and writes: a worker the run had to give up on may outlive
    // this frame.
    auto result = std::make_shared<std::wstring>();
    try {
        callback(
            [operation, result, name = std::wstring(name), arguments](KorvoServerAppProxy& application) {
                CallArguments read(name, arguments);
                *result = operation->call(application, read);
                read.finish();
            },
            onWorkerThread);
    } catch (const platform::core::ProcessTerminated&) {
        // The call ended the program's process (a critical error): it never answered.
        return L"the process ended";
    }
    return *result;
}

std::vector<std::wstring> Kernel::callbackOperations() {
    std::vector<std::wstring> names;
    for (const Operation& operation : kOperations) {
        names.push_back(*operation.arguments ? std::wstring(operation.name) + L" " + operation.arguments : operation.name);
    }
    return names;
}

void Kernel::setToolsMode(bool on) { platform::kernel::control().inAppCreateToolsMode = on; }

void Kernel::set3DModuleKind(int kind) { platform::kernel::setModuleKind3D(kind); }

std::wstring Kernel::rememberedFolder(std::wstring_view dialogName) const {
    return CPathManager::GetPath(std::wstring(dialogName).c_str()).str();
}

std::pair<int, int> Kernel::linkUpdateSuppression() const {
    return {GetSettings().links.suppressUpdate, GetSettings().links.suppressUpdateOnOpen};
}

}  // namespace platform::harness
