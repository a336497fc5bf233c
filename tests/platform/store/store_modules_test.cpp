#include "platform/win32.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using platform::modules::fileVersion;
using platform::modules::makeVersion;
using store_test::StoreTest;

const std::wstring kProgram = L"C:\\Program Files\\Velmora\\Korvo CAD 18.0";

INT_PTR fortyTwo() { return 42; }

class ModuleTest : public StoreTest {
protected:
    void writeModule(const std::string& file, const std::string& text) {
        writeHost("C/Program Files/Velmora/Korvo CAD 18.0/" + file, text);
    }
};

TEST_F(ModuleTest, VersionFollowsTheManifestFile) {
    writeModule("KorvoKernel.dll", "; module manifest\nversion=18.0.21.0\nexports=kernel\n");
    EXPECT_EQ(fileVersion(L"KorvoKernel.dll"), makeVersion(18, 0, 21, 0));
    EXPECT_EQ(fileVersion(kProgram + L"\\korvokernel.DLL"), makeVersion(18, 0, 21, 0));
    EXPECT_EQ(makeVersion(18, 0, 21, 0), (18ull << 48) | (21ull << 16));

    // Editing the file changes the version at once; nothing is cached.
    writeModule("KorvoKernel.dll", "; module manifest\nversion=18.0.20.65535\nexports=kernel\n");
    EXPECT_EQ(fileVersion(L"KorvoKernel.dll"), makeVersion(18, 0, 20, 65535));
    ASSERT_EQ(platform::modules::setVersion(kProgram + L"\\KorvoKernel.dll", L"17.1.2.3"), 0u);
    EXPECT_EQ(fileVersion(L"KorvoKernel.dll"), makeVersion(17, 1, 2, 3));
    EXPECT_EQ(readHost("C/Program Files/Velmora/Korvo CAD 18.0/KorvoKernel.dll"), "; module manifest\nversion=17.1.2.3\nexports=kernel\n");
    EXPECT_TRUE(platform::core::journal().texts("warning").empty());
}

TEST_F(ModuleTest, MissingModuleFailsWithModNotFound) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(L"KVDocAccess.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryW(L"C:\\Elsewhere\\KVDocAccess.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(fileVersion(L"KVDocAccess.dll"));
    EXPECT_EQ(GetModuleHandleW(L"KVDocAccess"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST_F(ModuleTest, MalformedManifestIsReportedWithFileAndLine) {
    writeModule("KV2DAnnotate.dll", "; module manifest\nversion=18.0.x.0\n");
    EXPECT_FALSE(fileVersion(L"KV2DAnnotate.dll"));
    auto warnings = platform::core::journal().texts("warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(kProgram + L"\\KV2DAnnotate.dll(2):"), std::wstring::npos) << platform::core::toUtf8(warnings[0]);
    EXPECT_EQ(LoadLibraryW(L"KV2DAnnotate.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);

    for (const char* bad : {"version=18.0.21\n", "version=18.0.21.70000\n", "garbage\n", "versoin=18.0.21.0\n", "load=maybe\n",
                            "load_ms=60001\n", "load_ms=-5\n", "load_ms=soon\n"}) {
        writeModule("KVTEXT.dll", bad);
        platform::core::journal().clear();
        EXPECT_FALSE(fileVersion(L"KVTEXT.dll")) << bad;
        EXPECT_TRUE(store_test::containsText(platform::core::journal().texts("warning"), L"KVTEXT.dll(1):")) << bad;
    }

    // Well-formed without a version: it loads, but has no version to report.
    writeModule("KorvoScene.dll", "; module manifest\nexports=scene\n");
    platform::core::journal().clear();
    EXPECT_FALSE(fileVersion(L"KorvoScene.dll"));
    EXPECT_TRUE(store_test::containsText(platform::core::journal().texts("warning"), L"KorvoScene.dll: module manifest has no"));
    HMODULE scene = LoadLibraryW(L"KorvoScene.dll");
    EXPECT_NE(scene, nullptr);
    FreeLibrary(scene);
}

TEST_F(ModuleTest, LoadFailureCarriesTheConfiguredError) {
    writeModule("KV3DSE.dll", "version=18.0.21.0\nload=fail\nerror=1114\n");
    EXPECT_EQ(LoadLibraryW(L"KV3DSE.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_DLL_INIT_FAILED);
    writeModule("KV3DSE.dll", "version=18.0.21.0\nload=fail\nerror=0x5\n");
    EXPECT_EQ(LoadLibraryW(L"KV3DSE.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    // The version is still readable: a module that fails to load is still a file.
    EXPECT_EQ(fileVersion(L"KV3DSE.dll"), makeVersion(18, 0, 21, 0));
}

TEST_F(ModuleTest, LoadingTakesTheManifestsTimeOnceAndOnlyOnce) {
    writeModule("KVCatalog.dll", "version=18.0.21.0\nload_ms=60000\n");
    writeModule("KorvoKernel.dll", "version=18.0.21.0\nload_ms=0\n");
    EXPECT_EQ(platform::modules::loadMilliseconds(L"KVCatalog.dll"), 60000u);
    EXPECT_EQ(platform::modules::loadMilliseconds(L"KorvoKernel.dll"), 0u);
    EXPECT_EQ(platform::modules::loadMilliseconds(L"KVMissing.dll"), 0u);

    const DWORD before = GetTickCount();
    HMODULE catalog = LoadLibraryW(L"KVCatalog.dll");
    ASSERT_NE(catalog, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "the wait must not disturb the load's own result";
    EXPECT_EQ(GetTickCount() - before, 60000u);
    // A module already loaded is only counted again.
    HMODULE again = LoadLibraryW(L"KVCatalog.dll");
    EXPECT_EQ(again, catalog);
    EXPECT_EQ(GetTickCount() - before, 60000u);
    FreeLibrary(again);
    FreeLibrary(catalog);

    // A failing initialisation fails only after it has taken its time.
    writeModule("KV3DSE.dll", "version=18.0.21.0\nload=fail\nload_ms=250\n");
    EXPECT_EQ(LoadLibraryW(L"KV3DSE.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_DLL_INIT_FAILED);
    EXPECT_EQ(GetTickCount() - before, 60250u);
}

TEST_F(ModuleTest, LoadedModulesAreCountedAndExportByName) {
    writeModule("KVDocAccess.dll", "version=18.0.21.0\nexports=docaccess\n");
    writeHost("C/Windows/System32/rstrtmgr.dll", "version=10.0.0.1\n");
    platform::modules::registerExportSet("docaccess", {{"ShowDocAccessWizard", &fortyTwo}});

    HMODULE first = LoadLibraryW(L"kvdocaccess");  // ".dll" is implied, the case does not matter
    ASSERT_NE(first, nullptr);
    HMODULE second = LoadLibraryW((kProgram + L"\\KVDocAccess.dll").c_str());
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetModuleHandleW(L"KVDOCACCESS.DLL"), first);
    EXPECT_EQ(platform::modules::modulePath(first), kProgram + L"\\KVDocAccess.dll");

    FARPROC wizard = GetProcAddress(first, "ShowDocAccessWizard");
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard(), 42);
    EXPECT_EQ(GetProcAddress(first, "showdocaccesswizard"), nullptr);  // export names are exact
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

    HMODULE restart = LoadLibraryW(L"rstrtmgr.dll");  // found in the system folder
    ASSERT_NE(restart, nullptr);
    EXPECT_NE(restart, first);
    EXPECT_EQ(GetProcAddress(restart, "RmStartSession"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleW(L"KVDocAccess.dll"), first);
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(GetModuleHandleW(L"KVDocAccess.dll"), nullptr);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    EXPECT_EQ(GetModuleHandleW(nullptr), platform::modules::programModule());
    EXPECT_EQ(GetModuleHandleW(L"korvo.exe"), platform::modules::programModule());
    EXPECT_EQ(platform::modules::modulePath(GetModuleHandleW(nullptr)), kProgram + L"\\Korvo.exe");
}

}  // namespace
