// Layout files (a main frame's default bars and ribbon): any bytes are read into an element tree
// or refused with the file and a line; a tree read is loaded as a main frame's state and written
// back as XML that reads again.
#include "fuzz/fuzz_support.h"
#include "platform/korvoui/layout.h"

FUZZ_TARGET(layout) {
    const auto root = Korvo::UI::XML::Element::loadText(fuzz::bytesOf(data, size), L"C:\\fuzz.xml");
    if (root) {
        Korvo::UI::MainFrameState state;
        const auto window = root->name() == L"MainWindow" ? root : root->child(L"MainWindow");
        if (window) FUZZ_CHECK(state.load(*window, Korvo::VersionNumber()));
        const std::string again = platform::core::toUtf8(root->toXml());
        FUZZ_CHECK(Korvo::UI::XML::Element::loadText(again, L"C:\\again.xml") != nullptr);
    }
    fuzz::forget();
    return 0;
}
