// Form-factor files: any text gives named sets with unique names and named values, or is refused
// with its file and line.
#include <set>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "platform/kernel/formfactor/form_factors.h"

FUZZ_TARGET(form_factor_file) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = Korvo::XmlDB::FormFactor::ParseFormFactors(text, L"f.kff");
    if (const auto* sets = std::get_if<std::vector<Korvo::XmlDB::FormFactor::FormFactorSet>>(&parsed)) {
        std::set<std::wstring> names;
        for (const auto& set : *sets) {
            FUZZ_CHECK(!set.name.IsEmpty());
            FUZZ_CHECK(names.insert(set.name.GetString()).second);
            for (const auto& [name, value] : set.values) FUZZ_CHECK(!name.IsEmpty());
        }
    } else {
        FUZZ_CHECK(std::get<std::wstring>(parsed).rfind(L"f.kff(", 0) == 0);
    }
    fuzz::forget();
    return 0;
}
