// The icons "application.xml" keeps with its commands: read into the image manager under the id
// the command gets now, written back with the state, and an image that does not read whole left
// out without losing its command.
#include <string>

#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

constexpr const char* kIconFile =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings>"
    "<ApplicationCommand Type=\"9\" AppId=\"OLD\"/>"
    "<ApplicationCommand Type=\"0\" AppId=\"GEARS\" InternalID=\"1\" CommandID=\"17001\">"
    "<Icon><Image Width=\"2\" Height=\"2\" Pixels=\"FF000000FF0000FFFF00FF0000FFFFFF\"/>"
    "<Image Width=\"32\" Vector=\"true\"/></Icon></ApplicationCommand>"
    "<ApplicationCommand Type=\"0\" AppId=\"GEARS\" InternalID=\"2\">"
    "<Icon><Image Width=\"2\" Height=\"2\" Pixels=\"FF00zz\"/><Image Width=\"900\"/></Icon></ApplicationCommand>"
    "</Settings>";

TEST(ApplicationCommandIcons, AreReadUnderTheNewIdAndWrittenBack) {
    Session s;
    s.files().write(s.files().programFile(L"application.xml"), kIconFile);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();

    // The first section got no command: "GEARS" 1 is 17000 now, and its icons came along.
    const CXTPImageManagerIconSet* set = XTPImageManager()->GetIconSet(17000);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->GetIcons().size(), 2u);
    const CXTPImageManagerIcon* raster = set->GetIcons().at(2);
    EXPECT_FALSE(raster->IsVectorIcon());
    EXPECT_EQ(raster->GetPixels(), (std::vector<std::uint32_t>{0xFF000000u, 0xFF0000FFu, 0xFF00FF00u, 0x00FFFFFFu}));
    EXPECT_TRUE(set->GetIcons().at(32)->IsVectorIcon());

    // Neither bad image was taken, and each was reported with where it stands.
    EXPECT_EQ(XTPImageManager()->GetIconSet(17001), nullptr);
    EXPECT_EQ(CKvw32App::Instance()->GetApplicationCommands().GetCount(), 2);
    const auto warnings = s.journal().texts("warning");
    EXPECT_GE(indexOf(warnings, L"Pixels"), 0);
    EXPECT_GE(indexOf(warnings, L"Width"), 0);

    s.kernel().callback([](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.SaveState()); });
    const std::string saved = s.files().read(s.files().programFile(L"application.xml")).value();
    EXPECT_NE(saved.find("Pixels=\"FF000000FF0000FFFF00FF0000FFFFFF\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("Vector=\"true\""), std::string::npos);
    // The command without an icon is written without an "Icon" section.
    EXPECT_EQ(saved.find("<Icon", saved.find("InternalID=\"2\"")), std::string::npos);
}

}  // namespace
