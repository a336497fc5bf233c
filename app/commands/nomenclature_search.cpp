#include "app/commands/nomenclature_search.h"

#include <set>
#include <vector>

namespace AppCommands {

bool NomenclatureNamesFile(const KVPDMNomenclatureRecord* record, const CString& path) {
    std::set<const KVPDMNomenclatureRecord*> visited;
    std::vector<const KVPDMNomenclatureRecord*> pending{record};
    while (!pending.empty()) {
        const KVPDMNomenclatureRecord* next = pending.back();
        pending.pop_back();
        if (!next || !visited.insert(next).second) continue;
        if (next->GetPath().CompareNoCase(path) == 0) return true;
        for (const KVPDMNomenclatureRecord* child : next->GetChildren()) pending.push_back(child);
    }
    return false;
}

}  // namespace AppCommands
