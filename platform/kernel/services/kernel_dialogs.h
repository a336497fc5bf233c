// Dialogs the kernel asks the application to run for it (ServerAppProxy::RunModalDialog): each
// request carries what the dialog shows and takes back what the user chose.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/mfc.h"

class KorvoDialog {
public:
    virtual ~KorvoDialog() = default;
};

// One row of the sketch settings' check list, as the kernel lays it out (32 bytes): the string
// id of its label, the key that toggles it with Alt, the text of its second column and its check
// state, read and written in place. The text or the state may be null.
struct KVSketchSetItem {
    std::uint32_t stringId = 0;
    std::uint64_t keyCode = 0;
    const wchar_t* text = nullptr;
    std::int32_t* state = nullptr;
};
static_assert(sizeof(KVSketchSetItem) == 32);

// The kernel's check list of global sketch settings.
class KVSketchSetGlobalRequest : public KorvoDialog {
public:
    std::vector<KVSketchSetItem> items;
};
