#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::core::Hive;
using platform::core::RegistryValue;
using platform::core::registryStore;
using store_test::StoreTest;

constexpr const wchar_t* kSettings = L"Software\\Velmora\\Korvo CAD 18.0\\Settings";

HKEY createKey(HKEY parent, const wchar_t* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, disposition), ERROR_SUCCESS);
    return key;
}

void setString(HKEY key, const wchar_t* name, std::wstring_view text, DWORD type = REG_SZ) {
    const std::wstring copy(text);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(copy.c_str()),
                             static_cast<DWORD>((copy.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void setDword(HKEY key, const wchar_t* name, DWORD value) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value), ERROR_SUCCESS);
}

std::wstring queryString(HKEY key, const wchar_t* name) {
    DWORD type = 0, bytes = 0;
    EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    EXPECT_EQ(RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes), ERROR_SUCCESS);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

// The names an enumeration function hands out by index, until ERROR_NO_MORE_ITEMS.
template <class Enumerate>
std::vector<std::wstring> enumeratedNames(Enumerate enumerate) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG status = enumerate(index, name, &length);
        if (status == ERROR_NO_MORE_ITEMS) break;
        EXPECT_EQ(status, ERROR_SUCCESS);
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::wstring> subKeys(HKEY key) {
    return enumeratedNames([key](DWORD index, LPWSTR name, LPDWORD length) {
        return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::wstring> valueNames(HKEY key) {
    return enumeratedNames([key](DWORD index, LPWSTR name, LPDWORD length) {
        return RegEnumValueW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

TEST_F(StoreTest, RegistryValuesOfEveryTypeSurviveTheNextRun) {
    HKEY key = createKey(HKEY_CURRENT_USER, kSettings);
    setDword(key, L"ToolBarIconSize", 24);
    setString(key, L"UIStyle", L"office2016white");
    setString(key, L"", L"default");
    setString(key, L"Path", L"%ProgramFiles%\\Velmora", REG_EXPAND_SZ);
    const wchar_t multi[] = L"one\0two\0";
    ASSERT_EQ(RegSetValueExW(key, L"List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi), ERROR_SUCCESS);
    const std::uint64_t big = 0x0123456789ABCDEFull;
    ASSERT_EQ(RegSetValueExW(key, L"Big", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&big), sizeof big), ERROR_SUCCESS);
    std::vector<BYTE> hash(64);
    for (std::size_t i = 0; i < hash.size(); ++i) hash[i] = static_cast<BYTE>(i * 7);
    ASSERT_EQ(RegSetValueExW(key, L"StartupProfileFileHash", 0, REG_BINARY, hash.data(), 64), ERROR_SUCCESS);
    createKey(HKEY_CURRENT_USER, L"Software\\Velmora\\Korvo CAD 18.0\\Recent File List");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    idle();
    const std::string file = readHost("registry/HKEY_CURRENT_USER.reg");
    EXPECT_TRUE(file.starts_with("; registry hive HKEY_CURRENT_USER\n"));
    EXPECT_NE(file.find("[Software\\Velmora\\Korvo CAD 18.0\\Settings]\n\"ToolBarIconSize\"=dword:00000018\n"
                        "\"UIStyle\"=\"office2016white\"\n@=\"default\"\n"),
              std::string::npos)
        << file;
    EXPECT_NE(file.find("\"List\"=multi:\"one\",\"two\"\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\"Big\"=qword:0123456789abcdef\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[Software\\Velmora\\Korvo CAD 18.0\\Recent File List]\n"), std::string::npos) << file;

    nextRun();
    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &again), ERROR_SUCCESS);
    DWORD type = 0, number = 0, bytes = sizeof number;
    ASSERT_EQ(RegQueryValueExW(again, L"ToolBarIconSize", nullptr, &type, reinterpret_cast<BYTE*>(&number), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 24u);
    EXPECT_EQ(queryString(again, L"UIStyle"), L"office2016white");
    EXPECT_EQ(queryString(again, nullptr), L"default");
    EXPECT_EQ(queryString(again, L"Path"), L"%ProgramFiles%\\Velmora");
    wchar_t list[16] = {};
    bytes = sizeof list;
    ASSERT_EQ(RegQueryValueExW(again, L"List", nullptr, &type, reinterpret_cast<BYTE*>(list), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(bytes, sizeof multi);
    EXPECT_EQ(std::wstring(list, 8), std::wstring(multi, 8));
    std::uint64_t bigBack = 0;
    bytes = sizeof bigBack;
    ASSERT_EQ(RegQueryValueExW(again, L"Big", nullptr, &type, reinterpret_cast<BYTE*>(&bigBack), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(bigBack, big);
    std::vector<BYTE> hashBack(100);
    bytes = 100;
    ASSERT_EQ(RegQueryValueExW(again, L"StartupProfileFileHash", nullptr, &type, hashBack.data(), &bytes), ERROR_SUCCESS);
    EXPECT_EQ(bytes, 64u);
    hashBack.resize(bytes);
    EXPECT_EQ(hashBack, hash);
    RegCloseKey(again);
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Velmora\\Korvo CAD 18.0\\Recent File List"));
}

TEST_F(StoreTest, RegistryNamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    HKEY key = createKey(HKEY_CURRENT_USER, L"Software\\Velmora");
    setString(key, L"Name", L"first");
    RegCloseKey(key);

    HKEY other = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"software\\VELMORA", 0, KEY_READ | KEY_WRITE, &other), ERROR_SUCCESS);
    EXPECT_EQ(queryString(other, L"NAME"), L"first");
    setString(other, L"NAME", L"second");
    EXPECT_EQ(valueNames(other), std::vector<std::wstring>{L"Name"});
    RegCloseKey(other);

    DWORD disposition = 0;
    HKEY existing = createKey(HKEY_CURRENT_USER, L"SOFTWARE\\velmora", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(existing);
    HKEY fresh = createKey(HKEY_CURRENT_USER, L"SOFTWARE\\velmora\\Sub", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(fresh);

    nextRun();
    EXPECT_EQ(registryStore().subKeyNames(Hive::CurrentUser, L"software"), std::vector<std::wstring>{L"Velmora"});
    EXPECT_EQ(registryStore().subKeyNames(Hive::CurrentUser, L""), std::vector<std::wstring>{L"Software"});
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"SOFTWARE\\VELMORA", L"name"), RegistryValue::sz(L"second"));
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Other", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
}

TEST_F(StoreTest, RegistryEnumerationOrderHoldsAcrossReload) {
    HKEY key = createKey(HKEY_CURRENT_USER, L"Software\\Order");
    for (const wchar_t* name : {L"gamma", L"Beta2", L"alpha", L"beta", L"Ёлка", L"ёж"}) RegCloseKey(createKey(key, name));
    for (const wchar_t* name : {L"z", L"a", L"M"}) setDword(key, name, 1);
    const std::vector<std::wstring> keys{L"alpha", L"beta", L"Beta2", L"gamma", L"ёж", L"Ёлка"};
    const std::vector<std::wstring> values{L"z", L"a", L"M"};
    EXPECT_EQ(subKeys(key), keys);
    EXPECT_EQ(valueNames(key), values);
    DWORD subKeyCount = 0, valueCount = 0, longestKey = 0;
    ASSERT_EQ(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeyCount, &longestKey, nullptr, &valueCount, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeyCount, 6u);
    EXPECT_EQ(valueCount, 3u);
    EXPECT_EQ(longestKey, 5u);
    RegCloseKey(key);

    nextRun();
    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Order", 0, KEY_READ, &again), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(again), keys);
    EXPECT_EQ(valueNames(again), values);
    // A deleted value leaves the others in their order; a re-created one goes last.
    HKEY writable = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Order", 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &writable), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(writable, L"z"), ERROR_SUCCESS);
    setDword(writable, L"Z", 2);
    EXPECT_EQ(valueNames(writable), (std::vector<std::wstring>{L"a", L"M", L"Z"}));
    RegCloseKey(writable);
    RegCloseKey(again);
}

TEST_F(StoreTest, RegistryFileIsReplacedWholeAndNeverLeavesTemporaries) {
    // What a killed run may leave: temporaries of a process that is gone go with the next run's
    // first look at the registry; those of a live process stay.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string goneSpare = ".~korvo-" + std::to_string(gone) + "-HKEY_CURRENT_USER.reg.spare";
    const std::string liveTemporary = ".~korvo-1-7.tmp";
    writeHost("registry/" + goneSpare, "old");
    writeHost("registry/" + liveTemporary, "in the making");

    HKEY key = createKey(HKEY_CURRENT_USER, L"Software\\Velmora\\ErrorRestore");
    for (DWORD i = 0; i < 20; ++i) setDword(key, std::to_wstring(i).c_str(), i);
    idle();
    for (DWORD i = 0; i < 20; i += 2) ASSERT_EQ(RegDeleteValueW(key, std::to_wstring(i).c_str()), ERROR_SUCCESS);
    RegCloseKey(key);
    idle();
    // While the run lasts, its saves go through one hidden spare file.
    const std::string ownSpare = ".~korvo-" + std::to_string(::getpid()) + "-HKEY_CURRENT_USER.reg.spare";
    EXPECT_EQ(hostEntries("registry"), (std::vector<std::string>{liveTemporary, ownSpare, "HKEY_CURRENT_USER.reg"}));
    // What the file says is what the store holds.
    EXPECT_EQ(platform::core::fromUtf8(readHost("registry/HKEY_CURRENT_USER.reg")), registryStore().dump(Hive::CurrentUser));
    nextRun();
    EXPECT_EQ(hostEntries("registry"), (std::vector<std::string>{liveTemporary, "HKEY_CURRENT_USER.reg"}));
    const auto names = registryStore().valueNames(Hive::CurrentUser, L"Software\\Velmora\\ErrorRestore");
    EXPECT_EQ(names, (std::vector<std::wstring>{L"1", L"3", L"5", L"7", L"9", L"11", L"13", L"15", L"17", L"19"}));
}

// A comment line added behind the store's back survives exactly as long as the hive file is not
// rewritten.
TEST_F(StoreTest, RegistryFileIsRewrittenOnlyWhenTheHiveChanges) {
    constexpr const char* kHive = "registry/HKEY_CURRENT_USER.reg";
    const auto markFile = [&] {
        idle();
        std::ofstream(root_ / kHive, std::ios::binary | std::ios::app) << "; untouched\n";
    };
    const auto fileMarked = [&] {
        idle();
        return readHost(kHive).ends_with("; untouched\n");
    };
    HKEY key = createKey(HKEY_CURRENT_USER, kSettings);
    setDword(key, L"ToolBarIconSize", 24);
    setString(key, L"UIStyle", L"office2016white");
    markFile();

    // The same type and data, under any spelling of the name; keys that exist.
    setDword(key, L"toolbariconsize", 24);
    setString(key, L"UIStyle", L"office2016white");
    registryStore().setValue(Hive::CurrentUser, kSettings, L"UIStyle", RegistryValue::sz(L"office2016white"));
    registryStore().createKey(Hive::CurrentUser, kSettings);
    DWORD disposition = 0;
    RegCloseKey(createKey(HKEY_CURRENT_USER, kSettings, &disposition));
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_TRUE(fileMarked());

    // The same four bytes under another type are a change.
    const BYTE four[] = {24, 0, 0, 0};
    ASSERT_EQ(RegSetValueExW(key, L"ToolBarIconSize", 0, REG_BINARY, four, sizeof four), ERROR_SUCCESS);
    EXPECT_FALSE(fileMarked());
    markFile();
    setString(key, L"UIStyle", L"office2016black");
    EXPECT_FALSE(fileMarked());
    markFile();
    registryStore().setValue(Hive::CurrentUser, L"Software\\Velmora\\New", L"UIStyle", RegistryValue::sz(L"x"));
    EXPECT_FALSE(fileMarked()) << "a value in a new key";
    RegCloseKey(key);

    // A value set in a sub-key made on the way is one change: the file is replaced once, so the
    // spare it went through holds the file as it was before.
    markFile();
    const std::string before = readHost(kHive);
    const std::wstring server = L"\"C:\\Korvo.exe\" /Automation";
    const auto serverBytes = static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\Server\\LocalServer32", nullptr, REG_SZ,
                              server.c_str(), serverBytes),
              ERROR_SUCCESS);
    EXPECT_FALSE(fileMarked());
    const std::string spare = "registry/.~korvo-" + std::to_string(::getpid()) + "-HKEY_CURRENT_USER.reg.spare";
    EXPECT_EQ(readHost(spare), before);
    markFile();
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\Server\\LocalServer32", nullptr, REG_SZ,
                              server.c_str(), serverBytes),
              ERROR_SUCCESS);
    EXPECT_TRUE(fileMarked()) << "the same value again";

    nextRun();
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, kSettings, L"UIStyle"), RegistryValue::sz(L"office2016black"));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, kSettings, L"ToolBarIconSize"), RegistryValue::binary({24, 0, 0, 0}));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Velmora\\New", L"UIStyle"), RegistryValue::sz(L"x"));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Velmora\\Server\\LocalServer32", L""),
              RegistryValue::sz(server));
}

TEST_F(StoreTest, RegistryOddTypesAndSizesKeepTheirBytes) {
    registryStore().setValue(Hive::CurrentUser, L"Software\\Odd", L"ShortDword", RegistryValue::raw(REG_DWORD, {1, 2}));
    registryStore().setValue(Hive::CurrentUser, L"Software\\Odd", L"Custom", RegistryValue::raw(0x1234, {0xab}));
    registryStore().setValue(Hive::CurrentUser, L"Software\\Odd", L"Empty", RegistryValue::raw(0, {}));
    idle();
    const std::string file = readHost("registry/HKEY_CURRENT_USER.reg");
    EXPECT_NE(file.find("\"ShortDword\"=hex(4):01,02\n\"Custom\"=hex(1234):ab\n\"Empty\"=hex(0):\n"), std::string::npos) << file;
    nextRun();
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Odd", L"ShortDword"), RegistryValue::raw(REG_DWORD, {1, 2}));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Odd", L"Custom"), RegistryValue::raw(0x1234, {0xab}));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, L"Software\\Odd", L"Empty"), RegistryValue::raw(0, {}));
}

TEST_F(StoreTest, MalformedRegistryFileIsReportedAndKept) {
    const std::string bad = "; registry hive HKEY_CURRENT_USER\n[Software\\Velmora]\n\"Good\"=dword:00000001\n\"Bad\"=dword:12\n";
    writeHost("registry/HKEY_CURRENT_USER.reg", bad);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Velmora", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"HKEY_CURRENT_USER.reg"), std::wstring::npos);
    EXPECT_NE(failures[0].find(L"line 4"), std::wstring::npos) << platform::core::toUtf8(failures[0]);

    // The run goes on with an empty hive in memory; the bad file is never written over.
    HKEY created = createKey(HKEY_CURRENT_USER, L"Software\\Velmora");
    setDword(created, L"Other", 5);
    RegCloseKey(created);
    EXPECT_EQ(readHost("registry/HKEY_CURRENT_USER.reg"), bad);
    EXPECT_EQ(hostEntries("registry"), std::vector<std::string>{"HKEY_CURRENT_USER.reg"});

    // Other hives are not affected.
    registryStore().setValue(Hive::LocalMachine, L"Software\\Velmora", L"SetupHelpPath", RegistryValue::sz(L"C:\\Help"));
    nextRun();
    EXPECT_EQ(registryStore().value(Hive::LocalMachine, L"Software\\Velmora", L"SetupHelpPath"), RegistryValue::sz(L"C:\\Help"));
    platform::core::takeFailures();
}

TEST_F(StoreTest, RegistryFileRejectsEachKindOfBadLine) {
    const std::vector<std::pair<std::string, int>> cases{
        {"\"Orphan\"=dword:00000001\n", 1},
        {"[A]\n\"x\"=dword:0000000g\n", 2},
        {"[A]\n\"x\"=\"unterminated\n", 2},
        {"[A]\n\"x\"=\"a\\qb\"\n", 2},
        {"[A]\n\"x\"=hex:1,2\n", 2},
        {"[A]\n\"x\"=word:1\n", 2},
        {"[A]\n\"x\"=\"a\" trailing\n", 2},
        {"[A\n", 1},
        {"[A\\\\B]\n", 1},
        {"[A]\n\"x\"=dword:00000001\n\"X\"=dword:00000002\n", 3},
    };
    for (const auto& [text, line] : cases) {
        writeHost("registry/HKEY_USERS.reg", text);
        nextRun();
        EXPECT_FALSE(registryStore().keyExists(Hive::Users, L"A")) << text;
        const auto failures = platform::core::takeFailures();
        ASSERT_EQ(failures.size(), 1u) << text;
        EXPECT_NE(failures[0].find(L"HKEY_USERS.reg, line " + std::to_wstring(line) + L":"), std::wstring::npos)
            << text << " -> " << platform::core::toUtf8(failures[0]);
    }
}

TEST_F(StoreTest, RegistryEscapesSurviveTheFile) {
    const std::wstring tricky = L"say \"hi\"\\n not a newline\nreal newline\r\ttab \x01 Материал ü \U0001F600 %PATH%";
    const std::wstring trickyName = L"name \"with\" = and \\ and ;";
    const std::wstring trickyKey = L"Software\\100% Key\nwith newline]";
    registryStore().setValue(Hive::CurrentUser, trickyKey, trickyName, RegistryValue::sz(tricky));
    registryStore().setValue(Hive::CurrentUser, trickyKey, L"", RegistryValue::multiSz({L"a,\"b\"", L"c\\d"}));

    idle();
    const std::string file = readHost("registry/HKEY_CURRENT_USER.reg");
    EXPECT_NE(file.find("[Software\\100%25 Key%0awith newline]]\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\"say \\\"hi\\\"\\\\n not a newline\\nreal newline\\r\\ttab \\x01 Материал ü \xF0\x9F\x98\x80 %PATH%\""),
              std::string::npos)
        << file;
    EXPECT_NE(file.find("@=multi:\"a,\\\"b\\\"\",\"c\\\\d\"\n"), std::string::npos) << file;

    nextRun();
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, trickyKey, trickyName), RegistryValue::sz(tricky));
    EXPECT_EQ(registryStore().value(Hive::CurrentUser, trickyKey, L""), RegistryValue::multiSz({L"a,\"b\"", L"c\\d"}));
}

TEST_F(StoreTest, RegistryDwordRestrictionAcceptsFourByteBinaryOnly) {
    const std::vector<std::uint8_t> four{0x2a, 0, 0, 0};
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Binary4", RegistryValue::binary(four));
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Binary5", RegistryValue::binary({1, 2, 3, 4, 5}));
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Dword", RegistryValue::dword(7));
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Text", RegistryValue::sz(L"7"));

    DWORD value = 0, bytes = sizeof value, type = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Binary4", RRF_RT_DWORD, &type, &value, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(value, 42u);
    EXPECT_EQ(type, REG_BINARY);
    bytes = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Dword", RRF_RT_DWORD, &type, &value, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
    bytes = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Binary5", RRF_RT_DWORD, nullptr, &value, &bytes), ERROR_DATA_NOT_ACCEPTED);
    bytes = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Text", RRF_RT_DWORD, nullptr, &value, &bytes), ERROR_UNSUPPORTED_TYPE);
    bytes = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Binary4", RRF_RT_REG_DWORD, nullptr, &value, &bytes),
              ERROR_UNSUPPORTED_TYPE);
    bytes = sizeof value;
    value = 99;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\T", L"Missing", RRF_RT_DWORD | RRF_ZEROONFAILURE, nullptr, &value, &bytes),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(RegistryValue::binary(four).asDword(), 42u);
    EXPECT_FALSE(RegistryValue::binary({1, 2, 3}).asDword());
}

TEST_F(StoreTest, RegistryStringBuffersCountWideCharactersWithTerminator) {
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Text", RegistryValue::sz(L"abc"));
    registryStore().setValue(Hive::CurrentUser, L"Software\\T", L"Path", RegistryValue::expandSz(L"%HOME%\\x"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\T", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD bytes = 0, type = 0;
    ASSERT_EQ(RegQueryValueExW(key, L"Text", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(bytes, 4 * sizeof(wchar_t));
    wchar_t small[2] = {L'x', L'y'};
    bytes = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, L"Text", nullptr, &type, reinterpret_cast<BYTE*>(small), &bytes), ERROR_MORE_DATA);
    EXPECT_EQ(bytes, 4 * sizeof(wchar_t));

    // A string written without its terminator still reads back terminated.
    HKEY writable = createKey(HKEY_CURRENT_USER, L"Software\\T");
    ASSERT_EQ(RegSetValueExW(writable, L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"xyz"), 3 * sizeof(wchar_t)), ERROR_SUCCESS);
    EXPECT_EQ(queryString(writable, L"Bare"), L"xyz");
    RegCloseKey(writable);

    platform::core::config().environment[L"home"] = L"C:\\Users\\user";
    wchar_t expanded[64];
    bytes = sizeof expanded;
    ASSERT_EQ(RegGetValueW(key, nullptr, L"Path", RRF_RT_REG_SZ, &type, expanded, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::wstring(expanded), L"C:\\Users\\user\\x");
    bytes = sizeof expanded;
    ASSERT_EQ(RegGetValueW(key, nullptr, L"Path", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, expanded, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(expanded), L"%HOME%\\x");
    RegCloseKey(key);
}

TEST_F(StoreTest, RegistryAccessFaultsAndHandleRights) {
    // A fresh machine has HKEY_CLASSES_ROOT\CLSID; reading it writes nothing.
    HKEY clsid = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_WRITE, &clsid), ERROR_SUCCESS);
    RegCloseKey(clsid);
    EXPECT_FALSE(std::filesystem::exists(root_ / "registry"));

    registryStore().deny(Hive::ClassesRoot, L"clsid", platform::core::RegistryAccess::Write);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
    HKEY probe = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\KV.Check", 0, nullptr, 0, KEY_WRITE, nullptr, &probe, nullptr),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &key), ERROR_SUCCESS);
    // Creating below a readable key is still a write.
    EXPECT_EQ(RegCreateKeyExW(key, L"KV.Check", 0, nullptr, 0, KEY_READ, nullptr, &probe, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetKeyValueW(key, L"KV.Check", nullptr, REG_SZ, L"0", 2 * sizeof(wchar_t)), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_FALSE(registryStore().keyExists(Hive::ClassesRoot, L"CLSID\\KV.Check"));

    registryStore().allow(Hive::ClassesRoot, L"CLSID", platform::core::RegistryAccess::Write);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_WRITE, &key), ERROR_SUCCESS);
    probe = createKey(key, L"KV.Check");
    setString(probe, nullptr, L"0");
    RegCloseKey(probe);
    EXPECT_EQ(RegDeleteKeyW(key, L"KV.Check"), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_FALSE(registryStore().keyExists(Hive::ClassesRoot, L"CLSID\\KV.Check"));

    // A handle opened for reading cannot write; one opened for writing cannot read.
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    DWORD one = 1;
    EXPECT_EQ(RegSetValueExW(readOnly, L"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetKeyValueW(readOnly, nullptr, L"x", REG_DWORD, &one, 4), ERROR_ACCESS_DENIED);
    RegCloseKey(readOnly);
    HKEY writeOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_SET_VALUE, &writeOnly), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(writeOnly, L"x", nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
    RegCloseKey(writeOnly);

    registryStore().deny(Hive::CurrentUser, L"Software\\Secret", platform::core::RegistryAccess::Read);
    registryStore().setValue(Hive::CurrentUser, L"Software\\Secret\\Inner", L"v", RegistryValue::dword(1));
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Secret\\Inner", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234))), static_cast<LONG>(ERROR_INVALID_HANDLE));
}

TEST_F(StoreTest, RegistryKeyDeletionRules) {
    registryStore().setValue(Hive::CurrentUser, L"Software\\Del\\Child", L"v", RegistryValue::dword(1));
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Del\\Child", 0, KEY_READ, &child), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Del"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Del\\Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"software\\del\\CHILD"), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(child, L"v", nullptr, &type, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    HKEY parent = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Del", 0, KEY_ALL_ACCESS, &parent), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(parent, L"missing"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(parent);

    nextRun();
    EXPECT_TRUE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Del"));
    EXPECT_FALSE(registryStore().keyExists(Hive::CurrentUser, L"Software\\Del\\Child"));
}

TEST_F(StoreTest, RegistryWritesFromSeveralThreadsAllLand) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                HKEY key = nullptr;
                const std::wstring path = L"Software\\Threads\\T" + std::to_wstring(t);
                if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
                const DWORD value = static_cast<DWORD>(i);
                RegSetValueExW(key, std::to_wstring(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
                RegCloseKey(key);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    nextRun();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(registryStore().valueNames(Hive::CurrentUser, L"Software\\Threads\\T" + std::to_wstring(t)).size(), 25u);
}

}  // namespace
