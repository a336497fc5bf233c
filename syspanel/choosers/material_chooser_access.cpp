#include "syspanel/choosers/material_chooser_access.h"

void MaterialChooserAccess::Shown(HWND frame, KVMaterialChooser* chooser) {
    m_frame = frame;
    m_chooser = chooser;
    if (chooser) MarkOpen();
    else MarkClosed();
}

void MaterialChooserAccess::Hidden() {
    m_chooser = nullptr;
    MarkClosed();
}

std::optional<std::wstring> MaterialChooserAccess::Pick(const std::wstring& item) {
    KVMaterialChooser* chooser = m_chooser;
    if (!chooser || !chooser->Choose(CString(item.c_str()))) return L"the material chooser lists no \"" + item + L"\"";
    return std::nullopt;
}

void MaterialChooserAccess::Deactivate() {
    if (m_chooser) m_chooser->Hide();
    Hidden();
}
