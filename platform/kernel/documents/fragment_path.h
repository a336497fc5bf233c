// The kernel's fragment-path record: what a view is told to insert as a fragment (a file, the
// values of its form factor, its PDM nomenclature data and the point it was dropped at). A
// record without a path inserts nothing.
#pragma once

#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "platform/mfc.h"

// One variable of the inserted fragment: a number or a text.
class CFragmentVariable {
public:
    explicit CFragmentVariable(const CString& name) : name_(name) {}
    void SetValue(double number) { value_ = number; }
    void SetValue(const CString& text) { value_ = text; }
    const CString& GetName() const { return name_; }
    bool IsNumber() const { return std::holds_alternative<double>(value_); }
    double GetNumber() const { return IsNumber() ? std::get<double>(value_) : 0.0; }
    CString GetText() const { return IsNumber() ? CString() : std::get<CString>(value_); }

private:
    CString name_;
    std::variant<CString, double> value_;
};

class CFragmentVariables {
public:
    void AddVariable(const CFragmentVariable& variable) { variables_.push_back(variable); }
    void RemoveAll() { variables_.clear(); }
    int GetCount() const { return static_cast<int>(variables_.size()); }
    const CFragmentVariable& GetAt(int index) const { return variables_.at(static_cast<std::size_t>(index)); }
    auto begin() const { return variables_.begin(); }
    auto end() const { return variables_.end(); }

private:
    std::vector<CFragmentVariable> variables_;
};

class CFragmentPath {
public:
    // The application's one record.
    static CFragmentPath& Application();
    // The same record under the kernel's own name for it.
    static CFragmentPath& InitInstance() { return Application(); }

    void Reset() { *this = CFragmentPath(); }
    void SetPath(const CString& path) { path_ = path; }
    bool HasPath() const { return path_.has_value(); }
    CString GetPath() const { return path_.value_or(CString()); }
    CFragmentVariables& GetVariables() { return variables_; }
    const CFragmentVariables& GetVariables() const { return variables_; }
    void SetNomenclature(bool nomenclature) { nomenclature_ = nomenclature; }
    bool HasNomenclature() const { return nomenclature_; }
    void SetDropPoint(POINT point) { point_ = point; }
    POINT GetDropPoint() const { return point_; }
    // The record's second path: the text the inserted fragment's link shows (empty: the path).
    void SetLinkText(const CString& text) { linkText_ = text; }
    const CString& GetLinkText() const { return linkText_; }

private:
    std::optional<CString> path_;
    CFragmentVariables variables_;
    bool nomenclature_ = false;
    POINT point_{};
    CString linkText_;
};
