// XML read by the stand-ins (private to the platform): files through the platform's file layer,
// and parse errors reported with the file and the line, as every parser of the platform does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace platform::toolkit {

// The 1-based line of byte `offset` in `text`; 0 when the offset lies outside the text.
int lineAt(std::string_view text, std::ptrdiff_t offset);

// Reads the file at the Windows path `path`. False, with the journal warning
// "<path>: cannot be read (error <code>)", when it cannot be read.
bool readXmlFile(std::wstring_view path, std::string& bytes);

// Parses UTF-8 `text` into `dom`. False, with the journal warning
// "<origin>(<line>): malformed XML at offset <n>: <reason>", when it is not well-formed.
bool parseXml(pugi::xml_document& dom, std::string_view text, std::wstring_view origin);

}  // namespace platform::toolkit
