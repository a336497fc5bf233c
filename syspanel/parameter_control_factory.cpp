#include "syspanel/parameter_control_factory.h"

#include "syspanel/parameter_controls.h"

namespace {
// The font-size edit's value lists.
constexpr int kFontSizeSettingsKey1 = 1016;
constexpr int kFontSizeSettingsKey2 = 1023;
// The one icon a frame's bars may show beside the panel's parameters.
constexpr int kStaticImageIcon = 218;
}  // namespace

namespace {

CXTPControl* makeParameterControl(int id, CXTPCommandBars* commandBars) {
    switch (id) {
        case 904: return new CColorPopupControl();
        case 905: return new CMaterialPopup(true);
        case 907: return new CSyspanelEdit("Level", 2, -1.0);
        case 909: return new CSyspanelEdit("Priority", 2, -1.0);
        case 910: return new CStaticImageControl(kStaticImageIcon);
        case 911: return new CLayerPopupControl();
        case 912: return new LCSPopupControl();
        case 914: return new CFontComboBox();
        case 915: return new CSyspanelEdit("FontSize", 9, -1.0, kFontSizeSettingsKey1, kFontSizeSettingsKey2);
        case 918: return new CMaterialPopup(false);
        case 2041: return new OptixCameraPopup(commandBars);
        case 2042: return new OptixQualityPopup(commandBars);
        default: return nullptr;
    }
}

}  // namespace

CXTPControl* CreateParameterControl(int id, CXTPCommandBars* commandBars) {
    CXTPControl* control = makeParameterControl(id, commandBars);
    // The kernel sets their state: the idle update leaves them alone.
    if (control) control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
    return control;
}
