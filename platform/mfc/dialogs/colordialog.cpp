#include "platform/mfc/dialogs/colordialog.h"

#include "platform/core/journal.h"
#include "platform/core/useragent.h"

namespace {

// 0 to 255 each, three of them, comma-separated.
std::optional<COLORREF> parseTriple(const std::wstring& text) {
    int parts[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= L'0' && text[end] <= L'9' && end - at < 4) ++end;
        if (end == at) return std::nullopt;
        parts[i] = std::stoi(text.substr(at, end - at));
        if (parts[i] > 255) return std::nullopt;
        at = end;
        if (i < 2) {
            if (at >= text.size() || text[at] != L',') return std::nullopt;
            ++at;
        }
    }
    if (at != text.size()) return std::nullopt;
    return RGB(static_cast<BYTE>(parts[0]), static_cast<BYTE>(parts[1]), static_cast<BYTE>(parts[2]));
}

}  // namespace

std::wstring ColourTriple(COLORREF colour) {
    return std::to_wstring(GetRValue(colour)) + L"," + std::to_wstring(GetGValue(colour)) + L"," +
           std::to_wstring(GetBValue(colour));
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) {
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags;
    m_cc.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
}

INT_PTR CColorDialog::DoModal() {
    platform::core::KernelDialogRequest request;
    request.kind = L"colour";
    request.current = (m_cc.Flags & CC_RGBINIT) ? ColourTriple(m_cc.rgbResult) : L"0,0,0";
    request.anyText = true;
    const auto answer = platform::core::userAgent().answerKernelDialog(request);
    if (!answer) return IDCANCEL;
    const auto colour = parseTriple(*answer);
    if (!colour) {
        platform::core::reportFailure(L"CColorDialog: " + *answer + L" is no colour R,G,B");
        return IDCANCEL;
    }
    m_cc.rgbResult = *colour;
    // The user adds the chosen colour to the custom colours before OK (unless they hold it).
    if (m_cc.lpCustColors) {
        bool known = false;
        for (int i = 0; i < 16; ++i) known = known || m_cc.lpCustColors[i] == *colour;
        for (int i = 0; i < 16 && !known; ++i)
            if (m_cc.lpCustColors[i] == 0) {
                m_cc.lpCustColors[i] = *colour;
                known = true;
            }
    }
    return IDOK;
}
