// The 2D part of a kernel document (its "2D container"): objects, document variables, undo
// blocks and the current page's status. The kernel's panel callbacks name a document by it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/kernel/documents/parameters.h"
#include "platform/mfc.h"

// The properties of a page: its text style.
struct PageProperties {
    double fontSize = 3.5;
    CString fontName = L"Arial";
};

class STATUS {
public:
    const PageProperties& GetProperties() const { return properties_; }
    PageProperties& GetProperties() { return properties_; }

private:
    PageProperties properties_;
};

namespace FONT_STYLE {
// The font size of the page's text style `target` (the stand-in keeps one style).
double GetSizeFromPage(const STATUS* status, int target);
}  // namespace FONT_STYLE

// A document variable: a name, or an expression when it has none, with its value.
struct KVVariable {
    CString name;
    CString expression;
    double value = 0.0;
};

namespace FORMULA {
// What an edit shows for a variable: its name, or its expression when it has no name.
CString GetNameOrExpression(const KVVariable& variable);
}  // namespace FORMULA

class KVDocument : public Container2D {
public:
    // The variable of `index`, or null.
    const KVVariable* GetVariable(int index) const;
    int AddVariable(const CString& name, double value);  // the new index
    int GetVariableCount() const { return static_cast<int>(variables_.size()); }

    // Makes `text` a variable of the document, or finds the one it names. Flag 0 makes a new
    // variable (holding `current`) for a new name; flag 3 only reads an existing one. On success
    // (1) `index` and `value` are the variable's. 0: the text can be no variable (it is not a
    // name). Below 0: the kernel declined (a test's answer).
    int create_real_var(LPCWSTR text, int& index, double& value, double current, int flag);

    // Undo steps are collected between the two; mode 1 while a block is open.
    void start_undo_block(int state, int code);
    void end_undo_block();
    int GetUndoMode() const { return undoMode_; }

    // The page's status; every page number gives the current page.
    const STATUS* GetPageStatus(int page) const;
    STATUS& GetCurrentPageStatus() { return page_; }

    // What the kernel's control makes the next create_real_var answer (nothing: its own answer).
    void SetForcedVariableResult(std::optional<int> result) { forcedVariableResult_ = result; }

private:
    std::vector<KVVariable> variables_;
    int undoMode_ = 0;
    STATUS page_;
    std::optional<int> forcedVariableResult_;
};
