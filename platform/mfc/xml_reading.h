// XML read by the stand-ins (private to the platform): files through the platform's file layer,
// and parse errors reported with the file and the line, as every parser of the platform does.
// It lives with the framework, the lowest library that reads XML (its dialog templates).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace platform::xml {

// The 1-based line of byte `offset` in `text`; 0 when the offset lies outside the text.
int lineAt(std::string_view text, std::ptrdiff_t offset);

// The deepest element nesting the platform's XML readers accept. Deeper files are refused whole:
// every reader walks, copies and frees what it read recursively, and a file must not be able to
// exhaust the stack by nesting alone.
inline constexpr std::size_t kMaxXmlDepth = 256;

// The first node below `root` nested deeper than kMaxXmlDepth levels, found without recursion;
// an empty node when there is none.
pugi::xml_node nestedTooDeep(const pugi::xml_node& root);

// The problem nestedTooDeep reports, without the file and line.
std::wstring nestedTooDeepProblem();

// Reads the file at the Windows path `path`. False, with the journal warning
// "<path>: cannot be read (error <code>)", when it cannot be read.
bool readXmlFile(std::wstring_view path, std::string& bytes);

// Parses UTF-8 `text` into `dom`. False, with the journal warning
// "<origin>(<line>): malformed XML at offset <n>: <reason>", when it is not well-formed, or
// "<origin>(<line>): elements nested deeper than 256 levels".
bool parseXml(pugi::xml_document& dom, std::string_view text, std::wstring_view origin);

}  // namespace platform::xml
