#include "platform/kernel/ui/ui_control.h"

namespace platform::kernel {

void DocumentAccess::setEditInPlace(CKvw32Doc& document, CKvw32Doc* assembly, CKvw32Doc* fragment) {
    document.editInPlace_ = KVEditInPlaceParams{assembly, fragment};
}

void DocumentAccess::clearEditInPlace(CKvw32Doc& document) { document.editInPlace_.reset(); }

void DocumentAccess::setAssemblyDocument(CKvw32Doc& document, CKvw32Doc* assembly) {
    document.assemblyDocument_ = assembly;
}

void DocumentAccess::setErrorContainer(CKvw32Doc& document, bool present) {
    if (!present) {
        document.errors_.reset();
    } else if (!document.errors_) {
        document.errors_ = std::make_unique<ContainerErrors>(&document);
    }
}

void DocumentAccess::set3DContainer(CKvw32Doc& document, std::optional<int> mode) {
    document.container3D_ = mode ? std::make_unique<KV3DContainer>(*mode) : nullptr;
}

void DocumentAccess::setInCommand(CKvw32Doc& document, bool inCommand) { document.inCommand_ = inCommand; }

void DocumentAccess::setRepaintFlag(CKvw32Doc& document, bool on) { document.repaintFlag_ = on; }

void DocumentAccess::setStoredSelection(CKvw32Doc& document, int count) { document.storedSelection_ = count; }

UiControl& uiControl() {
    static UiControl state;
    return state;
}

}  // namespace platform::kernel
