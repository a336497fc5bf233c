#include "platform/diagnostics.h"

namespace {

thread_local GenerateDumpFileContextBase* innermostContext = nullptr;

}  // namespace

GenerateDumpFileContextBase::GenerateDumpFileContextBase() : outer_(innermostContext) { innermostContext = this; }

GenerateDumpFileContextBase::~GenerateDumpFileContextBase() {
    // Contexts live on the stack, so they end innermost first.
    innermostContext = outer_;
}

GenerateDumpFileContextBase* GenerateDumpFileContextBase::Current() { return innermostContext; }
