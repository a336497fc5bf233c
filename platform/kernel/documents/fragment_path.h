// The kernel's fragment-path record: what a view is told to insert as a fragment (a file, the
// values of its form factor, its PDM nomenclature data and the point it was dropped at). A
// record without a path inserts nothing.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/mfc.h"

class CFragmentPath {
public:
    // The application's one record.
    static CFragmentPath& Application();

    void Reset() { *this = CFragmentPath(); }
    void SetPath(const CString& path) { path_ = path; }
    bool HasPath() const { return path_.has_value(); }
    CString GetPath() const { return path_.value_or(CString()); }
    void SetVariableValue(const CString& name, const CString& value) { variables_.emplace_back(name, value); }
    const std::vector<std::pair<CString, CString>>& GetVariables() const { return variables_; }
    void SetNomenclature(bool nomenclature) { nomenclature_ = nomenclature; }
    bool HasNomenclature() const { return nomenclature_; }
    void SetDropPoint(POINT point) { point_ = point; }
    POINT GetDropPoint() const { return point_; }
    // The text the inserted fragment's link shows (empty: the path).
    void SetLinkText(const CString& text) { linkText_ = text; }
    const CString& GetLinkText() const { return linkText_; }

private:
    std::optional<CString> path_;
    std::vector<std::pair<CString, CString>> variables_;
    bool nomenclature_ = false;
    POINT point_{};
    CString linkText_;
};
