// A configurations tree over the stand-in kernel's documents-menu model, for tests that change
// the model as the kernel would and look at the rows a user would see.
#pragma once

#include <memory>
#include <string>

#include "documentsmenu/records/configuration_record.h"
#include "documentsmenu/records/libraries_group_record.h"
#include "documentsmenu/records/library_record.h"
#include "documentsmenu/tree_view.h"
#include "platform/core/control.h"
#include "platform/harness.h"
#include "platform/win32/files/file.h"
#include "tests/support/session_test.h"

namespace documentsmenutest {

inline const std::wstring kLibraries = L"C:\\Users\\user\\Libraries\\";

class StructureTest : public platform::harness::SessionTest {
protected:
    platform::harness::Session session;
    platform::harness::DocumentsMenuModel& model = session.kernel().documentsMenu();
    DocumentsMenu::IConfiguration* standard = model.addConfiguration(kLibraries + L"Standard.tws", L"Standard");
    DocumentsMenu::DocumentsMenuDlg window;
    std::unique_ptr<DocumentsMenu::TreeView> tree;

    ~StructureTest() override {
        tree.reset();
        DocumentsMenu::CloseAllConfigurations(DocumentsMenu::GlobalCfgGroup());
    }

    // The tree as the user first sees it.
    void open() {
        tree = std::make_unique<DocumentsMenu::TreeView>(&window);
        ASSERT_TRUE(tree->Create(nullptr, 0));
    }
    platform::harness::ReportDriver report() { return session.user().report(tree->GetSafeHwnd()); }
    std::wstring rows() { return report().outline(); }
    // Expands the row showing `caption` (a strict failure when there is none).
    void expand(const std::wstring& caption) { report().expand(report().find(caption)); }
    int row(const std::wstring& caption) { return report().find(caption); }
    DocumentsMenu::Record* record(const std::wstring& caption) {
        const int index = row(caption);
        CXTPReportRow* found = index < 0 ? nullptr : tree->GetRows()->GetAt(index);
        return found ? dynamic_cast<DocumentsMenu::Record*>(found->GetRecord()) : nullptr;
    }
    static void writeFile(const std::wstring& path) { platform::files::writeAllAtomic(path, "document"); }
    // Lets the UI thread do what waits for it (idle fills, folder notifications), with or without
    // the program running.
    void idle() {
        if (session.running()) {
            session.runUntilIdle();
            return;
        }
        // The folder watcher's thread posts what the host told it first.
        platform::core::control::quiesce();
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    // How often the journal has a call containing `text`.
    long callCount(std::wstring_view text) {
        long count = 0;
        for (const std::wstring& call : platform::harness::calls(session)) count += call.find(text) != std::wstring::npos;
        return count;
    }
};

}  // namespace documentsmenutest
