// The UI library's popup tool bar: the small bar of commands for the current selection that
// appears over a document's view.
#pragma once

#include <functional>
#include <vector>

#include "platform/mfc.h"

namespace Korvo::UI {

class PopupToolBar {
public:
    // What a set of buttons is chosen by: a view type (1 to 5; 0 for object sets), an object
    // type (0: any) and subtype (-1: any), and flags (0x1 add-base, 0x2 several objects, 0x4 the
    // customisation page changed the set).
    struct SetKey {
        UINT viewType = 0;
        UINT objectType = 0;
        int objectSubtype = -1;
        UINT flags = 0;
        // The same set: flags other than "several objects" do not tell sets apart.
        bool SameSet(const SetKey& other) const {
            return viewType == other.viewType && objectType == other.objectType && objectSubtype == other.objectSubtype &&
                   (flags & 0x2) == (other.flags & 0x2);
        }
    };
    struct Button {
        UINT id = 0;
        BYTE flag = 0;  // show in the panel
    };
    struct ButtonSet {
        SetKey key;
        std::vector<Button> buttons;
    };

    // Shows the bar over `view`, moved by `offset` from where the library puts it.
    static void ShowPopupToolBar(CView* view, POINT offset);
    static void HidePopupToolBar();
    // The view the bar shows over, or null while hidden.
    static CView* GetShownView();
};

// The one editor of the popup tool bar's button sets. Sets live for the life of the process.
class PopupToolBarEditor {
public:
    using SetKey = PopupToolBar::SetKey;
    static PopupToolBarEditor& instance();
    // Puts another editor in the library's place (null: the library's own again); the one before.
    static PopupToolBarEditor* Replace(PopupToolBarEditor* editor);
    virtual ~PopupToolBarEditor() = default;

    virtual void ForEachSet(const std::function<void(const PopupToolBar::ButtonSet&)>& visit) const;
    // False when there is no such set.
    virtual bool ChangeFlags(UINT viewType, UINT objectType, int objectSubtype, UINT flags, UINT newFlags);
    virtual void RemoveSet(const SetKey& key);
    // Puts the button at `position` (-1: at the end; a button already in the set moves there, at
    // -1 it keeps its place); a set the editor does not know yet is made with the key. The index
    // the button got, negative on failure (no command id, a position past the end).
    virtual int InsertButton(const SetKey& key, const PopupToolBar::Button& button, int position);
    virtual void RemoveButton(const SetKey& key, UINT id);

    // Forgets every set (a new session).
    void Clear() { sets_.clear(); }

private:
    std::vector<PopupToolBar::ButtonSet>::iterator find(const SetKey& key);
    std::vector<PopupToolBar::ButtonSet> sets_;
};

}  // namespace Korvo::UI
