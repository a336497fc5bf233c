// The About box's texts: the registered owner, the version block and the placeholders of its
// template, apart from the dialog so they can be checked alone.
#pragma once

#include "platform/mfc.h"

// The owner, then a new line and the organization when there is one.
CString AboutOwnerText(const CString& owner, const CString& organization);

// A machine-wide registration value read into at most 255 bytes: a longer value is cut there
// (never past a character) and always ends; a missing one is empty.
CString ReadRegistrationValue(HKEY key, LPCWSTR name);

// "<program>" becomes the product title; with `all` also "<version>", "<system>" and "<year>".
CString ReplaceAboutPlaceholders(const CString& text, const CString& product, bool all);

struct AboutVersionBlock {
    CString text;
    int versionStart = 0;  // where the version number stands, to select it
    int versionEnd = 0;
};

// The version block: the application's version text on its own line, the version number, the
// platform, the build line with its date, then the PDM system's lines, every line ending with a
// carriage return and a line feed.
AboutVersionBlock MakeAboutVersionBlock(const CString& versionText, const CString& buildWord, const CString& buildDate,
                                        const CString& pdmInfo);
