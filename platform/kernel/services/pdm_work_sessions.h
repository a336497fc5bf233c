// Files the PDM system hands the program in place of documents (".grb" and ".grs" files its
// storage reader rejects): what the work mix knows of one, a work session and the documents it
// opens, or nomenclature data naming documents. Every PDM call may throw the PDM system's
// exception.
#pragma once

#include <utility>
#include <vector>

#include "platform/kernel/services/pdm.h"

class KVPDMNomenclatureRecord;

class KVPDMWorkSessionContext {
public:
    KVPDMWorkSessionContext() = default;
    explicit KVPDMWorkSessionContext(KVPDMOpenningContext opening) : opening_(std::move(opening)) {}

    bool IsEmpty() const { return opening_.IsEmpty(); }
    bool IsReadOnly() const { return opening_.IsReadOnly(); }
    // The opening context the documents made from the file carry.
    const KVPDMOpenningContext& GetOpeningContext() const { return opening_; }

    // The work session the file stands for: its name and the documents it opens, in order.
    bool HasWorkSession() const { return !sessionName_.IsEmpty(); }
    const CString& GetWorkSessionName() const { return sessionName_; }
    const std::vector<CString>& GetWorkSessionDocuments() const { return sessionDocuments_; }
    void SetWorkSession(CString name, std::vector<CString> documents) {
        sessionName_ = std::move(name);
        sessionDocuments_ = std::move(documents);
    }
    // The file's nomenclature record (the documents it names are its children), or null. The
    // PDM system keeps the record.
    KVPDMNomenclatureRecord* GetNomenclature() const { return nomenclature_; }
    void SetNomenclature(KVPDMNomenclatureRecord* record) { nomenclature_ = record; }

    // Reads what the context left to read when it was made.
    void LoadRemainingData() const;
    // The context lets go of the work-object item it holds.
    void ResetWorkObjectItem() const;

private:
    KVPDMOpenningContext opening_;
    CString sessionName_;
    std::vector<CString> sessionDocuments_;
    KVPDMNomenclatureRecord* nomenclature_ = nullptr;
};

// The work mix's context of the file at `path`; empty when the PDM system does not know it.
KVPDMWorkSessionContext GetWorkSessionContext(KVPDMWorkMix& workMix, const SharedPathName& path);
