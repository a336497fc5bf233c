// Which records of a PDM nomenclature tree name a file: the tree may lead back to a record above
// it, so every record is visited once.
#pragma once

#include "platform/kernel.h"

namespace AppCommands {

// True when `record` or any record below it names `path` (case ignored).
bool NomenclatureNamesFile(const KVPDMNomenclatureRecord* record, const CString& path);

}  // namespace AppCommands
