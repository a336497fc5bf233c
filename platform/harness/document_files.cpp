#include "platform/harness/document_files.h"

#include <cwctype>

#include "platform/core/text.h"
#include "platform/harness/embedded_sample.h"
#include "platform/harness/host_files.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kvgc/picture_codec.h"

namespace platform::harness::detail {

namespace {

std::string xmlEscaped(const std::wstring& text) {
    std::string out;
    for (char c : platform::core::toUtf8(text)) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

// A document's picture of that size, as the kernel stores it (PNG): the upper half blue, the
// lower half orange, so that what is drawn from it shows where it came from.
std::string documentPicture(int width, int height) {
    platform::kvgc::Picture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        picture.pixels.insert(picture.pixels.end(), static_cast<std::size_t>(width), y < height / 2 ? 0xFF2050C0u : 0xFFE08020u);
    return platform::kvgc::encodePicture(picture, L".png").value_or(std::string());
}

constexpr const char* kCoverPlateRequirements =
    "  <type id=\"2D5C0A10-0001-4000-8000-00000000A001\" name=\"General\">\n"
    "    <type id=\"2D5C0A10-0001-4000-8000-00000000A002\" name=\"Surfaces\"/>\n"
    "  </type>\n"
    "  <type id=\"2D5C0A10-0001-4000-8000-00000000A003\" name=\"Tolerances\"/>\n"
    "  <requirement index=\"1\" type=\"2D5C0A10-0001-4000-8000-00000000A003\" pages=\"1 2\">Unspecified limit "
    "deviations per IT14</requirement>\n"
    "  <requirement index=\"2\" pages=\"1\">Sharp edges to be blunted</requirement>\n"
    "  <requirement index=\"3\" type=\"2D5C0A10-0001-4000-8000-00000000A002\" source=\"1\" pages=\"2\">Coating per the "
    "company standard</requirement>\n"
    "  <requirement index=\"4\" type=\"2D5C0A10-0001-4000-8000-00000000A001\" suppressed=\"true\" pages=\"1\">Mark "
    "with the part number</requirement>\n"
    "  <inscription page=\"1\" requirements=\"1\"/>\n";

}  // namespace

std::string buildDocumentFile(const DocumentFileSpec& spec) {
    using namespace platform::kernel;
    CompoundStreams streams;
    if (spec.header) streams[kHeaderStreamName] = encodeDocumentHeader(kCurrentFormatVersion, spec.kind);
    std::string model = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document>\n";
    for (const auto& page : spec.pages) model += "  <page name=\"" + xmlEscaped(page) + "\"/>\n";
    model += spec.modelElements;
    model += "</document>\n";
    streams[kModelStreamName] = model;
    std::string summary = "title=" + platform::core::toUtf8(spec.title) + "\n";
    for (const auto& [name, value] : spec.properties) {
        std::wstring key = name;
        for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(c));
        summary += platform::core::toUtf8(key) + "=" + platform::core::toUtf8(value) + "\n";
    }
    streams[kSummaryStreamName] = summary;
    if (spec.previewWidth > 0 && spec.previewHeight > 0) streams["Preview"] = documentPicture(spec.previewWidth, spec.previewHeight);
    if (spec.iconWidth > 0 && spec.iconHeight > 0) streams["Icon"] = documentPicture(spec.iconWidth, spec.iconHeight);
    return encodeCompoundFile(streams);
}

void seedSampleDocuments(std::wstring_view programFolder) {
    const std::wstring prototypes = std::wstring(programFolder) + L"\\Prototypes";
    writeHostFile(prototypes + L"\\Drawing.grb", buildDocumentFile({.kind = 1, .title = L"Drawing", .pages = {L"Sheet 1"}}));
    const std::wstring folder = kSampleDocumentsFolder;
    writeHostFile(folder + L"\\Bracket.grb", buildDocumentFile({.kind = 1, .title = L"Bracket", .pages = {L"Sheet 1"}}));
    // The cover plate carries technical requirements on its two pages: typed and untyped ones, one
    // from the PDM system, one suppressed, one with an inscription.
    writeHostFile(folder + L"\\Cover plate.grb",
                  buildDocumentFile({.kind = 1, .title = L"Cover plate", .pages = {L"Sheet 1", L"Sheet 2"},
                                     .iconWidth = 32, .iconHeight = 32, .modelElements = kCoverPlateRequirements}));
    // The cover plate comes in two form factors, each a number and a text.
    writeHostFile(folder + L"\\Cover plate.grb.kff",
                  "# The cover plate's form factors.\n[Thin]\nThickness = 2\nMaterial = \"Steel 20\"\n"
                  "[Thick]\nThickness = 5.5\nMaterial = \"Steel 45\"\n");
    // The sample's pictures (its "Samples" folder) join the drawings.
    for (const auto& [path, bytes] : embeddedSampleFiles()) {
        constexpr std::string_view kPictures = "Samples/";
        if (path.substr(0, kPictures.size()) == kPictures)
            writeHostFile(folder + L"\\" + platform::core::fromUtf8(path.substr(kPictures.size())), std::string(bytes));
    }
    // A library configuration over the sample documents and the prototypes, with fixed ids so
    // that what a run remembers of its objects is found again in the next run.
    writeHostFile(kSampleConfiguration,
                  "<configuration name=\"Libraries\">\n"
                  "  <library id=\"6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F01\" name=\"Samples\" path=\"Samples\"/>\n"
                  "  <group id=\"6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F02\" name=\"Templates\">\n"
                  "    <library id=\"6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F03\" name=\"Prototypes\" path=\"" +
                      platform::core::toUtf8(std::wstring(programFolder)) +
                      "\\Prototypes\"/>\n"
                  "  </group>\n"
                  "</configuration>\n");
}

}  // namespace platform::harness::detail
