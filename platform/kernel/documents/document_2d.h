// The 2D part of a kernel document (its "2D container"): objects, document variables, undo
// blocks and the current page's status. The kernel's panel callbacks name a document by it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/kernel/documents/parameters.h"
#include "platform/mfc.h"

// The properties of a page: its text style, the world box of its sheet (left, top, right,
// bottom) and its paper size, in millimetres (an A3 sheet in landscape).
struct PageProperties {
    double fontSize = 3.5;
    CString fontName = L"Arial";
    double window[4] = {0, 297, 420, 0};
    double paperWidth = 420;
    double paperHeight = 297;
};

class KVScreenGC;
class KVDocument;

// A page of a drawing: its name and text style. Pages are objects of the document's 2D part,
// found by page id through GetSafeObject.
class STATUS : public CKVObject {
public:
    STATUS() = default;
    explicit STATUS(CString name) : name_(std::move(name)) {}
    const PageProperties& GetProperties() const { return properties_; }
    PageProperties& GetProperties() { return properties_; }
    const CString& GetName() const { return name_; }
    // The page's kind (1: a sketch page of the kernel's own; 0 otherwise).
    int GetKind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }
    // Sets up a graphics context to draw as this page draws (recorded).
    void PrepareGC(KVScreenGC& gc) const;

private:
    CString name_;
    PageProperties properties_;
    int kind_ = 0;
};

namespace platform::kernel {
class TechRequirementStore;
class CoordinateSystemStore;
}

namespace SCREEN_STAT {
// The first page of the document (0 when it has none).
int FindValidPage(const KVDocument* document);
}  // namespace SCREEN_STAT

namespace FONT_STYLE {
// The font size of the page's text style `target` (the stand-in keeps one style).
double GetSizeFromPage(const STATUS* status, int target);
}  // namespace FONT_STYLE

// A text variable of a document: a name and its text.
struct KVTextVariable {
    CString name;
    CString value;
};

// A document variable: a name, or an expression when it has none, with its value.
struct KVVariable {
    CString name;
    CString expression;
    double value = 0.0;
    // A variable tied to a PDM parameter: the parameter's type (0: none; 4 a nomenclature
    // parameter) and the state of its value (1: as the PDM system has it).
    int varnelParameterType = 0;
    int state = 0;
    // The text a text variable holds.
    CString text;
};

namespace FORMULA {
// What an edit shows for a variable: its name, or its expression when it has no name.
CString GetNameOrExpression(const KVVariable& variable);
// The type of the PDM parameter the variable is tied to (0: none).
inline int GetVarnelParameterType(const KVVariable& variable) { return variable.varnelParameterType; }
}  // namespace FORMULA

// A layer of a drawing: its number, name and state flags (bit 0 hidden, bit 1 frozen, bit 2 not
// printed).
struct KVLayer {
    int number = 0;
    CString name;
    DWORD state = 0;
};

class KVDocument : public Container2D {
public:
    KVDocument();
    ~KVDocument() override;

    // The variable of `index`, or null.
    const KVVariable* GetVariable(int index) const;
    int AddVariable(const CString& name, double value);  // the new index
    int GetVariableCount() const { return static_cast<int>(variables_.size()); }
    // The variable named so (case ignored), or -1; a new variable of that name (its index).
    int FindVariable(const CString& name) const;
    int CreateVar(const CString& name);
    KVVariable* GetVariableForEdit(int index);
    // The kernel regenerates the document's model after a change.
    void Regenerate();
    // The drawing's own mark that its messages need the user's attention whatever the list shows.
    bool IsMessageFlagSet() const { return messageFlag_; }
    void SetMessageFlag(bool on) { messageFlag_ = on; }

    // The first drawing object named `name` (names compare exactly), or -1.
    int FindElementByName(LPCWSTR name) const;

    // Makes `text` a variable of the document, or finds the one it names. Flag 0 makes a new
    // variable (holding `current`) for a new name; flag 3 only reads an existing one. On success
    // (1) `index` and `value` are the variable's. 0: the text can be no variable (it is not a
    // name). Below 0: the kernel declined (a test's answer).
    int create_real_var(LPCWSTR text, int& index, double& value, double current, int flag);

    // Makes the text variable `name` ("$" and a name) holding `value` (`""` reads as an empty
    // text), at most `size` characters; its index, or -1 when the name is no such name
    // (recorded).
    int create_text_var(LPCWSTR name, int index, LPCWSTR value, int size, int flags);
    const std::vector<KVTextVariable>& GetTextVariables() const { return textVariables_; }

    // Undo steps are collected between the two; mode 1 while a block is open.
    void start_undo_block(int state, int code);
    void end_undo_block();
    int GetUndoMode() const { return undoMode_; }

    // The drawing's layers in number order; a new drawing has "0" (number 0) and "Dimensions" (1).
    const std::vector<KVLayer>& GetLayers() const { return layers_; }
    const KVLayer* GetLayer(int number) const;
    const KVLayer* FindLayer(const CString& name) const;  // exact comparison
    // A new layer of that name with the next free number (recorded); the new number.
    int CreateLayer(const CString& name);
    void SetLayerState(int number, DWORD state);

    // The colour the sheet borders are drawn in; drawing the borders and a page's contents
    // through a screen context (both recorded).
    int get_border_color() const { return 0; }
    void show_sheet_borders(KVScreenGC& gc) const;
    void redraw_struct(int page, KVScreenGC& gc) const;

    // The page's status; every page number gives the current page.
    const STATUS* GetPageStatus(int page) const;
    STATUS& GetCurrentPageStatus() { return page_; }

    // The drawing's pages in their order (ids from kFirstPageId on), and the page of an id, or
    // null when the document has no such page.
    int AddPage(const CString& name);
    const std::vector<int>& GetPageIds() const { return pageIds_; }
    STATUS* GetSafePage(int pageId) const;

    // The technical requirements, their types and inscriptions (kept in the model stream).
    platform::kernel::TechRequirementStore& TechRequirements() const { return *requirements_; }
    // The local coordinate systems and view projections of its pages (coordinate_systems.h).
    platform::kernel::CoordinateSystemStore& CoordinateSystems() const { return *coordinateSystems_; }
    int GetTechRequirementCount() const;

    // What the kernel's control makes the next create_real_var answer (nothing: its own answer).
    void SetForcedVariableResult(std::optional<int> result) { forcedVariableResult_ = result; }

private:
    bool messageFlag_ = false;
    std::vector<KVVariable> variables_;
    std::vector<KVLayer> layers_;
    std::vector<KVTextVariable> textVariables_;
    int undoMode_ = 0;
    STATUS page_;
    std::optional<int> forcedVariableResult_;
    std::vector<int> pageIds_;
    std::unique_ptr<platform::kernel::TechRequirementStore> requirements_;
    std::unique_ptr<platform::kernel::CoordinateSystemStore> coordinateSystems_;
};
