#include "platform/kernel/documents/document_file.h"

#include "platform/core/api_text.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"

namespace {

HRESULT storageCodeFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND: return STG_E_FILENOTFOUND;
        case ERROR_PATH_NOT_FOUND: return STG_E_PATHNOTFOUND;
        case ERROR_ACCESS_DENIED: return STG_E_ACCESSDENIED;
        default: return STG_E_READFAULT;
    }
}

bool fail(HRESULT code, HRESULT& failureCode) {
    failureCode = code;
    return false;
}

}  // namespace

bool ReadDocumentFileInfo(const SharedPathName& path, KVDocumentFileInfo& info, HRESULT& failureCode) {
    platform::kernel::recordCall(L"ReadDocumentFileInfo(" + platform::kernel::quoted(path.view()) + L")");
    info = {};
    failureCode = S_OK;
    if (path.IsNull()) return fail(STG_E_FILENOTFOUND, failureCode);
    if (platform::files::isDirectory(path.view())) return fail(STG_E_ACCESSDENIED, failureCode);
    const platform::kernel::CompoundRead read = platform::kernel::readCompoundDocument(path.view());
    if (read.error != ERROR_SUCCESS) return fail(storageCodeFor(read.error), failureCode);
    if (platform::storage::readFails(path.view())) {
        return fail(STG_E_READFAULT, failureCode);
    }
    const auto& streams = read.streams;
    if (!streams) return fail(STG_E_INVALIDHEADER, failureCode);
    info.storageFormat = 1;
    const auto header = streams->find(platform::kernel::kHeaderStreamName);
    if (header == streams->end()) return fail(STG_E_INVALIDHEADER, failureCode);
    const auto fields = platform::kernel::decodeDocumentHeader(header->second);
    if (!fields) return fail(STG_E_INVALIDHEADER, failureCode);
    info.formatVersion = fields->first;
    info.documentKind = fields->second;
    return true;
}
