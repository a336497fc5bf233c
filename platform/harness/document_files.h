// The harness's fixture builder for kernel document files (compound files), shared by tests and
// the sample seeding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::harness::detail {

struct DocumentFileSpec {
    std::uint32_t kind = 1;  // 1 drawing, 2 fragment, 3 part, 4 assembly, 5 specification
    std::wstring title;
    std::vector<std::wstring> pages;
    bool header = true;  // false: a compound file without the document header
    // Summary properties besides the title, by name ("Author", "Keywords" ...).
    std::vector<std::pair<std::wstring, std::wstring>> properties = {};
    // PNG pictures of the preview and icon streams; a side of 0 leaves the picture out.
    int previewWidth = 0, previewHeight = 0;
    int iconWidth = 0, iconHeight = 0;
    // Further elements of the model stream (types, requirements, inscriptions), as XML.
    std::string modelElements = {};
};

// The bytes of a compound file laid out as the record says.
std::string buildDocumentFile(const DocumentFileSpec& spec);

// The sample documents, written under the user's documents folder, and the prototype documents
// of the program folder.
inline constexpr const wchar_t* kSampleDocumentsFolder = L"C:\\Users\\user\\Documents\\Samples";
// The sample library configuration: library "Samples" (the folder above) and, in group
// "Templates", library "Prototypes" (the program folder's prototypes).
inline constexpr const wchar_t* kSampleConfiguration = L"C:\\Users\\user\\Documents\\Libraries.tws";
void seedSampleDocuments(std::wstring_view programFolder);

}  // namespace platform::harness::detail
