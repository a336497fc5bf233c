// The profile popup (command 1118): the profiles of the active 3D document, each a button with
// a square of its colour; an empty label when there is no such document or it has no profiles.
#pragma once

#include <map>
#include <optional>

#include "mainframe/popups/profile_icon.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

// A profile of the popup. Choosing it applies the profile to the active view's document.
class ProfileButton : public CXTPControlButton {
public:
    // The toolkit asks a button with this icon id for its image.
    static constexpr int kOwnImageIconId = xtpIconIdOwnImage;

    ProfileButton(const CString& caption, UINT colourIndex);
    ~ProfileButton() override;
    UINT GetColourIndex() const { return m_colourIndex; }
    // The button's picture at `size` pixels: built once per size; null without a colour.
    const ProfileIconImage* GetPicture(int size) { return m_icons.Get(size); }
    int GetImageBuildCount() const { return m_icons.GetBuildCount(); }
    // The picture as the toolkit's icon, which the toolkit asks for (the button's icon id says so).
    CXTPImageManagerIcon* GetImage(int width) override;
    void OnExecute() override;

private:
    UINT m_colourIndex;
    ProfileIconCache m_icons;
    std::map<int, CXTPImageManagerIcon*> m_toolkitIcons;  // one reference each
};

class ProfilePopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(ProfilePopup)
public:
    static constexpr UINT kCommand = 1118;

    ProfilePopup();
    ~ProfilePopup() override;
    // Gives the control its popup bar in `bars`.
    void Build(CXTPCommandBars* bars);
    void OnSetPopup(BOOL popup) override;

private:
    CXTPControlLabel* m_emptyLabel;  // one reference, shown whenever there is nothing to list
};
