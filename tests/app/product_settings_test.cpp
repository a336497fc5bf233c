// The product ini's settings, the command-line flags and the "DockingPanes" list, read without
// running the program.
#include <gtest/gtest.h>

#include "app/startup/command_line_flags.h"
#include "app/kvw32_app.h"
#include "app/startup/product_settings.h"
#include "mainframe/panes/pane_windows.h"
#include "platform/core/journal.h"
#include "tests/app/app_test_support.h"

namespace {

kvio::IniFile Ini(std::wstring_view text) {
    kvio::IniFile ini;
    ini.LoadFromText(text, L"Korvo.ini");
    return ini;
}

app::ProductSettings Read(std::wstring_view text) { return app::ReadProductSettings(Ini(text), 1440, 900); }

TEST(ProductSettings, PartnerEditionDefaultsOnlyForTheExactLanguageGer) {
    EXPECT_TRUE(Read(L"[SETTINGS]\nLanguage=Ger\n").isMardel);
    EXPECT_FALSE(Read(L"[SETTINGS]\nLanguage=GER\n").isMardel);
    EXPECT_FALSE(Read(L"[SETTINGS]\nLanguage=Germ\n").isMardel);
    EXPECT_FALSE(Read(L"[SETTINGS]\nLanguage=Ger\nIsMardel=0\n").isMardel);
    EXPECT_TRUE(Read(L"[SETTINGS]\nLanguage=Rus\nIsMardel=1\n").isMardel);
}

TEST(ProductSettings, DefaultsOfAnEmptyFile) {
    const app::ProductSettings s = Read(L"");
    EXPECT_EQ(s.language, L"Rus");
    EXPECT_EQ(s.tutorHtm, L"index.htm");
    EXPECT_EQ(s.videoPlayer, L"Rovani\\Rovani.exe");
    EXPECT_EQ(s.fixedWidth, 1440u);
    EXPECT_EQ(s.fixedHeight, 900u);
    EXPECT_TRUE(s.macros);
    EXPECT_TRUE(s.metric);
    EXPECT_TRUE(s.alphaAllowed);
    EXPECT_FALSE(s.isMardel || s.isQuenta || s.isOstrel);
    EXPECT_EQ(app::ProductKindOf(s), KorvoOemProduct::None);

    const app::RegistryLocation location = app::ReadRegistryLocation(Ini(L""));
    EXPECT_EQ(location.company, L"Velmora");
    EXPECT_EQ(location.registryName, L"Korvo CAD 18.0");
}

TEST(ProductSettings, PresentEmptyValuesStayEmptyAndFlagsFollowTheirKeys) {
    const app::ProductSettings s =
        Read(L"[SETTINGS]\nTutorHTM=\nNoAlpha=1\nMacros=0\nMetric=0\n[FIXED_SIZE]\nCX=1024\nCY=768\n");
    EXPECT_EQ(s.tutorHtm, L"");
    EXPECT_FALSE(s.alphaAllowed);
    EXPECT_FALSE(s.macros);
    EXPECT_FALSE(s.metric);
    EXPECT_EQ(s.fixedWidth, 1024u);
    EXPECT_EQ(s.fixedHeight, 768u);
    // Any value but 0 counts as set.
    const app::ProductSettings other = Read(L"[SETTINGS]\nNoAlpha=-1\nMetric=2\n");
    EXPECT_FALSE(other.alphaAllowed);
    EXPECT_TRUE(other.metric);
}

TEST(ProductSettings, ProductKindPrefersPartnerThenQuentaThenOstrel) {
    EXPECT_EQ(app::ProductKindOf(Read(L"[SETTINGS]\nIsMardel=1\nIsQuenta=1\nIsOstrel=1\n")), KorvoOemProduct::Mardel);
    EXPECT_EQ(app::ProductKindOf(Read(L"[SETTINGS]\nIsQuenta=1\nIsOstrel=1\n")), KorvoOemProduct::Quenta);
    EXPECT_EQ(app::ProductKindOf(Read(L"[SETTINGS]\nIsOstrel=1\n")), KorvoOemProduct::Ostrel);
}

TEST(ProductSettings, RelativePathsAreTakenInsideTheProgramFolder) {
    const CString folder = KVGetProgramPath();
    const app::ProductSettings s = Read(
        L"[SETTINGS]\nDefaultStateFile=Layouts\\state.xml\nBackgroundImage=D:\\Pictures\\back.png\n"
        L"DefaultContextMenuFile=\nDefaultTemplateFolder=\\\\server\\templates\n");
    EXPECT_EQ(s.defaultStateFile, folder + L"\\Layouts\\state.xml");
    EXPECT_EQ(s.backgroundImage, L"D:\\Pictures\\back.png");
    EXPECT_EQ(s.defaultContextMenuFile, L"");
    EXPECT_EQ(s.defaultTemplateFolder, L"\\\\server\\templates");
    EXPECT_EQ(CKvw32App::GetIniPath(Ini(L"[SETTINGS]\nSplashImage=Banner.bmp\n"), L"SETTINGS", L"SplashImage"),
              folder + L"\\Banner.bmp");
    // Without "ApplicationsFile" the add-on applications are listed in the program folder.
    EXPECT_EQ(CKvw32App::Instance()->GetApplicationsIniPath(), folder + L"\\Applications.ini");
}

TEST(CommandLine, KernelFlagsNeverReachTheFramework) {
    EXPECT_TRUE(app::IsKernelCommandLineFlag(L"Lxyz"));
    EXPECT_TRUE(app::IsKernelCommandLineFlag(L"ini:C:\\p.ini"));
    EXPECT_FALSE(app::IsKernelCommandLineFlag(L"lfoo"));
    EXPECT_FALSE(app::IsKernelCommandLineFlag(L"INI:C:\\p.ini"));
    EXPECT_FALSE(app::IsKernelCommandLineFlag(L"inifile"));
    EXPECT_FALSE(app::IsKernelCommandLineFlag(L"Embedding"));

    CKvw32App::KVCommandLineInfo swallowed;
    swallowed.ParseParam(L"Lxyz", TRUE, FALSE);
    swallowed.ParseParam(L"ini:C:\\p.ini", TRUE, TRUE);
    EXPECT_EQ(swallowed.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(swallowed.m_strFileName.IsEmpty());
    EXPECT_FALSE(swallowed.m_bRunEmbedded);

    CKvw32App::KVCommandLineInfo embedded;
    embedded.ParseParam(L"Lxyz", TRUE, FALSE);
    embedded.ParseParam(L"Embedding", TRUE, TRUE);
    EXPECT_TRUE(embedded.m_bRunEmbedded);
    EXPECT_FALSE(embedded.m_bShowSplash);

    // A plain file name is still the framework's.
    CKvw32App::KVCommandLineInfo file;
    file.ParseParam(L"C:\\Work\\a.grb", FALSE, TRUE);
    EXPECT_EQ(file.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(file.m_strFileName, L"C:\\Work\\a.grb");
}

std::vector<std::wstring> EnabledPanes(PaneWindows& windows) {
    std::vector<std::wstring> names;
    for (const DockingPaneName& row : kDockingPaneNames) {
        if (!(windows.*row.slot).IsDisabled()) names.emplace_back(row.name);
    }
    return names;
}

TEST(DockingPanes, FirstEntryMakesAnAllowOrADenyList) {
    PaneWindows allow;
    ApplyDockingPanesValue(allow, L"modelTree, tasks");
    EXPECT_EQ(EnabledPanes(allow), (std::vector<std::wstring>{L"modelTree", L"tasks"}));

    PaneWindows deny;
    ApplyDockingPanesValue(deny, L"!modelTree");
    EXPECT_EQ(EnabledPanes(deny).size(), 20u);
    EXPECT_TRUE(deny.modelTree.IsDisabled());

    // Later entries change only their own pane.
    PaneWindows mixed;
    ApplyDockingPanesValue(mixed, L"!modelTree, !tasks, modelTree");
    EXPECT_FALSE(mixed.modelTree.IsDisabled());
    EXPECT_TRUE(mixed.tasks.IsDisabled());

    PaneWindows none;
    ApplyDockingPanesValue(none, L"");
    EXPECT_TRUE(EnabledPanes(none).empty());
    EXPECT_FALSE(none.error.IsDisabled());
}

TEST(DockingPanes, UnknownNamesAreLoggedAndStillDecideTheListKind) {
    PaneWindows windows;
    ApplyDockingPanesValue(windows, L"!modelTee, tasks, bogus");
    EXPECT_EQ(EnabledPanes(windows).size(), 21u);
    const std::vector<std::wstring> logs = platform::core::journal().texts("log");
    EXPECT_TRUE(apptest::Contains(logs, L"6 Invalid docking pane window \"modelTee\" is specified in a configuration file"));
    EXPECT_TRUE(apptest::Contains(logs, L"6 Invalid docking pane window \"bogus\" is specified in a configuration file"));
}

}  // namespace
