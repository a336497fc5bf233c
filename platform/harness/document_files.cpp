#include "platform/harness/document_files.h"

#include <cwctype>

#include "platform/core/text.h"
#include "platform/harness/host_files.h"
#include "platform/kernel/compound_file.h"

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

}  // namespace

std::string buildDocumentFile(const DocumentFileSpec& spec) {
    using namespace platform::kernel;
    CompoundStreams streams;
    if (spec.header) streams[kHeaderStreamName] = encodeDocumentHeader(kCurrentFormatVersion, spec.kind);
    std::string model = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document>\n";
    for (const auto& page : spec.pages) model += "  <page name=\"" + xmlEscaped(page) + "\"/>\n";
    model += "</document>\n";
    streams[kModelStreamName] = model;
    std::string summary = "title=" + platform::core::toUtf8(spec.title) + "\n";
    for (const auto& [name, value] : spec.properties) {
        std::wstring key = name;
        for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(c));
        summary += platform::core::toUtf8(key) + "=" + platform::core::toUtf8(value) + "\n";
    }
    streams[kSummaryStreamName] = summary;
    return encodeCompoundFile(streams);
}

void seedSampleDocuments(std::wstring_view programFolder) {
    const std::wstring prototypes = std::wstring(programFolder) + L"\\Prototypes";
    writeHostFile(prototypes + L"\\Drawing.grb", buildDocumentFile({.kind = 1, .title = L"Drawing", .pages = {L"Sheet 1"}}));
    const std::wstring folder = kSampleDocumentsFolder;
    writeHostFile(folder + L"\\Bracket.grb", buildDocumentFile({.kind = 1, .title = L"Bracket", .pages = {L"Sheet 1"}}));
    writeHostFile(folder + L"\\Cover plate.grb",
                  buildDocumentFile({.kind = 1, .title = L"Cover plate", .pages = {L"Sheet 1", L"Sheet 2"}}));
}

}  // namespace platform::harness::detail
