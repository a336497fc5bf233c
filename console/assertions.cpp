// Scripts that check what they see: an assertion fails the run unless a line the verb before it
// printed matches its pattern (or, with `not`, unless none does).
#include "console/driver.h"
#include "console/verbs.h"
#include "platform/core/text.h"

namespace korvo::console {

bool Driver::assertPrinted(const Step& step) { return assertion(step, true); }

bool Driver::assertNotPrinted(const Step& step) { return assertion(step, false); }

bool Driver::assertion(const Step& step, bool wanted) {
    const std::vector<std::string> printed = asserted_ ? transcript_.lines() : std::vector<std::string>{};
    const std::string* match = nullptr;
    for (const std::string& line : printed) {
        if (platform::core::wildcardMatch(step.arguments.text, platform::core::fromUtf8(line))) {
            match = &line;
            break;
        }
    }
    if ((match != nullptr) == wanted) return true;
    const std::string pattern = "\"" + platform::core::toUtf8(step.arguments.text) + "\"";
    const std::string what = wanted ? "assert " + pattern : "assert not " + pattern;
    std::string why;
    if (!asserted_) why = "no verb ran before it";
    else if (wanted) why = "nothing line " + std::to_string(asserted_->line) + " (" + asserted_->source + ") printed matches";
    else why = "line " + std::to_string(asserted_->line) + " (" + asserted_->source + ") printed: " + *match;
    failures_.push_back(platform::core::fromUtf8(source_ + ":" + std::to_string(step.line) + ": " + what + ": " + why));
    return true;
}

}  // namespace korvo::console
