// The application's profile in the registry, the recent-file list kept there, and the OLE
// registration entries.
#include <memory>

#include "platform/core/registry_store.h"
#include "platform/mfc/framework_state.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;

class MfcProfileTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        app().SetRegistryKey(L"Velmora");
    }
    void TearDown() override {
        std::free(const_cast<wchar_t*>(app().m_pszRegistryKey));
        app().m_pszRegistryKey = nullptr;
        delete app().m_pRecentFileList;
        app().m_pRecentFileList = nullptr;
        MfcTest::TearDown();
    }

    // A value read straight from the registry under the application's key.
    static std::optional<std::wstring> readString(const std::wstring& section, const std::wstring& name) {
        HKEY key = nullptr;
        const std::wstring path = L"Software\\Velmora\\Framework Test\\" + section;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
        wchar_t buffer[512] = {};
        DWORD size = sizeof(buffer);
        DWORD type = 0;
        const LONG result = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
        ::RegCloseKey(key);
        if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        return std::wstring(buffer);
    }
};

TEST_F(MfcProfileTest, ValuesRoundTripUnderSoftwareCompanyProfileSection) {
    EXPECT_STREQ(app().m_pszProfileName, L"Framework Test") << "the profile takes the application's name";
    EXPECT_EQ(app().GetProfileInt(L"Settings", L"Missing", 17), 17u);
    EXPECT_EQ(app().GetProfileString(L"Settings", L"Missing", L"dflt"), L"dflt");

    EXPECT_TRUE(app().WriteProfileInt(L"Settings", L"Count", -3));
    EXPECT_TRUE(app().WriteProfileString(L"Settings", L"Name", L"Körvo \"quoted\""));
    BYTE bytes[] = {0, 1, 2, 255};
    EXPECT_TRUE(app().WriteProfileBinary(L"Settings", L"Blob", bytes, sizeof(bytes)));

    EXPECT_EQ(static_cast<int>(app().GetProfileInt(L"settings", L"count", 0)), -3) << "names ignore case";
    EXPECT_EQ(app().GetProfileString(L"Settings", L"Name"), L"Körvo \"quoted\"");
    EXPECT_EQ(readString(L"Settings", L"Name"), std::wstring(L"Körvo \"quoted\""));
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app().GetProfileBinary(L"Settings", L"Blob", &data, &size));
    std::unique_ptr<BYTE[]> owned(data);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(data[3], 255);
    EXPECT_EQ(app().GetProfileString(L"Settings", L"Count", L"not a string"), L"not a string")
        << "a number does not read as a string";

    EXPECT_TRUE(app().WriteProfileString(L"Settings", L"Name", nullptr));
    EXPECT_EQ(app().GetProfileString(L"Settings", L"Name", L"gone"), L"gone");
    EXPECT_TRUE(app().WriteProfileString(L"Settings", nullptr, nullptr));
    EXPECT_EQ(app().GetProfileInt(L"Settings", L"Count", 5), 5u) << "the section went as a whole";
}

TEST_F(MfcProfileTest, WithoutARegistryKeyEveryProfileCallFailsNamingItselfAndWritesNothing) {
    std::free(const_cast<wchar_t*>(app().m_pszRegistryKey));
    app().m_pszRegistryKey = nullptr;
    BYTE bytes[] = {1, 2};
    LPBYTE data = bytes;
    UINT size = 7;
    EXPECT_FALSE(app().WriteProfileInt(L"Settings", L"Count", 1));
    EXPECT_FALSE(app().WriteProfileString(L"Settings", L"Name", L"x"));
    EXPECT_FALSE(app().WriteProfileBinary(L"Settings", L"Blob", bytes, sizeof(bytes)));
    EXPECT_EQ(app().GetProfileInt(L"Settings", L"Count", 8), 8u);
    EXPECT_EQ(app().GetProfileString(L"Settings", L"Name", L"dflt"), L"dflt");
    EXPECT_FALSE(app().GetProfileBinary(L"Settings", L"Blob", &data, &size));
    EXPECT_EQ(data, nullptr) << "no stale buffer handed back";
    EXPECT_EQ(size, 0u);

    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 6u) << "each call fails on its own";
    const wchar_t* calls[] = {L"WriteProfileInt", L"WriteProfileString", L"WriteProfileBinary",
                              L"GetProfileInt",   L"GetProfileString",   L"GetProfileBinary"};
    for (std::size_t i = 0; i < failures.size(); ++i) {
        EXPECT_EQ(failures[i].rfind(std::wstring(L"CWinApp::") + calls[i] + L"(\"Settings\", ", 0), 0u)
            << utf8(failures[i]);
        EXPECT_NE(failures[i].find(L"SetRegistryKey"), std::wstring::npos) << utf8(failures[i]);
    }
    EXPECT_EQ(app().GetAppRegistryKey(), nullptr);
    HKEY company = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Velmora", 0, KEY_READ, &company),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND))
        << "nothing reached the registry";
}

TEST_F(MfcProfileTest, RecentFilesMoveUpRepeatOnceAndPersistThroughExitInstance) {
    app().WriteProfileString(L"Recent File List", L"File1", L"C:\\old.grb");
    app().WriteProfileString(L"Recent File List", L"File7", L"C:\\beyond the size.grb");
    app().LoadStdProfileSettings(3);
    CRecentFileList& list = *app().m_pRecentFileList;
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0], L"C:\\old.grb");

    list.Add(L"C:\\a.grb");
    list.Add(L"C:\\b.grb");
    list.Add(L"c:\\OLD.grb");
    EXPECT_EQ(list[0], L"C:\\OLD.grb") << "the same file (in its full form) moves to the top instead of repeating";
    EXPECT_EQ(list[1], L"C:\\b.grb");
    EXPECT_EQ(list[2], L"C:\\a.grb");
    list.Add(L"C:\\d.grb");
    EXPECT_EQ(list[2], L"C:\\b.grb") << "the oldest fell off";
    list.Remove(0);
    EXPECT_EQ(list[0], L"C:\\OLD.grb");
    EXPECT_EQ(list[2], L"");
    EXPECT_EQ(list[5], L"") << "out of range reads empty";

    app().ExitInstance();
    EXPECT_EQ(readString(L"Recent File List", L"File1"), std::wstring(L"C:\\OLD.grb"));
    EXPECT_EQ(readString(L"Recent File List", L"File2"), std::wstring(L"C:\\b.grb"));
    EXPECT_EQ(readString(L"Recent File List", L"File3"), std::nullopt) << "empty entries are not written";
    EXPECT_EQ(readString(L"Recent File List", L"File7"), std::nullopt) << "the section is rewritten whole";

    app().LoadStdProfileSettings(0);
    EXPECT_EQ(app().m_pRecentFileList, nullptr);
}

TEST_F(MfcProfileTest, ReadingTheProfileAndAnEmptyRecentListLeavesTheSavedHiveAlone) {
    auto& store = platform::core::registryStore();
    EXPECT_TRUE(app().WriteProfileInt(L"Settings", L"Count", 4));
    store.saveChangedHives();
    ASSERT_FALSE(store.hasUnsavedChanges());

    // What a later start reads: settings that are there, sections that are not, and a recent
    // list that is empty at the start and still empty at the end.
    EXPECT_EQ(app().GetProfileInt(L"Settings", L"Count", 0), 4u);
    EXPECT_EQ(app().GetProfileString(L"Never Written", L"Name", L"dflt"), L"dflt");
    app().LoadStdProfileSettings(4);
    app().m_pRecentFileList->WriteList();
    EXPECT_FALSE(store.keyExists(platform::core::Hive::CurrentUser, L"Software\\Velmora\\Framework Test\\Never Written"))
        << "reading makes no section";
    EXPECT_FALSE(store.keyExists(platform::core::Hive::CurrentUser, L"Software\\Velmora\\Framework Test\\Recent File List"));
    EXPECT_FALSE(store.hasUnsavedChanges()) << "nothing to write back: the hive file stays as it was";

    // A value that really changed is still written.
    EXPECT_TRUE(app().WriteProfileInt(L"Settings", L"Count", 4));
    EXPECT_FALSE(store.hasUnsavedChanges()) << "the same value again changes nothing";
    EXPECT_TRUE(app().WriteProfileInt(L"Settings", L"Count", 5));
    EXPECT_TRUE(store.hasUnsavedChanges());
}

TEST_F(MfcProfileTest, OpeningAFailedRecentEntryRemovesIt) {
    app().LoadStdProfileSettings(4);
    app().m_pRecentFileList->Add(L"C:\\ok.grb");
    app().m_pRecentFileList->Add(L"C:\\broken.grb");
    CDocument document;
    app().openDocument = [&](LPCWSTR path) -> CDocument* {
        return std::wstring_view(path) == L"C:\\ok.grb" ? &document : nullptr;
    };
    EXPECT_TRUE(app().OnCmdMsg(ID_FILE_MRU_FILE1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((*app().m_pRecentFileList)[0], L"C:\\ok.grb");
    EXPECT_TRUE(app().OnCmdMsg(ID_FILE_MRU_FILE1 + 0, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((*app().m_pRecentFileList)[0], L"C:\\ok.grb") << "an entry that opens stays";
}

// ---- OLE -------------------------------------------------------------------------------------

const CLSID kServerClass = *platform::mfc::parseGuid(L"{34FF1B92-6F6F-11D0-81C9-004F56009C20}");

std::optional<std::wstring> classesRootDefault(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t buffer[512] = {};
    DWORD size = sizeof(buffer);
    const LONG result = ::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(buffer);
}

TEST(MfcGuid, ParsesBracedAndBareFormsAndRejectsTheRest) {
    const auto guid = platform::mfc::parseGuid(L"{34ff1b92-6f6f-11d0-81c9-004f56009c20}");
    ASSERT_TRUE(guid.has_value());
    EXPECT_EQ(guid->Data1, 0x34FF1B92u);
    EXPECT_EQ(guid->Data4[7], 0x20);
    EXPECT_EQ(platform::mfc::formatGuid(*guid), L"{34FF1B92-6F6F-11D0-81C9-004F56009C20}");
    EXPECT_EQ(platform::mfc::parseGuid(L"34FF1B92-6F6F-11D0-81C9-004F56009C20"), guid);
    EXPECT_FALSE(platform::mfc::parseGuid(L"{34FF1B92-6F6F-11D0-81C9-004F56009C2}"));
    EXPECT_FALSE(platform::mfc::parseGuid(L"{34FF1B92+6F6F-11D0-81C9-004F56009C20}"));
    EXPECT_FALSE(platform::mfc::parseGuid(L"{34FF1B92-6F6F-11D0-81C9-004F56009CZ0}"));
    CLSID clsid;
    EXPECT_EQ(CLSIDFromString(L"34FF1B92-6F6F-11D0-81C9-004F56009C20", &clsid), CO_E_CLASSSTRING) << "braces required";
    wchar_t text[39];
    EXPECT_EQ(StringFromGUID2(*guid, text, 39), 39);
    EXPECT_EQ(StringFromGUID2(*guid, text, 38), 0);
}

TEST(MfcGuid, FormatsEveryFieldWithLeadingZerosInUpperCase) {
    const GUID zero{};
    EXPECT_EQ(platform::mfc::formatGuid(zero), L"{00000000-0000-0000-0000-000000000000}");
    const GUID full{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
    EXPECT_EQ(platform::mfc::formatGuid(full), L"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
    const GUID mixed{0x0A0B0C0D, 0x00E1, 0x0F02, {0x01, 0xA0, 0x0B, 0xC0, 0x00, 0x0D, 0xE0, 0x0F}};
    const std::wstring text = platform::mfc::formatGuid(mixed);
    EXPECT_EQ(text, L"{0A0B0C0D-00E1-0F02-01A0-0BC0000DE00F}");
    EXPECT_EQ(platform::mfc::parseGuid(text), mixed) << "the text reads back as the same GUID";
}

TEST_F(MfcTest, FactoriesRegisterThemselvesAndWriteTheirClassesRootEntries) {
    COleObjectFactory factory(kServerClass, nullptr, FALSE, L"KVW32.SERVER");
    EXPECT_EQ(COleObjectFactory::FindByProgID(L"kvw32.server"), &factory);
    EXPECT_FALSE(factory.IsRegistered());
    EXPECT_TRUE(COleObjectFactory::RegisterAll());
    EXPECT_TRUE(factory.IsRegistered());

    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(TRUE));
    const std::wstring clsidKey = L"CLSID\\{34FF1B92-6F6F-11D0-81C9-004F56009C20}";
    EXPECT_EQ(classesRootDefault(L"KVW32.SERVER\\CLSID"), std::wstring(L"{34FF1B92-6F6F-11D0-81C9-004F56009C20}"));
    EXPECT_EQ(classesRootDefault(clsidKey + L"\\ProgID"), std::wstring(L"KVW32.SERVER"));
    EXPECT_EQ(classesRootDefault(clsidKey + L"\\LocalServer32"),
              std::wstring(L"\"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe\" /Automation"));

    EXPECT_TRUE(factory.UpdateRegistry(FALSE));
    EXPECT_EQ(classesRootDefault(clsidKey), std::nullopt) << "unregistering removes the class";
}

TEST_F(MfcTest, TemplateServerWithoutFileTypeWritesNothingAndSaysSo) {
    CMultiDocTemplate docTemplate(0, nullptr, nullptr, nullptr);
    COleTemplateServer server;
    server.ConnectTemplate(kServerClass, &docTemplate, FALSE);
    server.UpdateRegistry(OAT_INPLACE_SERVER);
    EXPECT_EQ(classesRootDefault(L"CLSID\\{34FF1B92-6F6F-11D0-81C9-004F56009C20}"), std::nullopt);
    EXPECT_GE(platform::core::journal().find("warning", L"document server not registered"), 0);
}

}  // namespace
