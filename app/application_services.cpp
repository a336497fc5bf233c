// Small services the kernel reaches through its callback object: painting of all documents and
// the external text browsers.
#include "app/kvw32_app.h"

namespace {

constexpr const wchar_t* kTemplateExplorerSection = L"TemplatExplorer";
constexpr const wchar_t* kLastOpenFileName = L"LastOpenFileName";

}  // namespace

void CKvw32App::BlockPaintAllDocuments(bool block) {
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) document->BlockPaint(block);
}

void CKvw32App::RepaintAllDocuments() {
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (!document->GetRepaintFlag()) continue;
        document->MarkForRepaint();
        document->UpdateAllViews(nullptr);
    }
}

bool CKvw32App::BrowseText(int index, void* argument, LPCWSTR text) {
    // The dictionary browser finds its file through this setting; it must always name one.
    CString dictionary = GetProfileString(kTemplateExplorerSection, kLastOpenFileName, L"");
    if (dictionary.IsEmpty()) dictionary = KVAppendProgramPath(L"KVDict.xml");
    WriteProfileString(kTemplateExplorerSection, kLastOpenFileName, dictionary);
    return m_textBrowsers.Browse(index, argument, text);
}

bool CKvw32App::BrowseTextByKey(UINT key, UINT /*modifiers*/, void* argument, LPCWSTR text) {
    // The hot key compares Shift and Control as they are now, not as the kernel reports them.
    const int index = m_textBrowsers.FindByKey(key);
    if (index < 0) return false;
    return BrowseText(index, argument, text);
}

void CKvw32App::GetTextBrowserMenuTexts(CStringArray& texts) const { m_textBrowsers.GetMenuTexts(texts); }

void CKvw32App::SetTextBrowsersEdit(void* edit) { m_textBrowsers.SetEdit(edit); }

void CKvw32App::InitializeTextBrowserProfileItems() { m_textBrowsers.InitializeProfileItems(); }

bool ImageManagerHasVectorIcons(const CXTPImageManagerIconSet* iconSet) {
    if (!iconSet) return false;
    for (const auto& [width, icon] : iconSet->GetIcons())
        if (icon->IsVectorIcon()) return true;
    return false;
}
