// The PDM popup of the ribbon's caption row: connect, disconnect and the PDM settings.
#pragma once

#include "platform/korvoui.h"

class VarnelPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(VarnelPopup)
public:
    static constexpr int kId = 65536;
    static constexpr int kConnectCommand = 2074;
    static constexpr int kDisconnectCommand = 2075;
    static constexpr int kSettingsCommand = 1203;
    static constexpr UINT kIcon = 610;

    VarnelPopup();
    // Sets up the popup's image and items for the ribbon's command bars.
    void Build(CXTPCommandBars* bars);
    // On a ribbon drawn into a composited frame caption the popup draws its icon and caption
    // itself, readable on the frame's glass; anywhere else as the toolkit draws it.
    void Draw(CDC* dc, RECT rect) override;
};
