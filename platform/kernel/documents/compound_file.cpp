#include "platform/kernel/documents/compound_file.h"

#include <gsf/gsf.h>

#include <cstdint>
#include <memory>

#include "platform/kernel/documents/compound_directory.h"

namespace platform::kernel {
namespace {

struct GObjectRelease {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectRelease>;

void putWord(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t getWord(const std::string& in, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return value;
}

constexpr std::string_view kHeaderMagic = "KVDC";

}  // namespace

std::string encodeCompoundFile(const CompoundStreams& streams) {
    GPtr<GsfOutput> memory(gsf_output_memory_new());
    {
        GPtr<GsfOutfile> storage(gsf_outfile_msole_new(memory.get()));
        for (const auto& [name, bytes] : streams) {
            GPtr<GsfOutput> stream(gsf_outfile_new_child(storage.get(), name.c_str(), FALSE));
            gsf_output_write(stream.get(), bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
            gsf_output_close(stream.get());
        }
        gsf_output_close(GSF_OUTPUT(storage.get()));
    }
    const auto size = static_cast<std::size_t>(gsf_output_size(memory.get()));
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    return data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
}

std::optional<CompoundStreams> decodeCompoundFile(const std::string& bytes) {
    // A damaged directory is refused before the library builds (and leaks) its entries.
    if (bytes.empty() || !compoundDirectoryIsSound(bytes)) return std::nullopt;
    GPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                              static_cast<gsf_off_t>(bytes.size()), FALSE));
    GError* error = nullptr;
    GPtr<GsfInfile> storage(gsf_infile_msole_new(input.get(), &error));
    if (error) g_error_free(error);
    if (!storage) return std::nullopt;
    CompoundStreams streams;
    const int count = gsf_infile_num_children(storage.get());
    for (int i = 0; i < count; ++i) {
        GPtr<GsfInput> stream(gsf_infile_child_by_index(storage.get(), i));
        if (!stream) continue;
        const char* name = gsf_input_name(stream.get());
        const auto size = static_cast<std::size_t>(gsf_input_size(stream.get()));
        std::string content;
        if (size > 0) {
            const guint8* data = gsf_input_read(stream.get(), size, nullptr);
            if (!data) return std::nullopt;  // a damaged stream: the file is not a usable compound file
            content.assign(reinterpret_cast<const char*>(data), size);
        }
        streams[name ? name : ""] = std::move(content);
    }
    return streams;
}

std::string encodeDocumentHeader(std::uint32_t formatVersion, std::uint32_t documentKind) {
    std::string out(kHeaderMagic);
    putWord(out, formatVersion);
    putWord(out, documentKind);
    return out;
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> decodeDocumentHeader(const std::string& stream) {
    if (stream.size() < kHeaderMagic.size() + 8 || stream.compare(0, kHeaderMagic.size(), kHeaderMagic) != 0) {
        return std::nullopt;
    }
    return std::pair{getWord(stream, 4), getWord(stream, 8)};
}

}  // namespace platform::kernel
