// The technical-support request: a filled-in request form handed to the mail program, which
// sends it to the support mailbox (or falls back to the support web page).
#pragma once

#include <string>

#include "platform/mfc.h"

// False when the form cannot be opened (the user was told); true once the request was handed
// on, whether or not the mail program could be started (that is only logged).
bool SendTechnicalSupportRequest();

namespace TechnicalSupport {

// Where the request goes: the recipient, and the body with its lines ended by CR LF.
struct Request {
    CString recipient;
    CString body;
};

// The support mailbox used when the form names none.
inline constexpr const wchar_t* kSupportAddress = L"support@velmora.example";

// Whether a form's first line is an address: an "@" after its first character and a "." more
// than one character after that "@".
bool IsAddressLine(const CString& line);
// The language name of the kernel's country code ("Unknown" for codes it does not know).
CString LanguageName(int countryCode);
// Every occurrence of `placeholder` in `text` replaced by `value`.
void ReplaceAll(CString& text, const wchar_t* placeholder, const CString& value);
// The body as the mail program reads it: UTF-16 little-endian code units, no byte-order mark.
std::string EncodeBody(const CString& body);

}  // namespace TechnicalSupport
