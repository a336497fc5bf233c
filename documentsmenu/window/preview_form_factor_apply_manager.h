// A form factor chosen in the documents menu's preview waits here for the document (or the
// fragment record) of its path: whoever opens or inserts that path takes it over.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/mfc.h"

namespace DocumentsMenu {

// A variable of a form factor and its value.
using FormFactorValue = std::pair<CString, CString>;

// What takes a pending form factor's values (a fragment record of the same path).
class FormFactorTarget {
public:
    virtual ~FormFactorTarget() = default;
    virtual CString GetPath() const = 0;
    virtual void SetVariableValue(const CString& name, const CString& value) = 0;
};

class PreviewFormFactorApplyManager {
public:
    static PreviewFormFactorApplyManager& Instance();

    // A form factor for `path` is now pending (in place of any other).
    void SetPending(const CString& path, std::vector<FormFactorValue> values);
    bool HasPending() const { return pending_.has_value(); }
    // The caller clears the pending form factor after a drop.
    void Reset() { pending_.reset(); }

    // When a form factor is pending for the target's path (compared without regard to case),
    // copies its values into the target.
    void Apply(FormFactorTarget& target) const;
    // The values pending for `path`, or none; what a document opened from `path` selects.
    std::optional<std::vector<FormFactorValue>> PendingFor(const CString& path) const;

private:
    struct Pending {
        CString path;
        std::vector<FormFactorValue> values;
    };
    std::optional<Pending> pending_;
};

}  // namespace DocumentsMenu
