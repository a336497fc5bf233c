// The 3D part's material chooser as the user reaches it while a material control shows it: a
// pick clicks a material of its library, a click elsewhere hides it.
#pragma once

#include "platform/kernel/services/materials.h"
#include "syspanel/choosers/panel_chooser.h"

class MaterialChooserAccess : public PanelChooser {
public:
    // The chooser now shown in main frame `frame` (null: none shown).
    void Shown(HWND frame, KVMaterialChooser* chooser);
    void Hidden();

    HWND GetFrameWindow() const override { return m_frame; }
    std::optional<std::wstring> Pick(const std::wstring& item) override;
    void Deactivate() override;

private:
    HWND m_frame = nullptr;
    KVMaterialChooser* m_chooser = nullptr;
};
