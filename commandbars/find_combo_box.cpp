#include "commandbars/find_combo_box.h"

#include <algorithm>

#include "platform/kernel.h"
#include "platform/korvoui.h"

IMPLEMENT_DYNCREATE(CFindComboBox, CXTPControlComboBox)

CFindComboBox::CFindComboBox() {
    constexpr int kWidth = 120;
    SetID(kCommand);
    SetWidth(XTPDpiHelper()->ScaleX(kWidth));
    SetEditable(TRUE);
}

void CFindComboBox::OnExecute() { Find(); }

void CFindComboBox::Find() {
    CString name = GetEditText();
    name.Trim();
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    bool selected = false;
    if (!name.IsEmpty() && frame) {
        CKVView* view = frame->GetActiveKorvoView();
        auto* document = view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr;
        KVDocument* drawing = document ? document->Cont2D() : nullptr;
        const int element = drawing ? drawing->FindElementByName(name) : -1;
        selected = element >= 0 && view->SelectObject(element);
        if (selected) {
            std::vector<CString>& history = document->GetFindHistory();
            std::erase(history, name);
            history.insert(history.begin(), name);
        }
    }
    if (!selected) ::MessageBeep(MB_ICONASTERISK);
    SetEditText(L"");
    ResetContent();
    OnKillFocus();
    if (frame && frame->AsWindow()) frame->AsWindow()->SetFocus();
}

void CFindComboBox::OnSetFocus() {
    CXTPControlComboBox::OnSetFocus();
    ResetContent();
    KorvoServerAppProxy* application = KorvoServerAppProxy::Instance();
    CKvw32Doc* document = application ? application->GetCurrentDocument() : nullptr;
    if (!document) return;
    for (const CString& name : document->GetFindHistory()) AddString(name);
}
