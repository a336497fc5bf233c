// The modal editor of a document's requirement types: a tree of main types with child types in
// one list, with buttons to add, nest, remove, clear and move them. It edits the caller's copy of
// the database; ending with button 3 means "no change".
#pragma once

#include <functional>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

class TechRequirementTypesDialog : public kvpf::ModalDialog {
public:
    class ListModel;

    explicit TechRequirementTypesDialog(TechRequirementTypesDb& types);

protected:
    ~TechRequirementTypesDialog() override;

private:
    friend class ListModel;

    kvpf::ButtonControl* addListButton(const wchar_t* id, const wchar_t* svg, void (TechRequirementTypesDialog::*handler)());
    void onAdd();
    void onAddEmbedded();
    void onRemove();
    void onClear();
    void onMoveUp();
    void onMoveDown();
    void onCellEditBegin(int row, int column);
    void onCellEditEnd(int row, int column);
    bool tryChangeData(int row, int column, const kvpf::Variant& value, int role);
    void updateButtons();
    // Calls `step` with the type and row of every selected row, first to last or last to first.
    void walkSelection(bool backward, const std::function<void(const Korvo::UniqueIdentifier&, int)>& step);
    // Runs `change`, then selects again the rows of the types selected before it.
    void keepSelection(const std::function<void()>& change);
    // The rows a change of cell `row` applies to: the selection, made that row alone when it was
    // not in it.
    std::vector<int> affectedRows(int row);
    // Reloads and tells the list that column `column` of the rows changed.
    void notifyCells(const std::vector<int>& rows, int column);

    TechRequirementTypesDb* types_;  // the caller's copy
    ListModel* model_ = nullptr;     // held by the list
    kvpf::ListControl* list_ = nullptr;
    kvpf::ButtonControl* add_ = nullptr;
    kvpf::ButtonControl* addEmbedded_ = nullptr;
    kvpf::ButtonControl* remove_ = nullptr;
    kvpf::ButtonControl* clear_ = nullptr;
    kvpf::ButtonControl* moveUp_ = nullptr;
    kvpf::ButtonControl* moveDown_ = nullptr;
    kvpf::StringControl* nameEditor_ = nullptr;
};
