// Compound documents being opened: any bytes are taken apart into their streams or refused, and
// the header stream is read or refused; nothing the compound-file library reads is leaked.
#include "fuzz/fuzz_support.h"
#include "platform/kernel/documents/compound_file.h"

FUZZ_TARGET(compound_document) {
    const std::string bytes(fuzz::bytesOf(data, size));
    const auto streams = platform::kernel::decodeCompoundFile(bytes);
    if (streams) {
        const auto header = streams->find(platform::kernel::kHeaderStreamName);
        if (header != streams->end()) platform::kernel::decodeDocumentHeader(header->second);
    }
    fuzz::forget();
    return 0;
}
