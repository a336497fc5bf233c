// Forms shared by the UI library's control tests.
#pragma once

#include "platform/korvoui.h"

namespace kvpftest {

class Form : public kvpf::WpfDockFormView {
public:
    explicit Form(const wchar_t* name = L"Form") : WpfDockFormView(name, true) {}
};

// A form with a text box and a simple list of rows, as a chooser builds it.
struct Chooser {
    explicit Chooser(const wchar_t* name = L"Form") : form(new Form(name)) {
        text = static_cast<kvpf::StringControl*>(form->Add(kvpf::MakeRef<kvpf::StringControl>(CString(L"Filter"))));
        text->OnTextChanged([this] { ++typed; });
        rows = kvpf::MakeRef<kvpf::SimpleListModel>(1);
        list = static_cast<kvpf::ListControl*>(form->Add(kvpf::MakeRef<kvpf::ListControl>(CString(L"Rows"))));
        list->SetModel(rows);
        list->SetSelectionMode(0);
        list->Bind(kvpf::ListControl::Event::CellDoubleClick, [this](int row, int) { doubleClicked = row; });
        rows->SetRows({{7, {L"Seven"}, L"7", {}, kvpf::Color{0, 0, 0}}, {9, {L"Nine"}, {}, {}, std::nullopt}});
    }
    ~Chooser() { form->Destroy(); }

    Form* form;
    kvpf::StringControl* text;
    kvpf::ListControl* list;
    kvpf::Ref<kvpf::SimpleListModel> rows;
    int typed = 0;
    int doubleClicked = -1;
};

}  // namespace kvpftest
