// The ribbon page's layout files: the whole ribbon or one tab written as XML, and such a file
// read back into the live ribbon.
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "platform/textcore.h"

namespace {

constexpr const wchar_t* kMessageTitle = L"panels.ribbon.import_export.message_title";

}  // namespace

CString RibbonPropertyPage::ChooseFile(bool open) {
    const DWORD flags = OFN_EXPLORER | OFN_ENABLESIZING | (open ? 0 : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    const CString filter = Korvo::I18n::Translate(L"panels.ribbon.import_export.filter");
    CFileDialog chooser(open ? TRUE : FALSE, L"xml", nullptr, flags, filter.GetString(), this);
    return chooser.DoModal() == IDOK ? chooser.GetPathName() : CString();
}

void RibbonPropertyPage::ShowMessage(const wchar_t* textKey) {
    ::MessageBoxW(m_hWnd, Korvo::I18n::Translate(textKey).GetString(), Korvo::I18n::Translate(kMessageTitle).GetString(),
                  MB_OK | MB_ICONEXCLAMATION);
}

void RibbonPropertyPage::Export(CXTPRibbonTab* tab) {
    if (!ribbon_) return;
    const CString path = ChooseFile(false);
    if (path.IsEmpty()) return;
    using namespace Korvo::UI::XML;
    Element root(tab ? TagNames::RibbonTab : TagNames::RibbonBar);
    ApplicationParameters parameters;
    parameters.controlName = frame_.controlName;
    parameters.writeAttributes = frame_.writeAttributes;
    if (tab) SaveRibbonTab(*tab, root, parameters, 0);
    else SaveRibbonBar(*ribbon_, root, parameters, 0);
    if (!root.saveFile(path.GetString()))
        ShowMessage(tab ? L"panels.ribbon.import_export.errors.export_tab" : L"panels.ribbon.import_export.errors.export");
}

void RibbonPropertyPage::Import() {
    if (!ribbon_) return;
    const CString path = ChooseFile(true);
    if (path.IsEmpty()) return;
    using namespace Korvo::UI::XML;
    const std::shared_ptr<Element> root = Element::loadFile(path.GetString());
    if (!root) {
        ShowMessage(L"panels.ribbon.import_export.errors.load_xml");
        return;
    }
    const ApplicationParameters parameters = frame_.ribbonParameters ? frame_.ribbonParameters() : ApplicationParameters{};
    // The root's name decides, exactly as written: "ribbonbar" is no ribbon.
    if (root->name() == TagNames::RibbonBar) {
        RibbonBar model;
        if (model.load(*root, Korvo::VersionNumber::Null)) model.apply(*ribbon_, parameters);
    } else if (root->name() == TagNames::RibbonTab) {
        RibbonTab model;
        if (model.load(*root, Korvo::VersionNumber::Null)) {
            // A tab read from a file is a new tab: it never takes the identity it was written with.
            if (parameters.storeOriginal) model.guid = GUID{};
            model.applyTo(*ribbon_, parameters, -1);
        }
    } else {
        ShowMessage(L"panels.ribbon.import_export.errors.xml_root_element");
        return;
    }
    FillBarTree();
    if (frame_.layoutApplied) frame_.layoutApplied();
}
