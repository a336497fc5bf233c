// The requirements of one document as the stand-in kernel keeps them, and the document's model
// stream that carries them with the pages and the document's id (private to the platform):
//
//   <document guid="XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX">
//     <page name="Sheet 1"/>
//     <type id="..." name="General" header="false"><type id="..." name="Surfaces" reset="true"/></type>
//     <requirement index="1" type="..." source="1" suppressed="true" pages="1 2">text</requirement>
//     <inscription page="1" requirements="1 3"/>
//   </document>
//
// Pages are named by their position (1, 2, ...) in the file, by their page ids in memory. A
// requirement's text holds its paragraphs on separate lines.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/techreq/tech_requirements.h"

class CKvw32Doc;

namespace platform::kernel {

class TechRequirementStore {
public:
    explicit TechRequirementStore(KVDocument& document) : document_(document) {}
    TechRequirementStore(const TechRequirementStore&) = delete;
    TechRequirementStore& operator=(const TechRequirementStore&) = delete;

    // The requirements in list order.
    std::vector<TechRequirement*> Ordered() const;
    TechRequirement* Find(unsigned index) const;
    int Count() const { return static_cast<int>(requirements_.size()); }
    // A new requirement at the end of the list with the next free index.
    TechRequirement* Add(Rich::Document text, const Korvo::UniqueIdentifier& type, std::vector<int> pages,
                         bool suppressed, int source);
    // The same with a given index (unused, as a file names it); the next free index follows it.
    TechRequirement* AddWithIndex(unsigned index, Rich::Document text, const Korvo::UniqueIdentifier& type,
                                  std::vector<int> pages, bool suppressed, int source);
    // Removes the requirement and every inscription link to it; false when there is none.
    bool Remove(unsigned index);
    void Swap(TechRequirement* first, TechRequirement* second);

    TechRequirementTypesDb& Types() { return types_; }
    const std::vector<INSCR>& Inscriptions() const { return inscriptions_; }
    void AddInscription(INSCR inscription) { inscriptions_.push_back(std::move(inscription)); }
    // Undo steps the requirement services made, by caption, oldest first.
    const std::vector<CString>& UndoSteps() const { return undoSteps_; }
    void AddUndoStep(const CString& caption) { undoSteps_.push_back(caption); }
    // Undo blocks the editor holds open: what the services change inside one is the block's step.
    void OpenUndoBlock() { ++openUndoBlocks_; }
    void CloseUndoBlock() {
        if (openUndoBlocks_ > 0) --openUndoBlocks_;
    }
    bool InUndoBlock() const { return openUndoBlocks_ > 0; }

    KVDocument& Document() const { return document_; }
    CMarkContainer& Marks() { return marks_; }
    // Replaces the requirement's text (the kernel's editors).
    static void SetText(TechRequirement& requirement, Rich::Document text);

private:
    KVDocument& document_;
    std::vector<std::unique_ptr<TechRequirement>> requirements_;
    unsigned nextIndex_ = 1;
    TechRequirementTypesDb types_;
    std::vector<INSCR> inscriptions_;
    std::vector<CString> undoSteps_;
    int openUndoBlocks_ = 0;
    CMarkContainer marks_;
};

// Reads the model stream into the document's pages, requirements and id. False with the problem
// as "<origin>(<line>): <problem>" when the stream is malformed; the document is left as it was.
bool ReadModelStream(std::string_view bytes, std::wstring_view origin, CKvw32Doc& document, std::wstring& problem);
// The model stream of the document as ReadModelStream reads it.
std::string WriteModelStream(const CKvw32Doc& document);

// An id made from a text (two 64-bit FNV-1a hashes of its UTF-8 bytes), the same in every run.
GUID guidOfText(std::wstring_view text);

}  // namespace platform::kernel
