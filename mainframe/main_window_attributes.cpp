#include "mainframe/main_window_attributes.h"

#include <utility>

#include "platform/korvoui.h"

namespace {

const std::pair<UINT, const wchar_t*> kPdmWindowNames[] = {
    {1, L"files"},         {2, L"assembly"}, {4, L"desktop"},                {8, L"nomenclature"},
    {16, L"search"},       {32, L"mail"},    {64, L"configurationSettings"}, {128, L"libraryElements"},
};

const std::pair<DWORD, const wchar_t*> kOptionalViewTypes[] = {
    {kViewTypeCam, L"cam"}, {kViewTypeFea, L"fea"}, {kViewTypeOptix, L"optix"}};

void AppendToken(CString& text, const wchar_t* token, bool negated = false) {
    if (!text.IsEmpty()) text += L",";
    if (negated) text += L"!";
    text += token;
}

}  // namespace

CString ViewTypesText(DWORD flags) {
    if ((flags & kViewTypesAll) == kViewTypesAll) return CString();
    CString text;
    const DWORD cad = flags & kViewTypesCad;
    if (cad == kViewTypesCad) {
        AppendToken(text, L"cad");
    } else if (cad == 0) {
        AppendToken(text, L"cad", true);
    } else {
        const bool solid = (flags & kViewType3d) != 0, camera = (flags & kViewTypeCamera) != 0;
        if (solid && camera) AppendToken(text, L"3d");
        else if (camera) AppendToken(text, L"camera");
        else if (solid) AppendToken(text, L"camera", true);
        else AppendToken(text, L"3d", true);
        AppendToken(text, L"2d", (flags & kViewType2d) == 0);
        AppendToken(text, L"workplane", (flags & kViewTypeWorkplane) == 0);
    }
    for (const auto& [bit, name] : kOptionalViewTypes)
        if (flags & bit) AppendToken(text, name);
    return text;
}

DWORD ParseViewTypes(const CString& text) {
    DWORD bits = 0;
    for (const auto& item : Korvo::UI::XML::ParseValueSet(text)) {
        const CString& name = item.name;
        const bool on = item.included;
        if (name == L"cad") bits |= on ? kViewTypesCad : 0;
        else if (name == L"3d") bits |= on ? (kViewType3d | kViewTypeCamera) : 0;
        else if (name == L"camera") bits |= on ? kViewTypeCamera : kViewType3d;
        else if (name == L"2d") bits |= on ? kViewType2d : 0;
        else if (name == L"workplane") bits |= on ? kViewTypeWorkplane : 0;
        for (const auto& [bit, token] : kOptionalViewTypes)
            if (name == token && on) bits |= bit;
    }
    return bits;
}

CString PdmWindowsText(UINT bits) {
    CString text;
    for (const auto& [bit, name] : kPdmWindowNames)
        if (bits & bit) AppendToken(text, name);
    return text;
}

UINT ParsePdmWindows(const CString& text) {
    const auto items = Korvo::UI::XML::ParseValueSet(text);
    UINT bits = !items.empty() && !items.front().included ? kAllPdmWindows : 0;
    for (const auto& item : items) {
        UINT named = item.name == L"all" ? kAllPdmWindows : 0;
        for (const auto& [bit, name] : kPdmWindowNames)
            if (item.name == name) named = bit;
        bits = item.included ? (bits | named) : (bits & ~named);
    }
    return bits;
}

CString AnalysisModeText(UINT mode) {
    if (mode == 1) return L"fea";
    if (mode == 2) return L"dynamics";
    return CString();
}
