// OLE data transfer as the shell uses it for drag and drop: data objects offering global blocks
// by clipboard format, the framework's data source and data object wrappers, and the drag loop.
// A drag is a modal request of the user (the user agent's drag expectations): it ends dropped on
// a window's drop target at a point, with or without Ctrl, or cancelled.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/mfc/cmdtarget.h"
#include "platform/win32/controls/clipboard.h"
#include "platform/win32/types.h"

using CLIPFORMAT = WORD;

inline constexpr DROPEFFECT DROPEFFECT_NONE = 0;
inline constexpr DROPEFFECT DROPEFFECT_COPY = 1;
inline constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
inline constexpr DWORD MK_CONTROL = 0x0008;
inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);

// Data offered by format. Reference-counted: made with one reference, deleted at the last Release.
struct IDataObject {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // S_OK when the data is offered in `format`, else DV_E_FORMATETC.
    virtual HRESULT QueryGetData(CLIPFORMAT format) = 0;
    // A new movable block holding a copy of the data (the caller frees it); DV_E_FORMATETC when
    // the format is not offered.
    virtual HRESULT GetData(CLIPFORMAT format, HGLOBAL* memory) = 0;
    // The formats offered, in the order they were put in.
    virtual std::vector<CLIPFORMAT> Formats() = 0;

protected:
    virtual ~IDataObject() = default;
};

// Runs a drag of `data` allowing `okEffects`: DRAGDROP_S_DROP with the effect done (0 when the
// target took nothing), or DRAGDROP_S_CANCEL with 0.
HRESULT DoDragDrop(IDataObject* data, DWORD okEffects, DWORD* effect);

// The source of a drag: blocks cached by format, handed to the drop target as an IDataObject.
class COleDataSource : public CCmdTarget {
public:
    COleDataSource();
    ~COleDataSource() override;
    // The source takes over the block (a later block of the same format replaces it).
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL memory);
    // The effect the drop target did, 0 when the drag was cancelled or nothing was taken.
    DROPEFFECT DoDragDrop(DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The source's data object (no reference added).
    IDataObject* GetDataObject() const { return data_; }

private:
    IDataObject* data_;
};

// The receiving end's view of an IDataObject.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;
    // With `autoRelease`, the wrapper releases the object when it lets it go.
    void Attach(IDataObject* data, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // A copy of the data (the caller frees it), null when the format is not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT format) const;
    IDataObject* GetIDataObject() const { return data_; }

private:
    IDataObject* data_ = nullptr;
    bool autoRelease_ = false;
};

namespace platform::mfc {

// A data object holding copies of the blocks given (for the harness's drops).
IDataObject* makeDataObject(const std::vector<std::pair<CLIPFORMAT, std::vector<std::byte>>>& blocks);

// The data entering the drop target of the window (or of its nearest parent that has one) at the
// client point, moving over it and dropped there when the target offers an effect it allows; the
// effect done, 0 when none. Without a drop target, nullopt. `offered`, when given, says whether the
// target offered an effect (so the data was dropped, whatever the drop did).
std::optional<DROPEFFECT> dropOnTarget(IDataObject* data, DWORD okEffects, HWND window, POINT point, DWORD keyState,
                                       bool* offered = nullptr);

// The format's name as registered, "CF_HDROP" and the like for standard ones.
std::wstring formatName(CLIPFORMAT format);

}  // namespace platform::mfc
