// Compound files (structured storage) in memory, through libgsf: a flat list of named streams.
// Private to the platform: the kernel's document reader and the harness's fixture builder.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform::kernel {

using CompoundStreams = std::map<std::string, std::string>;  // stream name -> bytes

// The bytes of a compound file holding `streams` (in name order).
std::string encodeCompoundFile(const CompoundStreams& streams);
// The streams of a compound file; nothing when `bytes` is no compound file.
std::optional<CompoundStreams> decodeCompoundFile(const std::string& bytes);

// The document header stream: "KVDC", then format version and document kind, 32-bit little
// endian each.
inline constexpr const char* kHeaderStreamName = "KorvoHeader";
inline constexpr const char* kModelStreamName = "Model";
inline constexpr const char* kSummaryStreamName = "Summary";
inline constexpr std::uint32_t kCurrentFormatVersion = 18;

std::string encodeDocumentHeader(std::uint32_t formatVersion, std::uint32_t documentKind);
// Format version and kind; nothing when the stream is no document header.
std::optional<std::pair<std::uint32_t, std::uint32_t>> decodeDocumentHeader(const std::string& stream);

}  // namespace platform::kernel
