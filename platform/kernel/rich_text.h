// The text library's rich text as the metafile callback of text browsers uses it: a document of
// one text rectangle, filled by pasting a serialised selection or inserting text, edited in the
// kernel's modal rich-text editor, and drawn into a graphics context.
//
// The stand-in keeps plain paragraphs. Its serialised form is "KVRICH1\n" followed by the
// paragraphs in UTF-8, one a line; a buffer without that header does not paste.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/compression.h"
#include "platform/kvgc.h"
#include "platform/mfc.h"

class CKvw32Doc;

namespace Rich {

class SingleRectDoc {
public:
    SingleRectDoc(CKvw32Doc* document, double scale);

    // Editing happens between the two; false when it cannot begin (a document already editing).
    bool beginEditMode();
    void endEditMode();
    void cursorToFirstObject() { cursor_ = 0; }
    void cursorToStart() { cursor_ = 0; }
    // Inserts the serialised paragraphs at the cursor; false for bytes that are no serialised
    // rich text (or outside edit mode).
    bool pasteFromBuffer(const BYTE* buffer, DWORD size, double scale);
    // Inserts text at the cursor (line breaks start paragraphs); nothing outside edit mode.
    void insertText(const CString& text);
    void selectAll() { selected_ = true; }
    // Writes the selection in the serialised form; false when nothing is selected.
    bool writeSelectionToFile(kvio::IWriteStream& stream, double scale) const;
    // The plain text: paragraphs joined by "\r\n".
    CString getText() const;
    void setText(const CString& text);
    // Draws one line per paragraph, 5 mm high and 2.5 mm a character, from the world origin down.
    void draw(KVDrawContext& gc) const;
    CKvw32Doc* GetDocument() const { return document_; }

private:
    CKvw32Doc* document_;
    std::vector<std::wstring> paragraphs_;
    std::size_t cursor_ = 0;
    bool editing_ = false;
    bool selected_ = false;
};

// The kernel's modal rich-text editor over the document: the user's answer (the harness's
// kernel dialog "rich-text", the editor's plain text) replaces the text; false when cancelled.
// The editor shows with the default font name and control flag in force (recorded).
bool editInModalWindow(SingleRectDoc& document);

}  // namespace Rich
