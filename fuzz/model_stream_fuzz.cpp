// A drawing's model stream being read: any bytes are read whole into pages, requirement types,
// requirements and inscriptions, or refused with the file and line, leaving the document as it
// was; what was read is written back out again.
#include "fuzz/fuzz_support.h"
#include "platform/kernel.h"
#include "platform/kernel/techreq/store.h"

FUZZ_TARGET(model_stream) {
    {
        CKvw32Doc document;
        std::wstring problem;
        if (platform::kernel::ReadModelStream(fuzz::bytesOf(data, size), L"fuzz.grb", document, problem)) {
            const std::string written = platform::kernel::WriteModelStream(document);
            CKvw32Doc again;
            if (!platform::kernel::ReadModelStream(written, L"again.grb", again, problem)) std::abort();
        } else if (document.Cont2D()->GetTechRequirementCount() != 0 || !document.Cont2D()->GetPageIds().empty()) {
            std::abort();
        }
    }
    fuzz::forget();
    return 0;
}
