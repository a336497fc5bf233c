// Volatile keys and the documented registry limits, in the functions and in the hive files.
#include <ctime>

#include "platform/core/registry_store_detail.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::core::Hive;
using platform::core::RegistryStore;
using platform::core::RegistryValue;
using platform::core::registryStore;
using store_test::StoreTest;

constexpr const char* kUserHive = "registry/HKEY_CURRENT_USER.reg";

LONG create(HKEY parent, const std::wstring& path, DWORD options, HKEY* key = nullptr, DWORD* disposition = nullptr) {
    HKEY opened = nullptr;
    const LONG status = RegCreateKeyExW(parent, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &opened, disposition);
    if (key != nullptr) {
        *key = opened;
    } else if (opened != nullptr) {
        RegCloseKey(opened);
    }
    return status;
}

LONG setDword(HKEY key, const std::wstring& name, DWORD value) {
    return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// `depth` keys named `name`, one below the other.
std::wstring chain(std::size_t depth, const std::wstring& name) {
    std::wstring path;
    for (std::size_t i = 0; i < depth; ++i) path += (i == 0 ? L"" : L"\\") + name;
    return path;
}

TEST_F(StoreTest, VolatileKeysLiveInMemoryOnlyAndKeepVolatileChildren) {
    ASSERT_EQ(create(HKEY_CURRENT_USER, L"Software\\Velmora", REG_OPTION_NON_VOLATILE), ERROR_SUCCESS);
    idle();
    std::filesystem::remove(root_ / kUserHive);
    HKEY session = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(create(HKEY_CURRENT_USER, L"Software\\Velmora\\Session\\Now", REG_OPTION_VOLATILE, &session, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(setDword(session, L"Pid", 42), ERROR_SUCCESS);
    idle();
    EXPECT_FALSE(std::filesystem::exists(root_ / kUserHive)) << "only volatile keys changed";

    EXPECT_EQ(create(session, L"Inner", REG_OPTION_VOLATILE), ERROR_SUCCESS);
    EXPECT_EQ(create(session, L"Lasting", REG_OPTION_NON_VOLATILE), static_cast<LONG>(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_EQ(create(HKEY_CURRENT_USER, L"Software\\Velmora\\Session\\Lasting\\Deeper", REG_OPTION_NON_VOLATILE),
              static_cast<LONG>(ERROR_CHILD_MUST_BE_VOLATILE));
    const DWORD one = 1;
    EXPECT_EQ(RegSetKeyValueW(session, L"Lasting", L"x", REG_DWORD, &one, 4), static_cast<LONG>(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora\\Session\\Lasting"));
    // An existing key is opened as it is, whatever the options say.
    EXPECT_EQ(create(HKEY_CURRENT_USER, L"Software\\Velmora\\Session", REG_OPTION_NON_VOLATILE, nullptr, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(RegSetKeyValueW(session, L"Inner", L"x", REG_DWORD, &one, 4), ERROR_SUCCESS);
    RegCloseKey(session);

    // Beside them a lasting change: the file gets it, and nothing of the volatile keys.
    registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora", L"Lasting", RegistryValue::dword(1));
    idle();
    const std::string file = readHost(kUserHive);
    EXPECT_NE(file.find("[Software\\Velmora]\n\"Lasting\"=dword:00000001\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("Session"), std::string::npos) << file;
    // The dump shows them, marked.
    EXPECT_NE(registryStore().dump(Hive::CurrentUser).find(L"; volatile: kept in memory only\n[Software\\Velmora\\Session]\n"),
              std::wstring::npos)
        << platform::core::toUtf8(registryStore().dump(Hive::CurrentUser));

    nextRun();
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora\\Session"));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Velmora", L"Lasting"), RegistryValue::dword(1));

    // Links and backup semantics are beyond the stand-in: a strict failure, not a plain key.
    EXPECT_EQ(create(HKEY_CURRENT_USER, L"Software\\Link", REG_OPTION_CREATE_LINK), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(store_test::containsText(platform::core::takeFailures(), L"RegCreateKeyExW"));
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Link"));
}

TEST_F(StoreTest, RegistryFunctionsHoldTheDocumentedLimits) {
    const std::wstring longest(255, L'k');
    EXPECT_EQ(create(HKEY_CURRENT_USER, L"Software\\" + longest, 0), ERROR_SUCCESS);
    EXPECT_EQ(create(HKEY_CURRENT_USER, L"Software\\" + longest + L"k", 0), static_cast<LONG>(ERROR_INVALID_PARAMETER));

    // 512 levels below the hive root, of the longest names: the deepest tree there can be.
    const std::wstring deepest = chain(512, longest);
    EXPECT_EQ(create(HKEY_CURRENT_USER, deepest, 0), ERROR_SUCCESS);
    // A branch off half-way, written after the deepest key: its section climbs back up.
    const std::wstring branch = chain(300, longest) + L"\\side\\leaf";
    EXPECT_EQ(create(HKEY_CURRENT_USER, branch, 0), ERROR_SUCCESS);
    EXPECT_EQ(create(HKEY_CURRENT_USER, deepest + L"\\more", 0), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    HKEY bottom = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, deepest.c_str(), 0, KEY_ALL_ACCESS, &bottom), ERROR_SUCCESS);
    EXPECT_EQ(create(bottom, L"more", 0), static_cast<LONG>(ERROR_INVALID_PARAMETER));

    const std::wstring longestValue(16383, L'v');
    EXPECT_EQ(setDword(bottom, longestValue, 1), ERROR_SUCCESS);
    EXPECT_EQ(setDword(bottom, longestValue + L"v", 1), static_cast<LONG>(ERROR_INVALID_PARAMETER));
    const DWORD one = 1;
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software", (longestValue + L"v").c_str(), REG_DWORD, &one, 4),
              static_cast<LONG>(ERROR_INVALID_PARAMETER));
    RegCloseKey(bottom);
    registryStore().setValue(Hive::CurrentUser, L"Software", longestValue + L"v", RegistryValue::dword(1));
    registryStore().createKey(Hive::CurrentUser, deepest + L"\\more");
    const auto failures = platform::core::takeFailures();
    EXPECT_EQ(failures.size(), 2u);
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, deepest + L"\\more"));

    // The file grows with the number of keys, not with the square of the depth (written with
    // whole paths, this one would take 33 MB), and loads again.
    idle();
    const std::string file = readHost(kUserHive);
    EXPECT_LT(file.size(), 200'000u);
    nextRun();
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, deepest));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, deepest, longestValue), RegistryValue::dword(1));
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, L"Software\\" + longest));
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, branch));
    EXPECT_EQ(registryStore().subKeyNames(Hive::CurrentUser, chain(300, longest)), (std::vector<std::wstring>{longest, L"side"}));
}

// A hive file beyond the limits, or with a relative section that leads nowhere, is malformed:
// reported with its line, the hive runs empty, the file stays as it was.
TEST_F(StoreTest, RegistryFileBeyondTheLimitsIsMalformedAndKept) {
    const std::string longName(256, 'k');
    std::string tooDeep = "[Deep]\n";
    for (int i = 0; i < 15000; ++i) tooDeep += "[\\k]\n";
    const std::vector<std::pair<std::string, int>> cases{
        {"[Software]\n[Software\\" + longName + "]\n", 2},
        {"[A]\n\"" + std::string(16384, 'v') + "\"=dword:00000001\n", 2},
        {tooDeep, 513},
        {"; relative first\n[\\A]\n", 2},
        {"[A]\n[\\\\\\B]\n", 2},
        {"[A]\n[\\]\n", 2},
    };
    for (const auto& [text, line] : cases) {
        writeHost(kUserHive, text);
        nextRun();
        registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora", L"After", RegistryValue::dword(1));
        idle();
        const auto failures = platform::core::takeFailures();
        ASSERT_EQ(failures.size(), 1u) << text.substr(0, 80);
        EXPECT_NE(failures[0].find(L"HKEY_CURRENT_USER.reg, line " + std::to_wstring(line) + L":"), std::wstring::npos)
            << platform::core::toUtf8(failures[0]);
        EXPECT_EQ(readHost(kUserHive), text);
    }
    // The limits themselves load, relative sections included.
    writeHost(kUserHive, "[A]\n[\\" + std::string(255, 'k') + "]\n\"" + std::string(16383, 'v') + "\"=dword:00000002\n[\\\\B]\n[\\C]\n");
    nextRun();
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"A\\" + std::wstring(255, L'k'), std::wstring(16383, L'v')),
              RegistryValue::dword(2));
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, L"A\\B\\C"));
}

TEST_F(StoreTest, RegistryKeyOfManyValuesLoadsInLinearTime) {
    constexpr int kValues = 30'000;
    std::string text = "[Many]\n";
    for (int i = 0; i < kValues; ++i) text += "\"v" + std::to_string(i) + "\"=dword:0000000" + std::to_string(i % 10) + "\n";
    writeHost(kUserHive, text);
    nextRun();
    const std::clock_t begin = std::clock();  // processor time: the machine may be busy with others
    EXPECT_EQ(registryStore().valueNames(Hive::CurrentUser, L"Many").size(), static_cast<std::size_t>(kValues));
    // Quadratic, this took half a minute; linear, a second or two with the sanitizers.
    EXPECT_LT(static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC, 8.0);

    // Values deleted from the middle leave the others findable, in their order.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Many", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, L"V10"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(key, L"v500"), ERROR_SUCCESS);
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Many", L"v29999"), RegistryValue::dword(9));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Many", L"v11"), RegistryValue::dword(1));
    EXPECT_FALSE(registryStore().value(Hive::CurrentUser, L"Many", L"v10"));
    wchar_t name[16];
    DWORD length = 16;
    ASSERT_EQ(RegEnumValueW(key, 10, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name, length), L"v11");
    ASSERT_EQ(setDword(key, L"v10", 5), ERROR_SUCCESS);
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Many", L"V10"), RegistryValue::dword(5));
    RegCloseKey(key);
}

// Far deeper than any file may be: a tree built in memory goes without recursing per level.
TEST(RegistryKeyTree, DeepTreesAreWalkedAndDestroyedWithoutRecursion) {
    auto root = std::make_shared<RegistryStore::Key>();
    RegistryStore::Key* key = root.get();
    for (int i = 0; i < 100'000; ++i) key = &key->child(L"k");
    EXPECT_EQ(key->path().size(), 100'000u * 2 - 1);
    std::shared_ptr<RegistryStore::Key> held = key->parent->children().begin()->second;  // as an open handle would
    root->markDeleted();
    EXPECT_TRUE(key->deleted);
    root.reset();
    EXPECT_EQ(held->parent, nullptr);
}

}  // namespace

TEST_F(StoreTest, RegistryKeyOfManySubKeysEnumeratesInLinearTimeAndSeesChanges) {
    constexpr int kKeys = 30'000;
    std::string text = "[Many]\n";
    for (int i = 0; i < kKeys; ++i) text += "[Many\\k" + std::to_string(100000 + i) + "]\n";
    writeHost(kUserHive, text);
    nextRun();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Many", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    auto nameAt = [key](DWORD index) {
        wchar_t name[32];
        DWORD length = 32;
        const LONG status = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        return status == ERROR_SUCCESS ? std::wstring(name, length) : L"error " + std::to_wstring(status);
    };
    const std::clock_t begin = std::clock();  // processor time: the machine may be busy with others
    DWORD count = 0;
    while (nameAt(count) == L"k" + std::to_wstring(100000 + count)) ++count;
    EXPECT_EQ(count, static_cast<DWORD>(kKeys));
    EXPECT_EQ(nameAt(kKeys), L"error " + std::to_wstring(ERROR_NO_MORE_ITEMS));
    // Counting from the first key each time, this took tens of seconds with the sanitizers.
    EXPECT_LT(static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC, 8.0);

    // A key added or removed between two calls moves the ones after it, as a fresh count would;
    // going back starts again.
    EXPECT_EQ(nameAt(5), L"k100005");
    ASSERT_EQ(create(key, L"k000000", 0), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(6), L"k100005");
    ASSERT_EQ(RegDeleteKeyW(key, L"k100001"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyW(key, L"k000000"), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(7), L"k100008");
    EXPECT_EQ(nameAt(1), L"k100002");
    EXPECT_EQ(nameAt(kKeys - 2), L"k" + std::to_wstring(100000 + kKeys - 1));
    RegCloseKey(key);
}
