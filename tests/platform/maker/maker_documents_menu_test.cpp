#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/textcore.h"
#include "platform/win32/files/file.h"

namespace {

using namespace DocumentsMenu;

const std::wstring kUser = L"C:\\Users\\user\\";

// Records every notification of one group and library as "<call> <name>".
class Recorder : public IConfiguration::IClient, public ILibrary::IClient {
public:
    std::vector<std::wstring> calls;
    std::function<void()> onNextCall;

    void LibraryAdded(ILibrariesGroup* group, ILibrary* library) override {
        note(L"LibraryAdded " + name(group) + L" " + std::wstring(library->GetName().view()));
    }
    void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) override {
        note(L"GroupAdded " + name(group) + L" " + name(added));
    }
    void GroupNameChanged(ILibrariesGroup* group) override { note(L"GroupNameChanged " + name(group)); }
    void GroupRemoved(ILibrariesGroup* group) override { note(L"GroupRemoved " + name(group)); }
    void GroupDestroyed(ILibrariesGroup*) override { note(L"GroupDestroyed"); }
    void LibrariesChanged(ILibrariesGroup* group) override { note(L"LibrariesChanged " + name(group)); }
    void GroupsChanged(ILibrariesGroup* group) override { note(L"GroupsChanged " + name(group)); }
    void ActiveChanged(IConfiguration* configuration) override {
        note(L"ActiveChanged " + name(configuration) + (configuration->IsActive() ? L" on" : L" off"));
    }
    void PathChanged(IConfiguration* configuration) override { note(L"PathChanged " + name(configuration)); }
    void Reloaded(IConfiguration* configuration) override { note(L"Reloaded " + name(configuration)); }
    void ReloadedFromVarnel(IConfiguration* configuration) override {
        note(L"ReloadedFromVarnel " + name(configuration));
    }
    void LibraryPathChanged(ILibrary* library) override {
        note(L"LibraryPathChanged " + std::wstring(library->GetPath().view()));
    }
    void LibraryNameChanged(ILibrary* library) override {
        note(L"LibraryNameChanged " + std::wstring(library->GetName().view()));
    }
    void LibraryRemoved(ILibrary*) override { note(L"LibraryRemoved"); }
    void LibraryDestroyed(ILibrary*) override { note(L"LibraryDestroyed"); }
    void LibraryContentsChanged(ILibrary*) override { note(L"LibraryContentsChanged"); }

private:
    static std::wstring name(ILibrariesGroup* group) { return std::wstring(group->GetName().view()); }
    void note(std::wstring call) {
        calls.push_back(std::move(call));
        if (auto next = std::exchange(onNextCall, nullptr)) next();
    }
};

class DocumentsMenuModelTest : public ::testing::Test {
protected:
    platform::harness::Session session;
    platform::harness::DocumentsMenuModel& model = session.kernel().documentsMenu();
    IConfiguration* standard = model.addConfiguration(kUser + L"Libraries\\Standard.tws", L"Standard");
};

TEST_F(DocumentsMenuModelTest, ChangesNotifyAtOnceAndGroupsCannotHoldThemselves) {
    ASSERT_NE(standard, nullptr);
    Recorder recorder;
    standard->AddClient(&recorder);
    ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    ILibrariesGroup* metric = model.addGroup(bolts, L"Metric");
    ASSERT_NE(metric, nullptr);
    EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"GroupAdded Standard Bolts"}));
    // Cycles, a group where it is already and configurations as sub-groups are refused.
    EXPECT_FALSE(metric->AddLibrariesGroup(bolts));
    EXPECT_FALSE(metric->AddLibrariesGroup(metric));
    EXPECT_FALSE(bolts->AddLibrariesGroup(metric));
    IConfiguration* other = CreateConfiguration(L"Other", false);
    EXPECT_FALSE(metric->AddLibrariesGroup(other));
    other->Destroy();
    EXPECT_EQ(metric->GetParent(), bolts);
    EXPECT_EQ(bolts->GetGroupCount(), 1);
    // One place only: added to another group, the group moves there with what it holds.
    Recorder old;
    bolts->AddClient(&old);
    EXPECT_TRUE(standard->AddLibrariesGroup(metric));
    EXPECT_EQ(metric->GetParent(), standard);
    EXPECT_EQ(bolts->GetGroupCount(), 0);
    EXPECT_EQ(standard->GetGroupCount(), 2);
    EXPECT_EQ(old.calls, (std::vector<std::wstring>{L"GroupsChanged Bolts"}));
    EXPECT_EQ(recorder.calls.back(), L"GroupAdded Standard Metric");
    bolts->RemoveClient(&old);
    EXPECT_TRUE(bolts->AddLibrariesGroup(metric));

    ILibrary* m6 = model.addLibrary(standard, L"M6", L"Parts\\M6");
    EXPECT_EQ(recorder.calls.back(), L"LibraryAdded Standard M6");
    // One place only: added to another group, the library moves there.
    EXPECT_TRUE(bolts->AddLibrary(m6));
    EXPECT_EQ(m6->GetParent(), bolts);
    EXPECT_EQ(standard->GetLibraryCount(), 0);
    EXPECT_EQ(recorder.calls.back(), L"LibrariesChanged Standard");
    EXPECT_FALSE(bolts->AddLibrary(m6));
    EXPECT_FALSE(standard->SetName(L""));
    EXPECT_TRUE(standard->SetName(L"Standard 2"));
    EXPECT_EQ(recorder.calls.back(), L"GroupNameChanged Standard 2");
    standard->RemoveClient(&recorder);
}

TEST_F(DocumentsMenuModelTest, ClientsMayRemoveThemselvesOrDestroyTheObjectWhileNotified) {
    Recorder first, second, third;
    standard->AddClient(&first);
    standard->AddClient(&second);
    standard->AddClient(&third);
    // The first removes the second; the second is not called for this change any more.
    first.onNextCall = [&] {
        standard->RemoveClient(&second);
        standard->RemoveClient(&first);
    };
    model.addGroup(standard, L"Bolts");
    EXPECT_EQ(first.calls.size(), 1u);
    EXPECT_TRUE(second.calls.empty());
    EXPECT_EQ(third.calls.size(), 1u);

    // A client destroying the object while told its name changed: the rest hear it go away,
    // nobody is called on the freed object.
    ILibrariesGroup* bolts = model.group(L"Bolts");
    Recorder watcher, destroyer;
    bolts->AddClient(&destroyer);
    bolts->AddClient(&watcher);
    destroyer.onNextCall = [&] { bolts->Destroy(); };
    bolts->SetName(L"Screws");
    EXPECT_EQ(destroyer.calls,
              (std::vector<std::wstring>{L"GroupNameChanged Screws", L"GroupRemoved Screws", L"GroupDestroyed"}));
    EXPECT_EQ(watcher.calls, (std::vector<std::wstring>{L"GroupRemoved Screws", L"GroupDestroyed"}));
    EXPECT_EQ(standard->GetGroupCount(), 0);
    standard->RemoveClient(&third);
}

TEST_F(DocumentsMenuModelTest, LookupsFindLiveObjectsOnly) {
    ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    ILibrary* m6 = model.addLibrary(bolts, L"M6", L"Parts\\M6");
    const GUID groupId = bolts->GetId();
    const GUID libraryId = m6->GetId();
    EXPECT_EQ(FindLibrary(libraryId), m6);
    EXPECT_EQ(FindLibrariesGroup(groupId), bolts);
    EXPECT_EQ(FindLibraryByName(GlobalCfgGroup(), L"m6"), m6);
    EXPECT_EQ(FindLibraryByName(standard, L"M6", false), nullptr);
    EXPECT_EQ(FindLibraryByName(standard, L"M6", true), m6);
    EXPECT_EQ(GetConfiguration(m6), standard);
    EXPECT_EQ(FindConfigurationByPath((kUser + L"LIBRARIES\\standard.tws").c_str()), standard);

    Recorder recorder;
    m6->AddClient(&recorder);
    bolts->Destroy();
    EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"LibraryDestroyed"}));
    EXPECT_EQ(FindLibrary(libraryId), nullptr);
    EXPECT_EQ(FindLibrariesGroup(groupId), nullptr);
    EXPECT_EQ(FindLibraryByName(GlobalCfgGroup(), L"M6"), nullptr);

    Recorder global;
    standard->AddClient(&global);
    standard->SetActive(true);
    EXPECT_EQ(FindActiveCfg(), standard);
    IConfiguration* second = model.addConfiguration(kUser + L"Libraries\\Second.tws", L"Second");
    second->AddClient(&global);
    second->SetActive(true);
    EXPECT_EQ(global.calls, (std::vector<std::wstring>{L"ActiveChanged Standard on", L"ActiveChanged Standard off",
                                                       L"ActiveChanged Second on"}));
    CloseAllConfigurations(GlobalCfgGroup());
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 0);
    EXPECT_EQ(FindActiveCfg(), nullptr);
    EXPECT_EQ(FindConfigurationByPath((kUser + L"Libraries\\Standard.tws").c_str()), nullptr);
}

TEST_F(DocumentsMenuModelTest, RelativeLibraryPathsResolveAgainstTheConfigurationFolder) {
    ILibrary* m6 = model.addLibrary(standard, L"", L"Parts\\M6");
    EXPECT_EQ(m6->GetPath(), L"Parts\\M6");
    EXPECT_EQ(GetLibraryAbsolutePath(m6), kUser + L"Libraries\\Parts\\M6\\");
    EXPECT_EQ(m6->GetDisplayName(), L"M6");
    EXPECT_EQ(GetLibraryRelativePath(m6), L"Parts\\M6");
    EXPECT_EQ(BuildLibraryItemPath(m6, L"a.grb"), kUser + L"Libraries\\Parts\\M6\\a.grb");
    EXPECT_EQ(GetLibraryForFullPath((kUser + L"libraries\\parts\\m6\\b.grb").c_str()), m6);

    Recorder recorder;
    m6->AddClient(&recorder);
    EXPECT_FALSE(m6->SetPath(L"Parts\\Missing"));  // no such folder
    EXPECT_FALSE(m6->SetPath(L""));
    platform::files::createDirectories(L"D:\\Shared\\Nuts");
    EXPECT_TRUE(m6->SetPath(L"D:\\Shared\\Nuts"));
    EXPECT_EQ(GetLibraryRelativePath(m6), L"D:\\Shared\\Nuts");  // not below the configuration
    EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"LibraryPathChanged D:\\Shared\\Nuts"}));
    m6->RemoveClient(&recorder);
}

TEST_F(DocumentsMenuModelTest, AMovedLibraryKeepsItsFolderWhateverConfigurationItMovesTo) {
    ILibrary* m6 = model.addLibrary(standard, L"M6", L"Parts\\M6");
    ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    ILibrary* m8 = model.addLibrary(bolts, L"M8", L"Parts\\M8");
    const std::wstring m6Folder = kUser + L"Libraries\\Parts\\M6\\";
    const std::wstring m8Folder = kUser + L"Libraries\\Parts\\M8\\";
    // Within one configuration a relative path stays as it is.
    ASSERT_TRUE(bolts->AddLibrary(m6));
    EXPECT_EQ(m6->GetPath(), L"Parts\\M6");
    ASSERT_TRUE(standard->AddLibrary(m6));

    // Into a configuration whose folder holds it: relative to that folder; its own folder is ".".
    IConfiguration* above = model.addConfiguration(kUser + L"Above.tws", L"Above");
    Recorder recorder;
    m6->AddClient(&recorder);
    ASSERT_TRUE(above->AddLibrary(m6));
    EXPECT_EQ(m6->GetPath(), L"Libraries\\Parts\\M6");
    EXPECT_EQ(GetLibraryAbsolutePath(m6), m6Folder);
    EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"LibraryPathChanged Libraries\\Parts\\M6"}))
        << "the row shows the new path";
    m6->RemoveClient(&recorder);
    IConfiguration* own = model.addConfiguration(kUser + L"Libraries\\Parts\\M6\\Own.tws", L"Own");
    ASSERT_TRUE(own->AddLibrary(m6));
    EXPECT_EQ(m6->GetPath(), L".");
    EXPECT_EQ(GetLibraryAbsolutePath(m6), m6Folder);
    // Into a configuration of another folder: in full, as a copy's.
    IConfiguration* away = model.addConfiguration(L"D:\\Away\\Away.tws", L"Away");
    ASSERT_TRUE(away->AddLibrary(m6));
    EXPECT_EQ(GetLibraryAbsolutePath(m6), m6Folder);
    EXPECT_EQ(m6->GetPath(), m6Folder.substr(0, m6Folder.size() - 1));

    // A moved group takes its libraries' folders along, also through a group in no configuration.
    ILibrariesGroup* loose = CreateLibrariesGroup(L"Loose");
    ASSERT_TRUE(loose->AddLibrariesGroup(bolts));
    EXPECT_EQ(GetLibraryAbsolutePath(m8), m8Folder);
    ASSERT_TRUE(away->AddLibrariesGroup(bolts));
    EXPECT_EQ(GetLibraryAbsolutePath(m8), m8Folder);
    loose->Destroy();

    // Saved and read again, the moved libraries still name their folders.
    ASSERT_TRUE(away->Save(false));
    away->Destroy();
    IConfiguration* again = CreateConfiguration(L"Away", false);
    ASSERT_TRUE(again->Load(L"D:\\Away\\Away.tws"));
    ASSERT_EQ(again->GetGroupCount(), 1);
    ASSERT_EQ(again->GetGroupAt(0)->GetLibraryCount(), 1);
    EXPECT_EQ(GetLibraryAbsolutePath(again->GetGroupAt(0)->GetLibraryAt(0)), m8Folder);
    again->Destroy();
}

TEST_F(DocumentsMenuModelTest, DocumentsAreTheVisibleGrbFilesWithTheirExclusion) {
    ILibrary* m6 = model.addLibrary(standard, L"M6", L"M6");
    const std::wstring folder = kUser + L"Libraries\\M6\\";
    for (const wchar_t* name : {L"b.grb", L"a.GRB", L"c.grbx", L"d.txt", L"h.grb"}) {
        platform::files::writeAllAtomic(folder + name, "x");
    }
    SetFileAttributesW((folder + L"h.grb").c_str(), FILE_ATTRIBUTE_HIDDEN);
    platform::files::createDirectories(folder + L"sub.grb");
    m6->SetDocumentExcluded(L"B.grb", true);

    std::vector<std::wstring> seen;
    ForEachLibraryDocument(m6, [&](const CString& in, const CString& name, bool excluded) {
        EXPECT_EQ(in, folder);
        seen.push_back(std::wstring(name.view()) + (excluded ? L" excluded" : L""));
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"a.GRB", L"b.grb excluded"}));
    int calls = 0;
    ForEachLibraryDocument(m6, [&](const CString&, const CString&, bool) { return ++calls < 1; });
    EXPECT_EQ(calls, 1);
}

TEST_F(DocumentsMenuModelTest, SavedConfigurationsReloadWithIdsAndExclusions) {
    ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    ILibrary* m6 = model.addLibrary(bolts, L"M6", L"M6");
    m6->SetAuthor(L"Иванов");
    m6->SetDocumentExcluded(L"old.grb", true);
    model.setExcluded(bolts, true);
    const GUID id = m6->GetId();
    ASSERT_TRUE(standard->Save(false));

    Recorder recorder;
    standard->AddClient(&recorder);
    ASSERT_TRUE(standard->Load(standard->GetPath()));
    EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"Reloaded Standard"}));
    ILibrary* reloaded = FindLibrary(id);
    ASSERT_NE(reloaded, nullptr);
    EXPECT_TRUE(reloaded->IsDocumentExcluded(L"OLD.grb"));
    EXPECT_EQ(reloaded->GetAuthor(), L"Иванов");
    EXPECT_TRUE(reloaded->GetParent()->IsExcluded());

    // A damaged file is refused with its line, and the model keeps what it had.
    const std::wstring path(standard->GetPath().view());
    platform::files::writeAllAtomic(
        path, "<configuration name=\"x\">\n  <group name=\"g\">\n    <folder/>\n  </group>\n</configuration>\n");
    EXPECT_FALSE(standard->Load(path.c_str()));
    EXPECT_TRUE(platform::core::journal().contains("warning", path + L"(3): unknown element <folder>"));
    platform::files::writeAllAtomic(path, "<configuration name=\"x\">\n<library id=\"nonsense\"/>");
    EXPECT_FALSE(standard->Load(path.c_str()));
    EXPECT_EQ(FindLibrary(id), reloaded);
    EXPECT_EQ(standard->GetName(), L"Standard");
    standard->RemoveClient(&recorder);
}

TEST_F(DocumentsMenuModelTest, OpeningAsksForTheFileAndActivatesWhatItOpened) {
    const std::wstring path = kUser + L"Libraries\\Other.tws";
    ASSERT_EQ(platform::files::writeAllAtomic(path, "<configuration name=\"Other\"/>"), 0u);
    session.user().expectFileCancel();
    EXPECT_EQ(OpenConfiguration(GlobalCfgGroup()), nullptr);
    session.user().expectFileChoose(path);
    IConfiguration* other = OpenConfiguration(GlobalCfgGroup());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->GetDisplayName(), L"Other");
    EXPECT_TRUE(other->IsActive());
    // One open already is only made active again.
    standard->SetActive(true);
    session.user().expectFileChoose(path);
    EXPECT_EQ(OpenConfiguration(GlobalCfgGroup()), other);
    EXPECT_TRUE(other->IsActive());
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 2);

    // Saving to a path the user would be asked for is what the stand-in cannot do.
    IConfiguration* unsaved = CreateConfiguration(L"Unsaved", false);
    EXPECT_FALSE(unsaved->Save(false));
    EXPECT_FALSE(unsaved->Save(true));
    unsaved->Destroy();
    EXPECT_EQ(session.takeFailures().size(), 1u);
}

TEST_F(DocumentsMenuModelTest, IdsAreMadeOnceAndKeptInTheFileWhateverElseIsOpen) {
    // A file of before ids were stored gets them when it is first read, and keeps them.
    const std::wstring old = kUser + L"Libraries\\Old.tws";
    ASSERT_EQ(platform::files::writeAllAtomic(
                  old, "<configuration name=\"Old\"><group name=\"G\"><library name=\"L\" path=\"L\"/></group></configuration>"),
              0u);
    const auto open = [](const std::wstring& path) {
        IConfiguration* configuration = CreateConfiguration(L"x", false);
        EXPECT_TRUE(configuration->Load(path.c_str()));
        EXPECT_TRUE(GlobalCfgGroup()->AddConfiguration(configuration));
        return configuration;
    };
    const auto ids = [](IConfiguration* configuration) {
        ILibrariesGroup* group = configuration->GetGroupAt(0);
        return std::vector<GUID>{static_cast<ILibrariesGroup*>(configuration)->GetId(), group->GetId(),
                                 group->GetLibraryAt(0)->GetId()};
    };
    const std::vector<GUID> first = ids(open(old));
    const std::vector<GUID> standardIds{static_cast<ILibrariesGroup*>(standard)->GetId()};
    CloseAllConfigurations(GlobalCfgGroup());
    std::string bytes;
    ASSERT_EQ(platform::files::readAll(old, bytes), 0u);
    EXPECT_NE(bytes.find("<configuration id=\""), std::string::npos) << bytes;
    // Opened again, after another configuration or before it: the same ids.
    open(kUser + L"Libraries\\Standard.tws");
    EXPECT_EQ(ids(open(old)), first);
    CloseAllConfigurations(GlobalCfgGroup());
    IConfiguration* again = open(old);
    EXPECT_EQ(ids(again), first);
    EXPECT_EQ(static_cast<ILibrariesGroup*>(open(kUser + L"Libraries\\Standard.tws"))->GetId(), standardIds[0]);
    // A copy of the file opened beside it cannot share its ids: it gets its own, for good.
    ASSERT_EQ(platform::files::writeAllAtomic(kUser + L"Libraries\\Copy.tws", bytes), 0u);
    const std::vector<GUID> copy = ids(open(kUser + L"Libraries\\Copy.tws"));
    for (const GUID& id : copy) EXPECT_EQ(std::find(first.begin(), first.end(), id), first.end());
    CloseAllConfigurations(GlobalCfgGroup());
    EXPECT_EQ(ids(open(kUser + L"Libraries\\Copy.tws")), copy);
}

TEST_F(DocumentsMenuModelTest, SavingKeepsTheOrderGroupsAndLibrariesCameIn) {
    const std::wstring path = kUser + L"Libraries\\Mixed.tws";
    ASSERT_EQ(platform::files::writeAllAtomic(path, "<configuration name=\"Mixed\"><library name=\"A\" path=\"A\"/>"
                                                    "<group name=\"G\"/><library name=\"B\" path=\"B\"/></configuration>"),
              0u);
    IConfiguration* mixed = CreateConfiguration(L"Mixed", false);
    ASSERT_TRUE(mixed->Load(path.c_str()));
    ASSERT_TRUE(GlobalCfgGroup()->AddConfiguration(mixed));
    model.addLibrary(mixed, L"C", L"C");
    ILibrariesGroup* removed = mixed->GetGroupAt(0);
    ASSERT_TRUE(mixed->AddLibrariesGroup(CreateLibrariesGroup(L"H")));
    removed->Destroy();
    ASSERT_TRUE(mixed->Save(false));
    std::string bytes;
    ASSERT_EQ(platform::files::readAll(path, bytes), 0u);
    const auto at = [&](const char* name) { return bytes.find(std::string("name=\"") + name + "\""); };
    ASSERT_NE(at("H"), std::string::npos) << bytes;
    EXPECT_EQ(at("G"), std::string::npos);
    EXPECT_LT(at("A"), at("B"));
    EXPECT_LT(at("B"), at("C"));
    EXPECT_LT(at("C"), at("H"));
}

TEST(TextCore, SearchableTextsAndIdentifiers) {
    EXPECT_EQ(Korvo::GetSearchableEquivalent(L"Ёлка Cafe\u0301"), L"елка cafe");
    Korvo::UniqueIdentifier id;
    ASSERT_TRUE(Korvo::UniqueIdentifier::TryParse(L"{0123abcd-0001-4b56-8000-4c4942000001}", id));
    EXPECT_EQ(id.ToString(), L"0123ABCD-0001-4B56-8000-4C4942000001");
    Korvo::UniqueIdentifier again;
    ASSERT_TRUE(Korvo::UniqueIdentifier::TryParse(id.ToString(), again));
    EXPECT_EQ(again, id);
    for (const wchar_t* bad : {L"", L"{0123abcd-0001-4b56-8000-4c4942000001", L"0123abcd00014b5680004c4942000001",
                               L"0123abcd-0001-4b56-8000-4c494200000g", L"(0123abcd-0001-4b56-8000-4c4942000001)"}) {
        EXPECT_FALSE(Korvo::UniqueIdentifier::TryParse(bad, id)) << bad;
    }
}

}  // namespace
