// The kernel's active view, the profiles of a 3D document (named views of its model, each with an
// optional colour from the colour table) and the colour table itself.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/mfc.h"

class CKVView;
class CKvw32Doc;

// The active view of the active main frame when it is a kernel view, or null.
CKVView* KVGetActiveView();

// The kernel's colour table: colours by index. A colour word is either an index into it or a
// true colour, the Windows colour shifted left by 8 bits (bits 0 to 7 zero).
class CColorTable {
public:
    // The colour of an index or of a true-colour word; nothing for anything else.
    std::optional<COLORREF> GetColor(UINT word) const;
    // The name of a table colour; false for a true colour.
    bool GetColorName(UINT index, CString& name) const;
    UINT GetCount() const { return static_cast<UINT>(colours_.size()); }

private:
    friend const CColorTable* GetColorTable();
    std::vector<COLORREF> colours_;
};
const CColorTable* GetColorTable();

// The registry section under which the colour choosers keep their state.
CString KVGetColorsCurrentSectionName();
// Set while the colour pop-up is open: the kernel's views leave the keyboard focus alone then.
extern bool no_set_focus_color_dlg;

// The profiles of a document's 3D model (as the 3D part reports them).
namespace KV3DProfiles {
// Colour index of a profile without a colour.
inline constexpr UINT kNoColour = 0xFFFFFFFFu;
// Names and colour indexes, in parallel and in the model's order; false without a 3D model.
bool GetProfiles(CKvw32Doc* document, std::vector<CString>& names, std::vector<UINT>& colourIndexes);
// Applies the profile named `name` to the document's model (the call is journalled).
void ApplyProfile(CKvw32Doc* document, LPCWSTR name);
}  // namespace KV3DProfiles

namespace platform::kernel {
// What a test gives a document's model: (name, colour index) per profile.
void setProfiles(CKvw32Doc* document, std::vector<std::pair<std::wstring, UINT>> profiles);
// A document that goes away takes its profiles along, so a later document at the same address
// starts without them.
void forgetProfiles(const CKvw32Doc* document);
}  // namespace platform::kernel

namespace Korvo::UI {
struct Theme;
}

// The kernel's product-structure editor, hosted by a pane window of editions that have one.
class ProductStructEditorProxy {
public:
    static ProductStructEditorProxy& Instance();
    void Attach(HWND window);
    void Detach();
    void Resize(int width, int height);
    void SetTheme(const Korvo::UI::Theme& theme);
    void Refresh();
    void OnDocumentClosed(CKvw32Doc* document);
};
