#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/ui/control.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"

namespace {

using platform::kernel::productIniFileName;

const std::wstring kFolder = L"C:\\Program Files\\Velmora\\Korvo CAD 18.0";

TEST(MakerKernel, ProductIniComesFromTheIniFlagOrTheProgramFolder) {
    EXPECT_EQ(productIniFileName({}, kFolder), kFolder + L"\\Korvo.ini");
    EXPECT_EQ(productIniFileName({L"/ini:D:\\Setups\\Custom.ini", L"C:\\a.grb"}, kFolder), L"D:\\Setups\\Custom.ini");
    EXPECT_EQ(productIniFileName({L"C:\\a.grb", L"-ini:\"C:\\With space\\K.ini\""}, kFolder), L"C:\\With space\\K.ini");
    // Not the flag: other flags, a different spelling, an empty path, the word alone.
    EXPECT_EQ(productIniFileName({L"/INI:x.ini", L"/ini:", L"ini:x.ini", L"/inifile", L"/Lrus"}, kFolder),
              kFolder + L"\\Korvo.ini");
    // The first flag wins.
    EXPECT_EQ(productIniFileName({L"/ini:first.ini", L"/ini:second.ini"}, kFolder), L"first.ini");
}

TEST(MakerKernel, SessionStepsSucceedUnlessMadeToFailAndAreRecordedInOrder) {
    EXPECT_TRUE(platform::kernel::failSessionStep(L"PostInitSession"));
    EXPECT_FALSE(platform::kernel::failSessionStep(L"NoSuchStep"));
    GlobalContainer::EnableMacros(true);
    GlobalContainer::InitSessionLocale(L"Ger", true, KorvoOemProduct::Mardel);
    EXPECT_TRUE(GlobalContainer::PreInitSession(true));
    GlobalContainer::RestoreSessionLanguage();
    EXPECT_FALSE(GlobalContainer::PostInitSession());
    EXPECT_TRUE(GlobalContainer::FinishInitSession());
    EXPECT_TRUE(GlobalContainer::IsMardel());
    EXPECT_FALSE(GlobalContainer::IsQuenta());
    EXPECT_EQ(Korvo::I18n::GetLanguage(), L"Ger");
    EXPECT_EQ(platform::core::journal().texts("call"),
              (std::vector<std::wstring>{L"GlobalContainer::EnableMacros(true)",
                                         L"GlobalContainer::InitSessionLocale(\"Ger\", true, 1)",
                                         L"GlobalContainer::PreInitSession(true)",
                                         L"GlobalContainer::RestoreSessionLanguage()",
                                         L"GlobalContainer::PostInitSession()",
                                         L"GlobalContainer::FinishInitSession()"}));
}

}  // namespace

namespace {

std::wstring classesValue(const wchar_t* key) {
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

TEST(MakerKernel, ShellFileTypesAreRegisteredFromTheDocumentString) {
    platform::kernel::overrideString(1000, L"\nDrawing\nDrawing\nDrawings (*.grb)\n.grb\nKorvo.Drawing\nKorvo drawing");
    platform::kernel::overrideString(996, L"\nSheet\nSheet\nSheets (*.grs)\n.grs\nKorvo.Sheet\nKorvo sheet");
    KVRegisterShellFileTypes(1000, true, true);
    KVRegisterShellFileTypes(996, true, false);
    EXPECT_EQ(classesValue(L".grb"), L"Korvo.Drawing");
    EXPECT_EQ(classesValue(L"Korvo.Drawing"), L"Korvo drawing");
    EXPECT_EQ(classesValue(L"Korvo.Drawing\\shell\\open\\ddeexec"), L"[open(\"%1\")]");
    EXPECT_EQ(classesValue(L"Korvo.Sheet\\shell\\open\\command"),
              L"\"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe\" \"%1\"");
    EXPECT_EQ(classesValue(L"Korvo.Sheet\\shell\\open\\ddeexec"), L"<missing>");
}

TEST(MakerKernel, TheTemplateOpensExistingFilesAndFailsAsInjected) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Work"), 0u);
    for (const wchar_t* name : {L"C:\\Work\\a.grb", L"C:\\Work\\b.grb.err", L"C:\\Work\\c.grb", L"C:\\Work\\d.grb"})
        ASSERT_EQ(platform::files::writeAllAtomic(name, platform::kernel::encodeCompoundFile(
                                                            {{platform::kernel::kHeaderStreamName,
                                                              platform::kernel::encodeDocumentHeader(18, 1)}})),
                  0u);
    platform::kernel::failDocumentOpen(L"c:\\work\\C.GRB", false);
    platform::kernel::failDocumentOpen(L"C:\\Work\\d.grb", true);

    std::unique_ptr<CKVDocTemplate> docTemplate(CKVDocTemplate::Create(
        1000, RUNTIME_CLASS(CKvw32Doc), RUNTIME_CLASS(Korvo::UI::MdiChildFrame), RUNTIME_CLASS(CKVTabView)));
    CDocument* a = docTemplate->OpenDocumentFile(L"C:\\Work\\a.grb", TRUE);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetPathName(), L"C:\\Work\\a.grb");
    docTemplate->SetCrashCopyFlag(true);
    CDocument* b = docTemplate->OpenDocumentFile(L"C:\\Work\\b.grb.err", TRUE);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(docTemplate->GetCrashCopyFlag());  // for one call only
    EXPECT_EQ(docTemplate->OpenDocumentFile(L"C:\\Work\\missing.grb", TRUE), nullptr);
    EXPECT_EQ(docTemplate->OpenDocumentFile(L"C:\\Work\\c.grb", TRUE), nullptr);
    bool thrown = false;
    try {
        docTemplate->OpenDocumentFile(L"C:\\Work\\d.grb", TRUE);
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);

    const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
    ASSERT_EQ(documents.size(), 2u);  // failed opens leave nothing behind
    EXPECT_EQ(documents[0], a);
    EXPECT_EQ(documents[1], b);
    EXPECT_EQ(Korvo::DocumentManager::Instance().FindDocument(L"c:\\work\\A.GRB"), a);
    EXPECT_TRUE(static_cast<CKvw32Doc*>(b)->LockDocumentFile(L"C:\\Work\\a.grb"));
    EXPECT_FALSE(static_cast<CKvw32Doc*>(b)->LockDocumentFile(L"C:\\Work\\b.grb"));
    const auto& journal = platform::core::journal();
    const long long flagSet = journal.find("call", L"CKVDocTemplate::SetCrashCopyFlag(true)");
    ASSERT_GE(flagSet, 0);
    EXPECT_EQ(journal.find("call", L"CKVDocTemplate::OpenDocumentFile(", flagSet),
              journal.find("call", L"CKVDocTemplate::OpenDocumentFile(\"C:\\Work\\b.grb.err\", true)"))
        << "the crash copy is the next document opened";

    docTemplate->CloseAllDocuments(TRUE);
    EXPECT_TRUE(Korvo::DocumentManager::Instance().GetDocuments().empty());
}

}  // namespace
