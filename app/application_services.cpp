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

int CKvw32App::BrowseText(int index, LPCWSTR text, bool edit) {
    // The dictionary browser finds its file through this setting; it must always name one.
    CString dictionary = GetProfileString(kTemplateExplorerSection, kLastOpenFileName, L"");
    if (dictionary.IsEmpty()) dictionary = KVAppendProgramPath(L"KVDict.xml");
    WriteProfileString(kTemplateExplorerSection, kLastOpenFileName, dictionary);
    return m_textBrowsers.Browse(index, text, edit);
}

int CKvw32App::BrowseTextByKey(UINT key, UINT modifiers, bool edit) {
    const int index = m_textBrowsers.FindByKey(key, modifiers);
    if (index < 0) return index;
    return BrowseText(index, nullptr, edit);
}

void CKvw32App::GetTextBrowserMenuTexts(CStringArray& texts) const {
    // No PDM work mix connects yet, so PDM browsers are not offered.
    m_textBrowsers.GetMenuTexts(texts, false);
}

void CKvw32App::SetTextBrowsersEdit(bool edit) { m_textBrowsers.SetEdit(edit); }

void CKvw32App::InitializeTextBrowserProfileItems() { m_textBrowsers.InitializeProfileItems(); }

bool ImageManagerHasVectorIcons(const CXTPImageManagerIconSet* iconSet) {
    if (!iconSet) return false;
    for (const auto& [width, icon] : iconSet->GetIcons())
        if (icon->IsVectorIcon()) return true;
    return false;
}
