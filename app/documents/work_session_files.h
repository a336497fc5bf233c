// Files the PDM system hands the program in place of documents (".grb" and ".grs" files the
// kernel's storage reader rejects): a work session opens its documents, nomenclature data opens
// the documents it names, or a document is made from it.
#pragma once

#include "platform/kernel.h"
#include "platform/kernel/services/pdm_work_sessions.h"

// What became of such a file: whether the PDM system claimed it, and the document to show (null
// when there is none to show, the nomenclature's documents having opened together); or that the
// file is being loaded already (it names itself, or a file it names names it), so this open of
// it fails.
struct WorkSessionOpening {
    bool handled = false;
    CDocument* document = nullptr;
    bool refused = false;
};

// Without a work mix, or for a file the PDM system does not know, the file is not handled. The
// file is deleted once read only when it really lies in the user's temporary folder.
WorkSessionOpening LoadWorkSessionFile(LPCWSTR path);

// Opens the documents the nomenclature record names together, through the main frame's
// multi-file open, each with the context; true when any of them opened.
bool OpenNomenclatureFiles(KVPDMNomenclatureRecord* nomenclature, const KVPDMOpenningContext& context);
