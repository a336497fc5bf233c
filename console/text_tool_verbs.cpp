// The console at the small text tools: the tips strip, the log window, the text browsers and the
// kernel's rich-text editor they may open.
#include "console/driver.h"

namespace korvo::console {

namespace {

TextToolHooks g_textToolHooks;

}  // namespace

void setTextToolHooks(const TextToolHooks& hooks) { g_textToolHooks = hooks; }

bool Driver::dumpTips(const Step&) {
    printDump(g_textToolHooks.tips ? g_textToolHooks.tips() : L"", L"(no tips strip in this program)");
    return true;
}

bool Driver::dumpLog(const Step&) {
    printDump(g_textToolHooks.log ? g_textToolHooks.log() : L"", L"(no log window)");
    return true;
}

bool Driver::dumpTextBrowsers(const Step&) {
    printDump(g_textToolHooks.textBrowsers ? g_textToolHooks.textBrowsers() : L"", L"(no text browsers)");
    return true;
}

bool Driver::expectRichTextAnswer(const Step& step) {
    session_.user().expectRichText(step.arguments.text);
    return true;
}

bool Driver::expectRichTextCancel(const Step&) {
    session_.user().expectRichText(std::nullopt);
    return true;
}

}  // namespace korvo::console
