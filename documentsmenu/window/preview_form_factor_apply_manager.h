// A form factor chosen in the documents menu's preview waits here for the next fragment insert
// or document open, which takes it when it is of the same document; either way it is then
// forgotten, so it never reaches a later, unrelated insert.
#pragma once

#include <memory>

#include "platform/kernel.h"

namespace DocumentsMenu {

class PreviewFormFactorApplyManager {
public:
    using Provider = Korvo::XmlDB::FormFactor::IFormFactorProvider;

    static PreviewFormFactorApplyManager& Instance();

    // The provider's current form factor is pending (in place of any other).
    void SetPending(std::shared_ptr<Provider> provider) { pending_ = std::move(provider); }
    const std::shared_ptr<Provider>& GetPending() const { return pending_; }
    bool HasPending() const { return pending_ != nullptr; }
    // The main frame forgets the pending form factor after a file drop.
    void Reset() { pending_.reset(); }

    // The pending form factor's values go into the fragment when the fragment is its document
    // (the same path, case and all).
    void Apply(CFragmentPath& fragment);
    // The opened document takes the pending form factor when it is its document.
    void ApplyToOpenedDocument(CKvw32Doc* document);

private:
    std::shared_ptr<Provider> pending_;
};

}  // namespace DocumentsMenu
