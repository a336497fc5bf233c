#include <stdexcept>

#include "platform/compression.h"
#include "platform/core/config.h"
#include "platform/core/registry_store.h"
#include "platform/core/text.h"
#include "platform/harness.h"

namespace platform::harness {

namespace {

platform::core::Hive hiveOf(std::wstring_view name) {
    auto hive = platform::core::hiveFromName(name);
    if (!hive) throw std::invalid_argument("harness: unknown registry hive \"" + platform::core::toUtf8(name) + "\"");
    return *hive;
}

}  // namespace

void Registry::setString(std::wstring_view hive, std::wstring_view key, std::wstring_view name,
                         std::wstring_view value) {
    platform::core::registryStore().setValue(hiveOf(hive), key, name,
                                             platform::core::RegistryValue::sz(std::wstring(value)));
}

void Registry::setDword(std::wstring_view hive, std::wstring_view key, std::wstring_view name, unsigned value) {
    platform::core::registryStore().setValue(hiveOf(hive), key, name, platform::core::RegistryValue::dword(value));
}

std::optional<std::wstring> Registry::getString(std::wstring_view hive, std::wstring_view key,
                                                std::wstring_view name) const {
    auto value = platform::core::registryStore().value(hiveOf(hive), key, name);
    if (!value || !value->isString()) return std::nullopt;
    return value->text;
}

std::optional<unsigned> Registry::getDword(std::wstring_view hive, std::wstring_view key,
                                           std::wstring_view name) const {
    auto value = platform::core::registryStore().value(hiveOf(hive), key, name);
    if (!value) return std::nullopt;
    auto number = value->asDword();
    if (!number) return std::nullopt;
    return *number;
}

bool Registry::hasKey(std::wstring_view hive, std::wstring_view key) const {
    return platform::core::registryStore().keyExists(hiveOf(hive), key);
}

bool Registry::hasValue(std::wstring_view hive, std::wstring_view key, std::wstring_view name) const {
    return platform::core::registryStore().value(hiveOf(hive), key, name).has_value();
}

void Registry::denyWrite(std::wstring_view hive, std::wstring_view key) {
    platform::core::registryStore().deny(hiveOf(hive), key, platform::core::RegistryAccess::Write);
}

std::wstring Registry::dump() const {
    std::wstring text;
    for (platform::core::Hive hive : platform::core::kAllHives) {
        if (!text.empty() && text.back() != L'\n') text.push_back(L'\n');
        text += platform::core::registryStore().dump(hive);
    }
    return text;
}

std::wstring Registry::productKey() const {
    // The program builds its key from the product ini with these defaults; so does the harness.
    kvio::IniFile ini;
    ini.Load((platform::core::config().programFolder + L"\\Korvo.ini").c_str());
    const CString company = ini.GetString(L"SETTINGS", L"Company", L"Velmora");
    const CString product = ini.GetString(L"SETTINGS", L"RegistryName", L"Korvo CAD 18.0");
    return L"Software\\" + std::wstring(company.view()) + L"\\" + std::wstring(product.view());
}

}  // namespace platform::harness
