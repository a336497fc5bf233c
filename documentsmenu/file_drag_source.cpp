#include "documentsmenu/file_drag_source.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "documentsmenu/drag_formats.h"
#include "platform/korvoui.h"
#include "platform/win32.h"

namespace DocumentsMenu {

namespace {

constexpr DWORD kAllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;

bool isDocumentFile(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
    return CString(path.c_str() + dot).CompareNoCase(L".grb") == 0;
}

std::vector<std::byte> effectBlock(DWORD effect) {
    std::vector<std::byte> block(4);
    for (int i = 0; i < 4; ++i) block[i] = static_cast<std::byte>((effect >> (8 * i)) & 0xFF);
    return block;
}

HWND currentMainWindow() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CFrameWnd* window = frame ? frame->AsWindow() : nullptr;
    return window ? window->GetSafeHwnd() : nullptr;
}

}  // namespace

FileDragSource& FileDragSource::Instance() {
    static FileDragSource instance;
    return instance;
}

bool FileDragSource::DragFile(const CString& path, DWORD preferredEffect) {
    return DragFiles({path}, preferredEffect);
}

bool FileDragSource::DragFiles(const std::vector<CString>& paths, DWORD preferredEffect) {
    HGLOBAL files = MakeGlobalBlock(MakeDropFiles(paths));
    HGLOBAL effect = MakeGlobalBlock(effectBlock(preferredEffect));
    if (!files || !effect) {
        if (files) GlobalFree(files);
        if (effect) GlobalFree(effect);
        return false;
    }
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, files);
    source.CacheGlobalData(PreferredDropEffectFormat(), effect);
    source.DoDragDrop(kAllowedEffects);
    return true;
}

bool FileDragSource::CopyDroppedDocuments(COleDataObject* data, const CString& folder) {
    if (!data) return false;
    HGLOBAL drop = data->GetGlobalData(CF_HDROP);
    if (!drop) return false;
    std::wstring sources;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring path(DragQueryFileW(drop, index, nullptr, 0), L'\0');
        DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size() + 1));
        if (isDocumentFile(path)) sources += path + L'\0';
    }
    GlobalFree(drop);
    sources += L'\0';

    DWORD preferred = 0;
    if (const auto block = ReadGlobalBlock(*data, PreferredDropEffectFormat()); block && block->size() >= 4) {
        for (int i = 0; i < 4; ++i) preferred |= static_cast<DWORD>((*block)[i]) << (8 * i);
    }
    std::wstring destination(folder.GetString());
    destination += L'\0';

    SHFILEOPSTRUCTW operation;
    operation.hwnd = currentMainWindow();
    operation.wFunc = preferred == DROPEFFECT_MOVE ? FO_MOVE : FO_COPY;
    operation.pFrom = sources.c_str();
    operation.pTo = destination.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace DocumentsMenu
