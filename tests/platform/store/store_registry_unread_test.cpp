// Hive files in the store's own form load without reading their keys; a key is read when first
// used. What the functions answer, what the next save writes, and which files are refused must be
// what a whole read gives.
#include "platform/core/checked_mark.h"
#include "platform/core/registry_store_detail.h"
#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::core::Hive;
using platform::core::RegistryStore;
using platform::core::RegistryValue;
using platform::core::registryStore;
using store_test::StoreTest;
namespace registry_format = platform::core::registry_format;

constexpr const char* kUserHive = "registry/HKEY_CURRENT_USER.reg";

// Every kind of value the writer writes, the root's own values, empty keys and escapes.
const std::string kOwnForm =
    "; registry hive HKEY_CURRENT_USER\n"
    "[]\n"
    "\"AtRoot\"=dword:00000001\n"
    "[Software]\n"
    "[Software\\Velmora]\n"
    "@=\"default\"\n"
    "\"Big\"=qword:000000000000002a\n"
    "\"Bytes\"=hex:3f,a0,01\n"
    "\"Empty bytes\"=hex:\n"
    "\"List\"=multi:\"one\",\"t\\\\w\\\"o\"\n"
    "\"No strings\"=multi:\n"
    "\"Path\"=expand:\"%ProgramFiles%\\\\Velmora\"\n"
    "[Software\\Velmora\\AddOns]\n"
    "[Software\\Velmora\\AddOns\\a]\n"
    "\"Load\"=dword:00000000\n"
    "[Software\\Velmora\\AddOns\\B]\n"
    "\"Load\"=dword:00000001\n"
    "[Software\\Velmora\\AddOns\\B\\Deeper]\n"
    "[Software\\Velmora\\AddOns\\c]\n"
    "[Software\\Zeta]\n";

std::shared_ptr<const std::string> shared(const std::string& text) { return std::make_shared<const std::string>(text); }

TEST(RegistryOwnForm, ALazilyLoadedHiveWritesWhatAWholeReadWritesAfterTheSameChanges) {
    RegistryStore::Key lazy, whole;
    ASSERT_TRUE(registry_format::loadOwnForm(Hive::CurrentUser, shared(kOwnForm), lazy));
    ASSERT_FALSE(registry_format::parse(kOwnForm, whole));
    EXPECT_EQ(registry_format::serialize(Hive::CurrentUser, lazy), kOwnForm) << "nothing read, nothing changed";
    const std::string noRootValues = kOwnForm.substr(0, kOwnForm.find("[]")) + kOwnForm.substr(kOwnForm.find("[Software]"));
    RegistryStore::Key untouched;
    ASSERT_TRUE(registry_format::loadOwnForm(Hive::CurrentUser, shared(noRootValues), untouched));
    EXPECT_EQ(registry_format::serialize(Hive::CurrentUser, untouched), noRootValues);

    // One key read and changed, one made beside keys never read, one never-read key removed.
    for (RegistryStore::Key* root : {&lazy, &whole}) {
        RegistryStore::Key& velmora = *root->findChild(L"Software")->findChild(L"Velmora");
        EXPECT_EQ(velmora.findValue(L"big")->asQword(), 42u);
        velmora.findChild(L"AddOns")->child(L"Added");
        velmora.findChild(L"AddOns")->findChild(L"b")->storeValue(L"Load", RegistryValue::dword(2));
        velmora.children().erase(L"zeta");
    }
    const std::string written = registry_format::serialize(Hive::CurrentUser, lazy);
    EXPECT_EQ(written, registry_format::serialize(Hive::CurrentUser, whole));
    EXPECT_NE(written.find("[Software\\Velmora\\AddOns\\Added]\n[Software\\Velmora\\AddOns\\B]\n\"Load\"=dword:00000002\n"
                           "[Software\\Velmora\\AddOns\\B\\Deeper]\n"),
              std::string::npos);

    // Text another writer spelled differently, or that holds what a quick look cannot vouch
    // for, is left to the whole read.
    for (const std::string& other : {kOwnForm + "\n", kOwnForm + "[software\\Zeta]\n", kOwnForm + "[Software\\Alpha]\n",
                                     kOwnForm + "\"Name\"=\"caf\xc3\xa9\"\n", kOwnForm + "\"Tab\"=\"a\\tb\"\n",
                                     kOwnForm + "\"Spaced\" = dword:00000001\n", kOwnForm + "\"Upper\"=dword:0000000A\n",
                                     kOwnForm + "\"\"=\"unnamed spelled long\"\n", kOwnForm + "\"Odd\"=hex(4):01,02\n"}) {
        RegistryStore::Key root;
        EXPECT_FALSE(registry_format::loadOwnForm(Hive::CurrentUser, shared(other), root)) << other.substr(kOwnForm.size());
        EXPECT_TRUE(root.children().empty());
    }
    RegistryStore::Key wrongHive;
    EXPECT_FALSE(registry_format::loadOwnForm(Hive::LocalMachine, shared(kOwnForm), wrongHive));
}

TEST_F(StoreTest, KeysOfAHiveInItsOwnFormAnswerAsIfReadWholeAndUnreadOnesReachTheFileUntouched) {
    writeHost(kUserHive, kOwnForm);
    HKEY addOns = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Velmora\\AddOns", 0, KEY_ALL_ACCESS, &addOns), ERROR_SUCCESS);
    DWORD subKeys = 0, values = 0;
    ASSERT_EQ(RegQueryInfoKeyW(addOns, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 3u);
    EXPECT_EQ(values, 0u);
    // A key with sub-keys nobody read yet still cannot go alone.
    EXPECT_EQ(RegDeleteKeyW(addOns, L"B"), static_cast<LONG>(ERROR_ACCESS_DENIED));
    DWORD load = 7, size = sizeof load;
    EXPECT_EQ(RegGetValueW(addOns, L"a", L"LOAD", RRF_RT_DWORD, nullptr, &load, &size), ERROR_SUCCESS);
    EXPECT_EQ(load, 0u);
    EXPECT_EQ(registryStore().subKeyNames(Hive::CurrentUser, L"Software\\Velmora\\AddOns\\b"), std::vector<std::wstring>{L"Deeper"});
    RegCloseKey(addOns);
    EXPECT_EQ(platform::core::toUtf8(registryStore().dump(Hive::CurrentUser)), kOwnForm);

    idle();
    EXPECT_EQ(readHost(kUserHive), kOwnForm) << "reading changes nothing";
    registryStore().deleteTree(Hive::CurrentUser, L"Software\\Velmora\\AddOns\\B");
    registryStore().createKey(Hive::CurrentUser, L"Software\\Velmora\\Recent File List");
    idle();
    std::string expected = kOwnForm;
    const std::string removed = "[Software\\Velmora\\AddOns\\B]\n\"Load\"=dword:00000001\n[Software\\Velmora\\AddOns\\B\\Deeper]\n";
    expected.erase(expected.find(removed), removed.size());
    expected.insert(expected.find("[Software\\Zeta]"), "[Software\\Velmora\\Recent File List]\n");
    EXPECT_EQ(readHost(kUserHive), expected);
}

TEST_F(StoreTest, AHiveInItsOwnFormWithAFaultDeepDownIsRefusedWholeAtItsFirstUse) {
    // A value named twice in a key nothing reads: the file is still reported, by line, and kept.
    const std::string broken = kOwnForm + "\"Twice\"=dword:00000001\n\"twice\"=dword:00000002\n";
    writeHost(kUserHive, broken);
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora"));
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"line 22: value \"twice\" appears twice in [Software\\Zeta]"), std::wstring::npos)
        << platform::core::toUtf8(failures[0]);
    registryStore().createKey(Hive::CurrentUser, L"Software\\New");
    idle();
    EXPECT_EQ(readHost(kUserHive), broken);
}

TEST_F(StoreTest, AHiveFileCheckedBeforeIsCheckedWholeAgainOnceItsTextChanged) {
    using platform::core::hasCheckedMark;
    using platform::core::kRegistryCheckedMark;
    // Where the file system keeps no marks, every load checks whole and only the answers count.
    writeHost("scratch", "probe");
    const std::string scratch = (root_ / "scratch").string();
    platform::core::setCheckedMark(scratch, kRegistryCheckedMark, "probe");
    const bool marksKept = hasCheckedMark(scratch, kRegistryCheckedMark, "probe");
    const std::string file = (root_ / kUserHive).string();

    writeHost(kUserHive, kOwnForm);
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora"));
    if (marksKept) {
        EXPECT_TRUE(hasCheckedMark(file, kRegistryCheckedMark, kOwnForm)) << "a text that passed is marked";
    }
    // The next run takes the marked text without checking it, and answers as before.
    nextRun();
    DWORD load = 7, size = sizeof load;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\AddOns\\b", L"Load", RRF_RT_DWORD, nullptr, &load, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(load, 1u);
    EXPECT_EQ(platform::core::toUtf8(registryStore().dump(Hive::CurrentUser)), kOwnForm);

    // Edited by hand in place, its length kept and its mark left on it: a value named twice.
    nextRun();
    std::string edited = kOwnForm;
    edited.replace(edited.find("\"List\""), 6, "\"Path\"");
    writeHost(kUserHive, edited);
    if (marksKept) {
        ASSERT_TRUE(hasCheckedMark(file, kRegistryCheckedMark, kOwnForm)) << "the edit kept the old mark";
    }
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora"));
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"line 12: value \"Path\" appears twice in [Software\\Velmora]"), std::wstring::npos)
        << platform::core::toUtf8(failures[0]);
    if (marksKept) {
        EXPECT_FALSE(hasCheckedMark(file, kRegistryCheckedMark, edited)) << "a refused text is never marked";
    }
    registryStore().createKey(Hive::CurrentUser, L"Software\\New");
    idle();
    EXPECT_EQ(readHost(kUserHive), edited);
}

}  // namespace
