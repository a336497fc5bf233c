#include "platform/mfc/ole_data.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/files/dragdrop.h"
#include "platform/win32/window/window.h"

namespace {

using Blocks = std::vector<std::pair<CLIPFORMAT, std::vector<std::byte>>>;

std::vector<std::byte> blockBytes(HGLOBAL memory) {
    const SIZE_T size = GlobalSize(memory);
    const void* bytes = size ? GlobalLock(memory) : nullptr;
    if (!bytes) return {};
    std::vector<std::byte> copy(size);
    std::memcpy(copy.data(), bytes, size);
    GlobalUnlock(memory);
    return copy;
}

class DataObject final : public IDataObject {
public:
    explicit DataObject(Blocks blocks) : blocks_(std::move(blocks)) {}
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT QueryGetData(CLIPFORMAT format) override { return find(format) ? S_OK : DV_E_FORMATETC; }
    HRESULT GetData(CLIPFORMAT format, HGLOBAL* memory) override {
        if (!memory) return E_FAIL;
        *memory = nullptr;
        const std::vector<std::byte>* bytes = find(format);
        if (!bytes) return DV_E_FORMATETC;
        HGLOBAL copy = GlobalAlloc(GHND, bytes->size());
        void* target = copy ? GlobalLock(copy) : nullptr;
        if (!target) {
            if (copy) GlobalFree(copy);
            return E_FAIL;
        }
        if (!bytes->empty()) std::memcpy(target, bytes->data(), bytes->size());
        GlobalUnlock(copy);
        *memory = copy;
        return S_OK;
    }
    std::vector<CLIPFORMAT> Formats() override {
        std::vector<CLIPFORMAT> formats;
        for (const auto& [format, bytes] : blocks_) formats.push_back(format);
        return formats;
    }
    void put(CLIPFORMAT format, std::vector<std::byte> bytes) {
        const auto it = std::find_if(blocks_.begin(), blocks_.end(), [&](const auto& b) { return b.first == format; });
        if (it != blocks_.end()) {
            it->second = std::move(bytes);
        } else {
            blocks_.emplace_back(format, std::move(bytes));
        }
    }

private:
    ~DataObject() override = default;
    const std::vector<std::byte>* find(CLIPFORMAT format) const {
        for (const auto& [f, bytes] : blocks_)
            if (f == format) return &bytes;
        return nullptr;
    }
    Blocks blocks_;
    ULONG references_ = 1;
};

// A drop target is registered for the window only through COleDropTarget::Register.
COleDropTarget* targetOf(HWND window) {
    for (HWND at = window; at; at = (GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD) ? GetParent(at) : nullptr) {
        if (IDropTarget* target = GetRegisteredDropTarget(at)) return reinterpret_cast<COleDropTarget*>(target);
    }
    return nullptr;
}

// Posts WM_DROPFILES with the data's files to the window under the point that accepts dropped
// files (WS_EX_ACCEPTFILES, looking up through the parents); false when there is none or the
// data holds no files.
bool dropFilesOnAcceptingWindow(IDataObject* data, HWND window, POINT point) {
    HGLOBAL block = nullptr;
    if (!IsWindow(window) || data->GetData(CF_HDROP, &block) != S_OK || !block) return false;
    std::vector<std::wstring> paths;
    const auto drop = static_cast<HDROP>(block);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring path(DragQueryFileW(drop, index, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    POINT screen = point;
    ClientToScreen(window, &screen);
    HWND target = WindowFromPoint(screen);
    if (target != window && !IsChild(window, target)) target = window;
    while (target && !(static_cast<DWORD>(GetWindowLongPtrW(target, GWL_EXSTYLE)) & WS_EX_ACCEPTFILES))
        target = (static_cast<DWORD>(GetWindowLongPtrW(target, GWL_STYLE)) & WS_CHILD) ? GetParent(target) : nullptr;
    if (!target || paths.empty()) return false;
    POINT at = screen;
    ScreenToClient(target, &at);
    HDROP files = CreateShellDrop(paths, at);
    if (!files) return false;
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0)) {
        DragFinish(files);
        return false;
    }
    return true;
}

}  // namespace

HRESULT DoDragDrop(IDataObject* data, DWORD okEffects, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    if (!data) return E_FAIL;
    std::wstring formats;
    for (CLIPFORMAT format : data->Formats()) formats += platform::core::quoted(platform::mfc::formatName(format)) + L" ";
    const auto answer =
        platform::core::userAgent().answerDrag(formats + L"effects " + std::to_wstring(okEffects));
    if (!answer) return DRAGDROP_S_CANCEL;
    bool offered = false;
    auto done = platform::mfc::dropOnTarget(data, okEffects, answer->window, answer->point, answer->keyState, &offered);
    // When no drop target there takes the data, files go as the shell drops them, to a window
    // that accepts them (as a drop from the shell does).
    if (!offered && (okEffects & DROPEFFECT_COPY) && dropFilesOnAcceptingWindow(data, answer->window, answer->point))
        done = DROPEFFECT_COPY;
    if (effect) *effect = done.value_or(DROPEFFECT_NONE);
    return DRAGDROP_S_DROP;
}

COleDataSource::COleDataSource() : data_(new DataObject({})) {}

COleDataSource::~COleDataSource() { data_->Release(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL memory) {
    if (!memory) return;
    static_cast<DataObject*>(data_)->put(format, blockBytes(memory));
    GlobalFree(memory);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD effects) {
    DWORD effect = DROPEFFECT_NONE;
    return ::DoDragDrop(data_, effects, &effect) == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

void COleDataObject::Attach(IDataObject* data, BOOL autoRelease) {
    Release();
    data_ = data;
    autoRelease_ = autoRelease != FALSE;
}

IDataObject* COleDataObject::Detach() {
    IDataObject* data = data_;
    data_ = nullptr;
    autoRelease_ = false;
    return data;
}

void COleDataObject::Release() {
    if (data_ && autoRelease_) data_->Release();
    data_ = nullptr;
    autoRelease_ = false;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const {
    return data_ && data_->QueryGetData(format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const {
    HGLOBAL memory = nullptr;
    if (!data_ || data_->GetData(format, &memory) != S_OK) return nullptr;
    return memory;
}

namespace platform::mfc {

IDataObject* makeDataObject(const std::vector<std::pair<CLIPFORMAT, std::vector<std::byte>>>& blocks) {
    return new DataObject(blocks);
}

std::optional<DROPEFFECT> dropOnTarget(IDataObject* data, DWORD okEffects, HWND window, POINT point, DWORD keyState,
                                       bool* offered) {
    if (offered) *offered = false;
    if (!data || !IsWindow(window)) return std::nullopt;
    POINT screen = point;
    ClientToScreen(window, &screen);
    // The drag ends over the window's child under the point, as the mouse finds it.
    HWND under = WindowFromPoint(screen);
    if (under != window && !IsChild(window, under)) under = window;
    COleDropTarget* target = targetOf(under);
    if (!target) return std::nullopt;
    const HWND at = target->GetRegisteredWindow();
    // The point as the target's own window sees it.
    POINT local = screen;
    ScreenToClient(at, &local);
    CWnd* wnd = CWnd::FromHandle(at);
    COleDataObject object;
    object.Attach(data, FALSE);
    DROPEFFECT effect = target->OnDragEnter(wnd, &object, keyState, local) & okEffects;
    effect = target->OnDragOver(wnd, &object, keyState, local) & okEffects;
    if (effect == DROPEFFECT_NONE) {
        target->OnDragLeave(wnd);
        return DROPEFFECT_NONE;
    }
    if (offered) *offered = true;
    return target->OnDrop(wnd, &object, effect, local) ? effect : DROPEFFECT_NONE;
}

std::wstring formatName(CLIPFORMAT format) {
    switch (format) {
        case CF_TEXT: return L"CF_TEXT";
        case CF_UNICODETEXT: return L"CF_UNICODETEXT";
        case CF_HDROP: return L"CF_HDROP";
        default: break;
    }
    wchar_t name[256]{};
    if (GetClipboardFormatNameW(format, name, 256) > 0) return name;
    return L"format " + std::to_wstring(format);
}

}  // namespace platform::mfc
