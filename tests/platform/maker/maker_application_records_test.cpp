// The kernel's records of add-on applications as the applications dialog uses them: entries read
// from descriptor sections, native and managed applications added once per identifier and
// removable, and a section of the applications file rewritten without touching the others.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/win32/files/file.h"

namespace {

kvio::IniFile Descriptor(std::wstring_view text) {
    kvio::IniFile ini;
    ini.LoadFromText(text, L"C:\\Tools\\Tools.kva");
    return ini;
}

TEST(MakerApplicationRecords, AnEntryNeedsAPathAndIsNativeUnlessItsTypeSaysOtherwise) {
    const kvio::IniFile ini = Descriptor(L"[A]\nName=Alpha\nPath=C:\\a.dll\nFlags=1025\n[B]\nName=Beta\n[C]\nType=2\nPath=C:\\c.dll\n");
    kvaux::ApplicationIniFileEntry entry;
    ASSERT_TRUE(entry.Read(ini, L"A", L"C:\\Tools\\Tools.kva"));
    EXPECT_EQ(entry.name, L"Alpha");
    EXPECT_EQ(entry.type, 1);
    EXPECT_EQ(entry.flags, 1025u);
    EXPECT_FALSE(entry.Read(ini, L"B", nullptr));  // no path
    EXPECT_FALSE(entry.Read(ini, L"Missing", nullptr));
    ASSERT_TRUE(entry.Read(ini, L"C", nullptr));
    EXPECT_EQ(entry.type, 2);
}

TEST(MakerApplicationRecords, EachManagerAddsItsOwnKindOncePerIdentifierAndTakesItBackAfterRemoval) {
    const kvio::IniFile ini = Descriptor(L"[N]\nName=Native\nPath=C:\\n.dll\n[M]\nName=Managed\nType=3\nPath=C:\\m.dll\n");
    kvaux::ApplicationIniFileEntry native, managed;
    ASSERT_TRUE(native.Read(ini, L"N", nullptr));
    ASSERT_TRUE(managed.Read(ini, L"M", nullptr));
    IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy();
    EXPECT_EQ(CKVApplicationManager::AddApplication(L"M", managed, nullptr), nullptr);
    EXPECT_EQ(proxy->Add(L"N", native, 0), nullptr);
    CKVApplication* added = CKVApplicationManager::AddApplication(L"N", native, nullptr);
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(added->IsStarted());  // added, not started
    EXPECT_FALSE(added->IsFromINI());
    EXPECT_EQ(CKVApplicationManager::AddApplication(L"n", native, nullptr), nullptr);  // the same identifier
    EXPECT_EQ(CKVApplicationManager::GetApplication(L"N"), added);
    CKVBaseApplication* addedManaged = proxy->Add(L"M", managed, 0);
    ASSERT_NE(addedManaged, nullptr);
    EXPECT_TRUE(addedManaged->IsManaged());
    EXPECT_EQ(proxy->GetCount(), 1);
    EXPECT_EQ(proxy->Find(L"m"), addedManaged);

    EXPECT_TRUE(CKVApplicationManager::RemoveApplication(L"N"));
    EXPECT_EQ(CKVApplicationManager::GetApplication(L"N"), nullptr);
    EXPECT_FALSE(CKVApplicationManager::RemoveApplication(L"N"));
    EXPECT_NE(CKVApplicationManager::AddApplication(L"N", native, nullptr), nullptr);
    EXPECT_TRUE(proxy->Remove(L"M"));
    EXPECT_EQ(proxy->GetCount(), 0);
    EXPECT_EQ(proxy->GetAt(0), nullptr);
}

TEST(MakerApplicationRecords, SavingRewritesOnlyTheApplicationsOwnSection) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Apps"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(L"C:\\Apps\\Applications.ini",
                                              "; kept\n[Other]\nPath=C:\\o.dll\n[S]\nPath=C:\\old.dll\nStale=1\n[Last]\nPath=C:\\l.dll\n"),
              0u);
    const kvio::IniFile ini = Descriptor(L"[S]\nName=Saved\nPath=C:\\s.dll\nFlags=2\n");
    kvaux::ApplicationIniFileEntry entry;
    ASSERT_TRUE(entry.Read(ini, L"S", nullptr));
    CKVApplication* application = CKVApplicationManager::AddApplication(L"S", entry, nullptr);
    ASSERT_NE(application, nullptr);
    application->SetExplicitStartOnly(true);
    ASSERT_TRUE(application->SaveInINI(L"C:\\Apps\\Applications.ini"));
    std::string bytes;
    ASSERT_EQ(platform::files::readAll(L"C:\\Apps\\Applications.ini", bytes), 0u);
    EXPECT_EQ(bytes, "; kept\r\n[Other]\r\nPath=C:\\o.dll\r\n[S]\r\nName=Saved\r\nPath=C:\\s.dll\r\nType=1\r\nFlags=514\r\n"
                     "[Last]\r\nPath=C:\\l.dll\r\n");
    // A new file gets just the section.
    ASSERT_TRUE(application->SaveInINI(L"C:\\Apps\\New.ini"));
    ASSERT_EQ(platform::files::readAll(L"C:\\Apps\\New.ini", bytes), 0u);
    EXPECT_EQ(bytes, "[S]\r\nName=Saved\r\nPath=C:\\s.dll\r\nType=1\r\nFlags=514\r\n");
}

}  // namespace
