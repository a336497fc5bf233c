#include "platform/kernel/profiles/profiles.h"

#include <map>

#include "platform/core/record.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"

namespace {

std::map<const CKvw32Doc*, std::vector<std::pair<std::wstring, UINT>>>& profileTable() {
    static std::map<const CKvw32Doc*, std::vector<std::pair<std::wstring, UINT>>> table;
    return table;
}

}  // namespace

CKVView* KVGetActiveView() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CFrameWnd* window = MainFrameWindow(frame);
    if (!window) return nullptr;
    // In an MDI frame the view is the active document window's.
    CFrameWnd* active = window->GetActiveFrame();
    CView* view = active ? active->GetActiveView() : nullptr;
    return dynamic_cast<CKVView*>(view ? view : window->GetActiveView());
}

bool no_set_focus_color_dlg = false;

CString KVGetColorsCurrentSectionName() { return L"Colors"; }

std::optional<COLORREF> CColorTable::GetColor(UINT word) const {
    if (word < colours_.size()) return colours_[word];
    if ((word & 0xFFu) != 0) return std::nullopt;
    return static_cast<COLORREF>(word >> 8);
}

bool CColorTable::GetColorName(UINT index, CString& name) const {
    static const wchar_t* const kNames[] = {L"Black",    L"Red",       L"Green",     L"Blue",   L"Yellow", L"Magenta",
                                            L"Cyan",     L"White",     L"Dark red",  L"Dark green", L"Dark blue",
                                            L"Olive",    L"Purple",    L"Teal",      L"Silver", L"Grey"};
    if (index >= colours_.size()) return false;
    name = index < std::size(kNames) ? CString(kNames[index]) : CString((L"Colour " + std::to_wstring(index)).c_str());
    return true;
}

const CColorTable* GetColorTable() {
    static const CColorTable table = [] {
        CColorTable made;
        // The first sixteen colours of the kernel's palette.
        made.colours_ = {RGB(0, 0, 0),     RGB(255, 0, 0),     RGB(0, 255, 0),   RGB(0, 0, 255),
                         RGB(255, 255, 0), RGB(255, 0, 255),   RGB(0, 255, 255), RGB(255, 255, 255),
                         RGB(128, 0, 0),   RGB(0, 128, 0),     RGB(0, 0, 128),   RGB(128, 128, 0),
                         RGB(128, 0, 128), RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128)};
        // Then 240 more: six levels of each primary, and the rest greys from dark to light.
        for (int i = 0; i < 216; ++i)
            made.colours_.push_back(RGB((i / 36) * 51, ((i / 6) % 6) * 51, (i % 6) * 51));
        for (int i = 0; i < 24; ++i) made.colours_.push_back(RGB(8 + i * 10, 8 + i * 10, 8 + i * 10));
        return made;
    }();
    return &table;
}

bool KV3DProfiles::GetProfiles(CKvw32Doc* document, std::vector<CString>& names, std::vector<UINT>& colourIndexes) {
    names.clear();
    colourIndexes.clear();
    const KV3DContainer* model = document ? document->Get3DContainer() : nullptr;
    if (!model || !model->Has3DContent()) return false;
    const auto found = profileTable().find(document);
    if (found == profileTable().end()) return true;
    for (const auto& [name, colour] : found->second) {
        names.emplace_back(name.c_str());
        colourIndexes.push_back(colour);
    }
    return true;
}

void KV3DProfiles::ApplyProfile(CKvw32Doc* document, LPCWSTR name) {
    platform::kernel::recordCall(L"KV3DProfiles::ApplyProfile(" + platform::kernel::documentText(document) + L", " +
                                 platform::kernel::quoted(name) + L")");
}

void platform::kernel::setProfiles(CKvw32Doc* document, std::vector<std::pair<std::wstring, UINT>> profiles) {
    profileTable()[document] = std::move(profiles);
}

void platform::kernel::forgetProfiles(const CKvw32Doc* document) { profileTable().erase(document); }

ProductStructEditorProxy& ProductStructEditorProxy::Instance() {
    static ProductStructEditorProxy editor;
    return editor;
}

void ProductStructEditorProxy::Attach(HWND window) {
    platform::kernel::recordCall(L"ProductStructEditorProxy::Attach(" + platform::core::handleText(window) + L")");
}

void ProductStructEditorProxy::Detach() { platform::kernel::recordCall(L"ProductStructEditorProxy::Detach()"); }

void ProductStructEditorProxy::Resize(int width, int height) {
    platform::kernel::recordCall(L"ProductStructEditorProxy::Resize(" + std::to_wstring(width) + L", " +
                                 std::to_wstring(height) + L")");
}

void ProductStructEditorProxy::SetTheme(const Korvo::UI::Theme& theme) {
    platform::kernel::recordCall(L"ProductStructEditorProxy::SetTheme(" + platform::kernel::quoted(theme.name.GetString()) + L")");
}

void ProductStructEditorProxy::Refresh() { platform::kernel::recordCall(L"ProductStructEditorProxy::Refresh()"); }

void ProductStructEditorProxy::OnDocumentClosed(CKvw32Doc* document) {
    platform::kernel::recordCall(L"ProductStructEditorProxy::OnDocumentClosed(" +
                                 platform::kernel::documentText(document) + L")");
}
