#include <cerrno>
#include <cstdlib>
#include <set>

#include "platform/core/text.h"
#include "platform/kernel/formfactor/form_factors.h"

namespace Korvo::XmlDB::FormFactor {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

CString Wide(std::string_view utf8) { return CString(platform::core::fromUtf8(utf8).c_str()); }

// A number written whole (no trailing text), finite.
bool ReadNumber(std::string_view text, double& number) {
    if (text.empty()) return false;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    number = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size() && errno == 0 && number - number == 0.0;
}

}  // namespace

std::variant<std::vector<FormFactorSet>, std::wstring> ParseFormFactors(std::string_view utf8, std::wstring_view origin) {
    std::vector<FormFactorSet> sets;
    std::set<std::wstring> names;
    std::size_t lineNumber = 0;
    const auto problem = [&](const wchar_t* what) {
        return std::wstring(origin) + L"(" + std::to_wstring(lineNumber) + L"): " + what;
    };
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    while (!utf8.empty() || lineNumber == 0) {
        ++lineNumber;
        const std::size_t end = utf8.find('\n');
        const std::string_view line = Trimmed(utf8.substr(0, end));
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (line.find('\0') != std::string_view::npos) return problem(L"the line holds a NUL character");
        if (line.front() == '[') {
            if (line.back() != ']') return problem(L"a form factor's name must end with ']'");
            const std::string_view name = Trimmed(line.substr(1, line.size() - 2));
            if (name.empty()) return problem(L"a form factor needs a name");
            const CString wide = Wide(name);
            if (!names.insert(std::wstring(wide.GetString())).second) return problem(L"the form factor is named twice");
            sets.push_back(FormFactorSet{wide, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return problem(L"expected 'NAME = VALUE' or '[FORM FACTOR]'");
        if (sets.empty()) return problem(L"a variable before the first form factor");
        const std::string_view name = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (name.empty()) return problem(L"a variable needs a name");
        for (const auto& [known, unused] : sets.back().values)
            if (known == Wide(name)) return problem(L"the variable is given twice in this form factor");
        double number = 0;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            const std::string_view text = value.substr(1, value.size() - 2);
            if (text.find('"') != std::string_view::npos) return problem(L"a text value holds a double quote");
            sets.back().values.emplace_back(Wide(name), VarValueRep(Wide(text)));
        } else if (ReadNumber(value, number)) {
            sets.back().values.emplace_back(Wide(name), VarValueRep(number));
        } else {
            return problem(L"a value must be a number or a text in double quotes");
        }
    }
    return sets;
}

}  // namespace Korvo::XmlDB::FormFactor
