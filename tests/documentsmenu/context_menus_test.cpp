// What each kind of row puts into a context menu: document rows their document actions (PDM ones
// the update instead of copying the path, while the PDM system is connected), libraries only
// while their folder exists, several selected rows only what applies to all of them.
#include "tests/documentsmenu/structure_test_support.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/records/document_record.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class ContextMenusTest : public StructureTest {
protected:
    // The items' caption keys (the stand-in translates a key to itself when it has no text) with
    // "|" before an item that starts a group.
    std::wstring items(const std::function<void(CXTPPopupBar*)>& build) {
        CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(nullptr);
        build(popup);
        std::wstring out;
        for (int i = 0; i < popup->GetControls()->GetCount(); ++i) {
            CXTPControl* item = popup->GetControls()->GetAt(i);
            out += std::wstring(item->GetBeginGroup() ? L"|" : L"") + std::wstring(item->GetCaption().view()) + L" ";
        }
        popup->InternalRelease();
        return out;
    }
    std::wstring single(const std::wstring& caption) {
        Record* row = record(caption);
        return row ? items([&](CXTPPopupBar* popup) { row->AddMenuItems(popup); }) : L"(no row)";
    }
    std::wstring multi(const std::vector<std::wstring>& captions) {
        std::vector<Record*> rows;
        for (const auto& caption : captions) rows.push_back(record(caption));
        return items([&](CXTPPopupBar* popup) { rows.front()->AddMultiSelectionMenuItems(popup, rows); });
    }
    static std::wstring keys(std::wstring text) {
        for (std::size_t at; (at = text.find(L"docs_menu.ctx_menu.")) != std::wstring::npos;) text.erase(at, 19);
        return text;
    }
};

TEST_F(ContextMenusTest, EachRowKindOffersItsActions) {
    model.addLibrary(standard, L"M6", L"M6");
    writeFile(kLibraries + L"M6\\bolt.grb");
    writeFile(kLibraries + L"M6\\nut.grb");
    ILibrary* gone = model.addLibrary(standard, L"Gone", L"Gone");
    IConfiguration* pdm = CreateConfiguration(L"Vault", true);
    ASSERT_TRUE(pdm->SaveAs((kLibraries + L"Vault.tws").c_str()));
    ASSERT_TRUE(GlobalCfgGroup()->AddConfiguration(pdm));
    model.addLibrary(pdm, L"Flanges", L"Flanges");
    writeFile(kLibraries + L"Flanges\\flange.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    expand(L"Vault");
    expand(L"Flanges");
    ASSERT_TRUE(RemoveDirectoryW(GetLibraryAbsolutePath(gone)));
    writeFile(kLibraries + L"Gone");  // a file where the folder was is no folder either

    EXPECT_EQ(keys(single(L"Standard")), L"active_configuration |open_in_explorer open_window |close ");
    EXPECT_EQ(keys(single(L"M6")), L"open_in_explorer open_window create_toolbar ");
    EXPECT_EQ(keys(single(L"Gone")), L"") << "a missing folder offers nothing";
    EXPECT_EQ(keys(single(L"bolt.grb")),
              L"open_in_explorer copy_full_path |open insert_as_fragment insert_as_picture properties ");
    EXPECT_EQ(keys(single(L"Vault")), L"|active_configuration |open_in_explorer |close ");
    EXPECT_EQ(keys(single(L"flange.grb")), L"open_in_explorer |open insert_as_fragment insert_as_picture properties ");
    EXPECT_EQ(keys(multi({L"bolt.grb", L"nut.grb"})), L"") << "plain documents offer nothing together";
    EXPECT_EQ(keys(multi({L"Standard", L"M6"})), L"") << "not every row is a configuration";
    // PDM rows offer their update only while the PDM system is connected.
    EXPECT_EQ(keys(single(L"Flanges")), L"open_in_explorer open_window create_toolbar ");
    EXPECT_EQ(keys(multi({L"Flanges"})), L"");
    EXPECT_EQ(keys(multi({L"Vault"})), L"close ");

    KVPDMWorkMix::SetActive(true);
    EXPECT_EQ(keys(single(L"Vault")), L"|active_configuration |open_in_explorer |update |close ");
    EXPECT_EQ(keys(single(L"Flanges")), L"open_in_explorer open_window create_toolbar |update ");
    EXPECT_EQ(keys(single(L"flange.grb")),
              L"open_in_explorer |open insert_as_fragment insert_as_picture properties |update ");
    EXPECT_EQ(keys(multi({L"flange.grb"})), L"update ");
    EXPECT_EQ(keys(multi({L"Vault", L"Standard"})), L"close update ");
    KVPDMWorkMix::SetActive(false);
}

TEST_F(ContextMenusTest, ConfigurationItemsActOnTheirConfigurations) {
    IConfiguration* other = model.addConfiguration(kLibraries + L"Other.tws", L"Other");
    open();
    ConfigurationMenuItems::Active active(other);
    active.Execute();
    EXPECT_TRUE(other->IsActive());
    // Several configurations close together.
    ConfigurationMenuItems::Close close(std::vector<IConfiguration*>{standard, other});
    close.Execute();
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 0);
    EXPECT_EQ(rows(), L"");
}

}  // namespace
}  // namespace documentsmenutest
