// A session with the sample's cover plate open and the requirements pane hosted, for tests that
// drive the pane as a user does.
#pragma once

#include <string>
#include <vector>

#include "app/kvw32_app.h"
#include "platform/kernel/techreq/store.h"
#include "techrequirements/list_model.h"
#include "techrequirements/tech_requirements_window.h"
#include "tests/support/session_test.h"

namespace reqtest {

using namespace platform::harness;
using platform::core::DialogAction;

inline const std::wstring kCover = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";
inline const std::wstring kList = L"TechRequirementDialog.List";

class RequirementEditing : public SessionTest {
protected:
    void Host() {
        s.start();
        s.runUntilIdle();
        frame = s.inspect().mainFrames().at(0);
        s.user().expectFileChoose(kCover);
        s.user().command(frame, 0xE101);
        s.runUntilIdle();
        ASSERT_FALSE(s.kernel().hostRequirementsPane(frame).has_value());
        s.runUntilIdle();
        dialog = CKvw32App::Instance()->GetTechRequirementsWindow()->GetDialog();
        ASSERT_NE(dialog, nullptr);
        document = dialog->GetDocument();
    }
    // The session closes its documents at the end: a changed one is not saved.
    void TearDown() override {
        if (document && document->IsModified()) document->SetModifiedFlag(FALSE);
    }
    void Work(const std::wstring& operation, const std::vector<std::wstring>& arguments) {
        s.kernel().work(operation, arguments);
        s.runUntilIdle();
    }
    std::optional<std::wstring> Click(const std::wstring& id) {
        auto refusal = s.user().kvpfToggle(L"TechRequirementDialog." + id);
        s.runUntilIdle();
        return refusal;
    }
    void Select(const std::vector<int>& rows) {
        ASSERT_FALSE(s.user().kvpfSelectRows(kList, rows).has_value());
        s.runUntilIdle();
    }
    std::vector<unsigned> RowIndexes() const {
        std::vector<unsigned> indexes;
        for (int row = 0; row < dialog->listModel().GetRowCount(); ++row) indexes.push_back(dialog->listModel().rowIndex(row));
        return indexes;
    }
    const std::vector<CString>& UndoSteps() const { return document->Cont2D()->TechRequirements().UndoSteps(); }
    CString Text(unsigned index) const {
        return TechRequirement::Properties(TechRequirementManager(document).GetByIndex(index)).GetText(true);
    }

    Session s;
    HWND frame = nullptr;
    TechRequirementDialog* dialog = nullptr;
    CKvw32Doc* document = nullptr;
};

}  // namespace reqtest
