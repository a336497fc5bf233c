// What configuration and libraries-group rows share: their fill from the model, the searches
// their filtered fills use, and the rows they add when the model adds an object.
#pragma once

#include <functional>

#include "documentsmenu/library_search.h"
#include "documentsmenu/records/record.h"

namespace DocumentsMenu {

// The row classes a group row makes for its children.
struct GroupChildRows {
    std::function<Record*(ILibrary*)> library;
    std::function<Record*(ILibrariesGroup*)> group;
};

// True when anything below the group matches the filter: a sub-group or library by its search
// name, or a document of a library. Hidden objects are skipped while hidden objects are not
// shown; excluded ones are not. A library `answers` holds for the filter is not read again.
bool GroupMatchesSearch(ILibrariesGroup* group, const CString& filter, const DocumentsMenuDlg* window,
                        const SearchAnswers* answers = nullptr);
// True when a document directly in the library folder matches the filter.
bool LibraryMatchesSearch(ILibrary* library, const CString& filter, const DocumentsMenuDlg* window,
                          const SearchAnswers* answers = nullptr);

// The group-row part of a row: `owner` is the row whose children these are.
class GroupRows {
public:
    explicit GroupRows(Record& owner) : owner_(owner) {}

    // Replaces the children by rows for the group's sub-groups and libraries, filtered.
    void Fill(ILibrariesGroup* group, const CString& filter, const GroupChildRows& make);
    void LibraryAdded(ILibrary* library, const GroupChildRows& make);
    void GroupAdded(ILibrariesGroup* group, const GroupChildRows& make);
    // The image of the first library of the group whose folder the view has an image for.
    static int GroupIconId(ILibrariesGroup* group, CXTPReportControl* control);

private:
    Record& owner_;
};

}  // namespace DocumentsMenu
