// Technical requirements of a drawing (numbered notes) as the kernel serves them: requirements with
// their index, rich text, type, pages, suppression and source; inscriptions that link to them; the
// requirement types as a tree; the manager made on a document for each call; undo blocks and the
// regeneration scope. The stand-in keeps everything in the document's 2D part and its model
// stream (platform/kernel/techreq/store.h); calls it cannot honour are failures naming the call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/documents/document_2d.h"
#include "platform/kernel/services/pdm.h"
#include "platform/mfc.h"
#include "platform/textcore.h"

class CKvw32Doc;
class CKVBaseView;
class CWnd;

// Application events the kernel raises for a document's requirements (DocumentEventArgs).
inline constexpr UINT kEventTechRequirementsChanged = 1150;  // requirements added or removed by the kernel's own work
inline constexpr UINT kEventTechPagesChanged = 1151;  // pages added, removed or given new names
inline constexpr UINT kEventTechTypesChanged = 1152;  // the requirement types or a requirement's type changed

namespace Rich {

// A rich-text document: paragraphs of text (the stand-in keeps no formatting).
class Document {
public:
    Document() = default;
    explicit Document(std::vector<CString> paragraphs) : paragraphs_(std::move(paragraphs)) {}
    // One paragraph a line of `text` (a carriage return before the line feed dropped).
    static Document FromLines(std::wstring_view text);
    const std::vector<CString>& GetParagraphs() const { return paragraphs_; }
    void AddParagraph(const CString& text) { paragraphs_.push_back(text); }
    // The paragraphs joined by line breaks.
    CString GetText() const;
    bool IsEmpty() const { return paragraphs_.empty(); }
    // Reads (writes) the text from (to) a file the user picks with the file chooser: UTF-8, one
    // paragraph a line. False when cancelled or the file cannot be read (written); a failed read
    // leaves the text as it was.
    bool readFromFile(CWnd* parent, CKVBaseView* view);
    bool writeToFile(CWnd* parent, CKVBaseView* view) const;

private:
    std::vector<CString> paragraphs_;
};

}  // namespace Rich

// The text of a requirement as the kernel keeps it.
class TechReqTextData {
public:
    explicit TechReqTextData(Rich::Document text) : text_(std::move(text)) {}
    const Rich::Document& GetRichText() const { return text_; }

private:
    Rich::Document text_;
};

// A link from an inscription to a requirement, optionally on a page.
class TechReqLink {
public:
    TechReqLink(unsigned requirementIndex, std::optional<int> page) : index_(requirementIndex), page_(page) {}
    unsigned ReqIndex() const { return index_; }
    bool TryGetPageIndex(int& page) const {
        if (page_) page = *page_;
        return page_.has_value();
    }
    const std::optional<int>& Page() const { return page_; }

private:
    unsigned index_;
    std::optional<int> page_;
};

// An inscription on a page with its leader links to requirements.
class INSCR {
public:
    INSCR(int page, std::vector<TechReqLink> links) : page_(page), links_(std::move(links)) {}
    int GetPage() const { return page_; }
    const std::vector<TechReqLink>& GetTechNotesLinks() const { return links_; }

private:
    int page_;
    std::vector<TechReqLink> links_;
};

// A requirement type tree: main types with nested types, each with an id and a name.
class TechRequirementTypesDb {
public:
    struct Type {
        Korvo::UniqueIdentifier id;
        CString name;
        Korvo::UniqueIdentifier parent;  // all zero: a main type
        bool showHeader = true;          // main types: the text shows the type's name above its requirements
        bool resetNumeration = false;    // child types: their requirements are numbered from 1 again
        friend bool operator==(const Type&, const Type&) = default;
    };

    // The types of the document's database (a reference to the document's own).
    static TechRequirementTypesDb& Instance(CKvw32Doc* document);

    // Every type id, depth first, siblings in their order; `mainOnly` keeps the main types.
    std::vector<Korvo::UniqueIdentifier> GetAllSorted(bool mainOnly) const;
    const Type* Find(const Korvo::UniqueIdentifier& id) const;
    // The main type above `id` (itself for a main type); all zero when unknown.
    Korvo::UniqueIdentifier GetMainTypeParent(const Korvo::UniqueIdentifier& id) const;
    CString GetName(const Korvo::UniqueIdentifier& id) const;
    // The names from the main type down, joined by `separator`; empty when unknown.
    CString GetFullName(const Korvo::UniqueIdentifier& id, const wchar_t* separator) const;
    // Adds a type under `parent` (all zero: a main type); false for a known id or a missing parent.
    bool Add(const Type& type);

    // Editing, as the types editor does it. New types get ids of their own; `after` (all zero:
    // at the end) names the sibling the new type follows. AddChild answers all zero when the
    // parent is unknown.
    Korvo::UniqueIdentifier GetParent(const Korvo::UniqueIdentifier& id) const;
    bool IsMainType(const Korvo::UniqueIdentifier& id) const;
    void SetName(const Korvo::UniqueIdentifier& id, const CString& name);
    bool GetShowHeader(const Korvo::UniqueIdentifier& id) const;
    void SetShowHeader(const Korvo::UniqueIdentifier& id, bool show);
    bool GetResetNumeration(const Korvo::UniqueIdentifier& id) const;
    void SetResetNumeration(const Korvo::UniqueIdentifier& id, bool reset);
    Korvo::UniqueIdentifier AddMainType(const CString& name, const Korvo::UniqueIdentifier& after = {});
    Korvo::UniqueIdentifier AddChild(const Korvo::UniqueIdentifier& parent, const CString& name,
                                     const Korvo::UniqueIdentifier& after = {});
    // Removes the type with every type below it; `count` is how many went. False when unknown.
    bool Remove(const Korvo::UniqueIdentifier& id, int& count);
    void Clear() { types_.clear(); }
    int GetCount() const { return static_cast<int>(types_.size()); }
    // Swaps the type with its sibling before (after) it; false when it has none.
    bool CanMove(const Korvo::UniqueIdentifier& id, bool up) const;
    bool Move(const Korvo::UniqueIdentifier& id, bool up);
    const std::vector<Type>& GetTypes() const { return types_; }
    friend bool operator==(const TechRequirementTypesDb&, const TechRequirementTypesDb&) = default;

private:
    Type* find(const Korvo::UniqueIdentifier& id);
    Korvo::UniqueIdentifier insert(Type type, const Korvo::UniqueIdentifier& after);
    // The index in types_ of the sibling before (after) `id`, or none.
    std::optional<std::size_t> sibling(const Korvo::UniqueIdentifier& id, bool before) const;

    std::vector<Type> types_;  // parents before their children
};

// A requirement of a document; owned by the document, found by its index.
class TechRequirement {
public:
    // The operations on one requirement.
    class Properties {
    public:
        explicit Properties(TechRequirement* requirement) : requirement_(requirement) {}
        unsigned GetReqIndex() const;
        // The plain text; `singleLine` joins the paragraphs with blanks.
        CString GetText(bool singleLine) const;
        const TechReqTextData* GetTextData() const;
        Korvo::UniqueIdentifier GetTechTypeId() const;
        void SetTechTypeId(const Korvo::UniqueIdentifier& type);
        void UnassignTechType();
        int GetSourceType() const;  // 1: from the PDM system
        bool IsOnPage(int page) const;
        void AddToPage(int page);
        void RemoveFromPage(int page);
        bool IsSuppressed() const;
        // `page` -1: on every page (the stand-in keeps one state).
        void SetSuppressed(bool state, int page);

    private:
        TechRequirement* requirement_;
    };

    // The inscriptions on the document's pages that link to this requirement.
    std::vector<const INSCR*> GetInscriptions() const;
    // The caption of an undo step: 1 add, 3 change, 4 delete.
    static CString GetUndoName(int action);

private:
    friend class Properties;
    friend class platform::kernel::TechRequirementStore;
    friend class TechRequirementManager;
    platform::kernel::TechRequirementStore* store_ = nullptr;
    unsigned index_ = 0;
    std::unique_ptr<TechReqTextData> text_;
    Korvo::UniqueIdentifier type_;
    std::vector<int> pages_;
    bool suppressed_ = false;
    int source_ = 0;
};

// Scopes regeneration of a document's drawing (recorded when it opens and closes).
class KVDocRegenContext {
public:
    KVDocRegenContext(CKvw32Doc* document, bool regenerate, bool redraw, bool full);
    ~KVDocRegenContext();
    KVDocRegenContext(const KVDocRegenContext&) = delete;
    KVDocRegenContext& operator=(const KVDocRegenContext&) = delete;
    CKvw32Doc* GetDocument() const { return document_; }

private:
    CKvw32Doc* document_;
};

// One undo step of a document for its life, captioned; Cancel drops it, and so does a block in
// which the document's requirements did not change.
class UndoBlock {
public:
    UndoBlock(CKvw32Doc* document, const CString& caption);
    ~UndoBlock();
    UndoBlock(const UndoBlock&) = delete;
    UndoBlock& operator=(const UndoBlock&) = delete;
    void Cancel() { cancelled_ = true; }
    void RegForChange(TechRequirement* requirement);

private:
    CKvw32Doc* document_;
    CString caption_;
    bool cancelled_ = false;
    int changes_ = 0;
    std::string before_;  // the document's model stream when the block opened
};

// The document's undo manager, for steps that span a dialog.
class UndoManager {
public:
    explicit UndoManager(CKvw32Doc* document) : document_(document) {}
    void Open(const CString& caption);
    void CopyScreenStatus();
    void Close(bool keep, bool redraw);

private:
    CKvw32Doc* document_;
    CString caption_;
    bool open_ = false;
};

// Bracket reorderings and type changes of a document's requirements.
class PositionsChangesScope {
public:
    PositionsChangesScope(CKvw32Doc* document, bool notify);
    ~PositionsChangesScope();
    PositionsChangesScope(const PositionsChangesScope&) = delete;
    PositionsChangesScope& operator=(const PositionsChangesScope&) = delete;

private:
    CKvw32Doc* document_;
};

class TypesChangesScope {
public:
    TypesChangesScope(CKvw32Doc* document, bool notify);
    ~TypesChangesScope();
    TypesChangesScope(const TypesChangesScope&) = delete;
    TypesChangesScope& operator=(const TypesChangesScope&) = delete;

private:
    CKvw32Doc* document_;
    bool notify_;
};

// The kernel's modal editors of requirement texts, answered as the harness's kernel dialog
// "requirement": the answer's paragraphs (separated by "|") become the text; no answer cancels.
// EditAllRequirements gives the paragraphs to the requirements in list order, adding one for each
// paragraph left over.
class TechRequirementEditor {
public:
    static bool EditText(CWnd* parent, Rich::Document& text);
    static bool EditSingleRequirement(CWnd* parent, TechRequirement* requirement);
    static bool EditAllRequirements(CWnd* parent, CKvw32Doc* document);
};

// The requirement services, made on a document for each call.
class TechRequirementManager {
public:
    explicit TechRequirementManager(CKvw32Doc* document);

    // The requirements in list order, those on `page` when one is given.
    std::vector<TechRequirement*> GetSorted(std::optional<int> page, bool includeSuppressed) const;
    TechRequirement* GetByIndex(unsigned index) const;
    // The pages that can hold requirements (every page of the drawing, in order).
    std::vector<int> FindSuitablePages() const;
    // The pages some requirement is on; `includeSuppressed` counts suppressed ones too.
    std::vector<int> GetPagesWithRequirements(bool includeSuppressed) const;
    bool IsValidPage(int page) const;
    bool IsValidPageToCreateTechNotes(int page) const;
    // The nearest requirement before (after) `requirement` in the list order of `page` with the
    // same type; null when none.
    TechRequirement* GetPreviousWithSameType(TechRequirement* requirement, std::optional<int> page, bool sameType) const;
    TechRequirement* GetNextWithSameType(TechRequirement* requirement, std::optional<int> page, bool sameType) const;
    // Swaps the requirement with its same-type neighbour; false when it has none.
    bool MoveRequirementPosition(TechRequirement* requirement, std::optional<int> page, bool up);
    // A copy of `requirement` added after the last one; null without a requirement.
    TechRequirement* AddToDocument(TechRequirement* requirement, bool withPages, void* context, bool select, bool notify);
    std::unique_ptr<Rich::Document> CreateEmptyRichDocument(bool typed) const;
    // Every requirement's text (those on `page`, -1 for all), one paragraph each.
    std::unique_ptr<Rich::Document> CreateRichDocument(bool typed, int page, bool numbered) const;
    // One requirement per non-empty paragraph.
    std::vector<TechRequirement*> CreateTechRequirementsFromText(const Rich::Document& text, bool typed);
    // The requirements' texts as Unicode text lines on the clipboard; false when it cannot be opened.
    bool CopyToClipboard(CWnd* window, const std::vector<TechRequirement*>& requirements) const;
    // A requirement per line of clipboard text, on `page` when given; false when there was none.
    bool PasteFromClipboard(CWnd* window, std::optional<int> page);
    static bool CanCreateRichDocumentFromClipboard();
    // The requirement notes of a page (all pages) drawn again (recorded).
    void UpdateTechNotes(int page, bool redraw, KVDocRegenContext& context);
    void UpdateAllTechNotes(bool redraw, KVDocRegenContext& context);
    // Exchange with the PDM system is on while the work mix is connected.
    bool IsWorkWithVarnelEnabled() const;
    // The requirement gets an entry of the PDM work item (its source becomes the PDM system).
    void AddToVarnelWorkItem(TechRequirement* requirement);
    // Drops the requirement's PDM entry; `keep` leaves it in the document as its own.
    void DeleteInVarnel(TechRequirement* requirement, bool keep);
    void SyncRequirementsWithVarnel();
    // A requirement from the PDM system (source 1) per standard requirement, with its text;
    // false when none was made.
    bool ImportStandardReqsFromVarnel(const std::vector<KVPDMTechReqHandle>& handles);

private:
    CKvw32Doc* document_;
};

// The elements a delete command removes together.
class SimpleParentsArray : public std::vector<TechRequirement*> {};

// The objects a document shows marked (highlighted) in its views. The stand-in marks
// inscriptions, kept as descriptions ("inscription on page P to R,S"), so a mark never points
// into the document.
class CMarkContainer {
public:
    struct GeomDataHolder {
        bool IsEmpty() const { return true; }
    };
    void RemoveAllObjects();
    void AddObj(const INSCR* inscription);
    // 2: the marks show inscriptions.
    int GetContextKind() const { return 2; }
    GeomDataHolder GetGeomData() const { return {}; }
    const std::vector<std::wstring>& Objects() const { return objects_; }

private:
    std::vector<std::wstring> objects_;
};

// The text-core module's interactive commands on a view.
class KVTextCoreModule {
public:
    static KVTextCoreModule& Instance();
    // Starts placing a requirements text in the view (recorded).
    void CreateText(CKVBaseView* view);
};
