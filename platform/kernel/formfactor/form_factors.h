// The kernel's form-factor library: a library document may carry form factors, named sets of
// variable values. The stand-in keeps them in a small text file beside the document
// ("<document>.kff", UTF-8):
//
//   # a comment
//   [Thin]
//   Thickness = 2
//   Material = "Steel 20"
//
// A section names a form factor; each line under it gives a variable a number or, in double
// quotes, a text. A file with a bad line gives no form factors, and the log names file and line.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;

namespace Korvo::XmlDB::FormFactor {

// A variable's value: a number or a text.
class VarValueRep {
public:
    VarValueRep() = default;
    explicit VarValueRep(double number) : value_(number) {}
    explicit VarValueRep(const CString& text) : value_(text) {}
    bool IsNumeric() const { return std::holds_alternative<double>(value_); }
    double GetNumber() const { return IsNumeric() ? std::get<double>(value_) : 0.0; }
    CString GetString() const { return IsNumeric() ? CString() : std::get<CString>(value_); }

private:
    std::variant<CString, double> value_;
};

struct FormFactorSet {
    CString name;
    std::vector<std::pair<CString, VarValueRep>> values;
};

// The sets of a form-factor file's text, or the first problem as "<origin>(<line>): <problem>".
std::variant<std::vector<FormFactorSet>, std::wstring> ParseFormFactors(std::string_view utf8, std::wstring_view origin);

using VariableValueCallback = std::function<void(const CString& name, const VarValueRep& value)>;

// The form factors of one document.
class IFormFactorProvider {
public:
    virtual ~IFormFactorProvider() = default;
    virtual CString GetDocumentPath() const = 0;
    virtual void SetCurrentFormFactor(const CString& name) = 0;
    // Empty while none is current.
    virtual CString GetCurrentFormFactor() const = 0;
    // Nothing for a form factor the document does not have.
    virtual void ForEachVariableValue(const CString& formFactor, const VariableValueCallback& callback) const = 0;
    virtual std::vector<CString> GetFormFactorNames() const = 0;
};

// A provider over the form-factor file of the document at `documentPath` (read now; a document
// without one has no form factors).
std::shared_ptr<IFormFactorProvider> CreateFormFactorProvider(const CString& documentPath);

}  // namespace Korvo::XmlDB::FormFactor

// The form-factor file of the document at `documentPath`; with `existing`, empty unless the
// file is there.
CString GetFormFactorPathByDocPath(const CString& documentPath, bool existing);
// The provider of an open document: what it makes current is the document's own form factor.
// Null for a null document.
std::shared_ptr<Korvo::XmlDB::FormFactor::IFormFactorProvider> FormFactorInstance(CKvw32Doc* document);
