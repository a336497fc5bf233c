// What the kernel gives the ribbon's backstage pages: the help id swap, the print window, the
// template folder and the event that says the export modules changed.
#pragma once

#include <memory>

#include "platform/kernel/events.h"
#include "platform/mfc.h"

class CKvw32Doc;
class KVDrawingContext;

// Sets the application's help id for as long as it holds it; Reset (or destruction) puts back
// the id it replaced.
class HelpIDModifier {
public:
    HelpIDModifier() = default;
    ~HelpIDModifier();
    HelpIDModifier(const HelpIDModifier&) = delete;
    HelpIDModifier& operator=(const HelpIDModifier&) = delete;
    void SetHelpID(UINT helpId, LPCWSTR name, bool flag);
    void Reset();

private:
    bool active_ = false;
    UINT previous_ = 0;
};

namespace Korvo::Print {
// A print preview's drawing context as the print window draws it.
class PrintDrawingContext {
public:
    PrintDrawingContext(KVDrawingContext* context, CKvw32Doc* document) : context_(context), document_(document) {}
    KVDrawingContext* GetContext() const { return context_; }
    CKvw32Doc* GetDocument() const { return document_; }

private:
    KVDrawingContext* context_;
    CKvw32Doc* document_;
};
}  // namespace Korvo::Print

// The kernel's print window: the caller creates it (Create) as a child of its page.
class KVPrintWnd : public CWnd {
public:
    explicit KVPrintWnd(CKvw32Doc* document) : document_(document) {}
    CKvw32Doc* GetDocument() const { return document_; }
    BOOL CreatePrintWindow(DWORD style, const RECT& rect, CWnd* parent);

private:
    CKvw32Doc* document_;
};

// A print window over the context's drawing, or over the document; null without either.
std::unique_ptr<KVPrintWnd> create_print_wnd(const Korvo::Print::PrintDrawingContext& context);
std::unique_ptr<KVPrintWnd> create_print_wnd(CKvw32Doc* document);

class KVNewOptions {
public:
    // The user's folder of document templates (prototypes).
    static CString GetTemplateFolder();
};

// Event 1034: the export modules changed; two words of flags say what.
inline constexpr UINT kEventExportModulesChanged = 1034;
class ModuleFlagsEventArgs : public ApplicationEventArgs {
public:
    ModuleFlagsEventArgs(DWORD first, DWORD second) : first_(first), second_(second) {}
    DWORD GetFirstFlags() const { return first_; }
    DWORD GetSecondFlags() const { return second_; }

private:
    DWORD first_;
    DWORD second_;
};
