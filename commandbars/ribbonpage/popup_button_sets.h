// The popup tool bar's button sets as the ribbon page shows them: their captions, the sets a
// user may add, the tree of sets, and the dialog that picks a new set.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "platform/korvoui.h"

namespace ribbon_page {

using SetKey = Korvo::UI::PopupToolBar::SetKey;
inline constexpr UINT kAddBaseFlag = 0x1, kSeveralObjectsFlag = 0x2, kChangedByPageFlag = 0x4;

// A view set's caption by its view type (empty for one no user can meet), an object set's by
// its object type and subtype, "several objects" marked.
CString ButtonSetCaption(const SetKey& key);
// A command's caption: the UI module's, else its numbered string without accelerator marks (the
// part after the first line break), else what `popupCaption` (the frame's popup tool bar) says.
CString ButtonCaption(UINT id, const std::function<CString(UINT)>& popupCaption);

struct SetCandidate {
    SetKey key;
    CString caption;
};
// Every set a user may add, captioned, ordered by caption; those without caption left out.
std::vector<SetCandidate> ButtonSetCandidates();

// Fills the bar tree with the editor's sets, ordered by caption, each with its buttons.
struct MainFrameTreeBuilder {
    std::function<CString(UINT)> popupCaption;
    void Build(CXTPCoreTreeControl& tree) const;
};

// The modal dialog in which a user picks the set to add; the candidate chosen, nothing when
// cancelled. `addSelect` appends the dialog's select control to its content.
class PopupToolBarButtonSetDialog {
public:
    using AddSelect = std::function<kvpf::BaseControl*(kvpf::ContainerControl&, const wchar_t*)>;
    PopupToolBarButtonSetDialog(CWnd* parent, AddSelect addSelect);
    std::optional<SetCandidate> Run();

private:
    CWnd* parent_;
    AddSelect addSelect_;
};

}  // namespace ribbon_page
