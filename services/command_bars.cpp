#include "services/command_bars.h"

bool PX_UniqueIdentifier(CXTPPropExchange* px, const wchar_t* key, Korvo::UniqueIdentifier& value) {
    if (!px || !key) return false;
    if (!px->IsLoading()) {
        px->WriteValue(key, Korvo::UniqueIdentifier::asCString(value, 2).view());
        return true;
    }
    const std::optional<std::wstring> text = px->ReadValue(key);
    Korvo::UniqueIdentifier parsed;
    if (!text || !Korvo::UniqueIdentifier::TryParse(text->c_str(), parsed)) return false;
    value = parsed;
    return true;
}
