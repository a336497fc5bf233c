#include "platform/kernel/documents/compound_directory.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::kernel {
namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFFu;  // also "no entry" in the directory
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kEntrySize = 128;

// The 32-bit little-endian number at `at`; kFreeSector past the end of a cut file.
std::uint32_t word(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) return kFreeSector;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool sound() {
        if (bytes_.size() < kHeaderSize) return false;
        const unsigned shift = static_cast<unsigned char>(bytes_[0x1E]) | (static_cast<unsigned char>(bytes_[0x1F]) << 8);
        if (shift != 9 && shift != 12) return false;
        sectorSize_ = std::size_t{1} << shift;
        sectors_ = (bytes_.size() - 1) / sectorSize_;  // whole or partial sectors after the header's
        return readFat() && readDirectory();
    }

private:
    std::optional<std::size_t> offsetOf(std::uint32_t sector) const {
        if (sector >= sectors_) return std::nullopt;
        return (static_cast<std::size_t>(sector) + 1) * sectorSize_;
    }

    bool readFat() {
        const std::uint32_t fatSectors = word(bytes_, 0x2C);
        if (fatSectors > sectors_) return false;
        std::vector<std::uint32_t> where;
        for (std::size_t i = 0; i < kHeaderFatSlots && where.size() < fatSectors; ++i) where.push_back(word(bytes_, 0x4C + 4 * i));
        // The rest of the list is in a chain of its own sectors, each ending with the next one's number.
        std::uint32_t next = word(bytes_, 0x44);
        const std::size_t perSector = sectorSize_ / 4 - 1;
        for (std::size_t hops = 0; where.size() < fatSectors; ++hops) {
            const auto at = offsetOf(next);
            if (!at || hops > sectors_) return false;
            for (std::size_t i = 0; i < perSector && where.size() < fatSectors; ++i) where.push_back(word(bytes_, *at + 4 * i));
            next = word(bytes_, *at + 4 * perSector);
        }
        for (std::uint32_t sector : where) {
            const auto at = offsetOf(sector);
            if (!at) return false;
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(word(bytes_, *at + 4 * i));
        }
        return true;
    }

    bool readDirectory() {
        std::vector<bool> visited(sectors_, false);
        std::vector<std::size_t> entryOffsets;
        for (std::uint32_t sector = word(bytes_, 0x30); sector != kEndOfChain;) {
            const auto at = offsetOf(sector);
            if (!at || visited[sector] || sector >= fat_.size()) return false;
            visited[sector] = true;
            for (std::size_t i = 0; i + kEntrySize <= sectorSize_ && *at + i + kEntrySize <= bytes_.size(); i += kEntrySize)
                entryOffsets.push_back(*at + i);
            sector = fat_[sector];
        }
        if (entryOffsets.empty()) return false;
        // From the root (entry 0) down: siblings and children, each entry reached once.
        std::vector<bool> reached(entryOffsets.size(), false);
        reached[0] = true;
        if (word(bytes_, entryOffsets[0] + 0x44) != kFreeSector || word(bytes_, entryOffsets[0] + 0x48) != kFreeSector)
            return false;
        std::vector<std::uint32_t> pending{word(bytes_, entryOffsets[0] + 0x4C)};
        while (!pending.empty()) {
            const std::uint32_t entry = pending.back();
            pending.pop_back();
            if (entry == kFreeSector) continue;
            if (entry >= entryOffsets.size() || reached[entry]) return false;
            reached[entry] = true;
            for (const std::size_t link : {std::size_t{0x44}, std::size_t{0x48}, std::size_t{0x4C}}) pending.push_back(word(bytes_, entryOffsets[entry] + link));
        }
        return true;
    }

    std::string_view bytes_;
    std::size_t sectorSize_ = 0;
    std::size_t sectors_ = 0;
    std::vector<std::uint32_t> fat_;
};

}  // namespace

bool compoundDirectoryIsSound(std::string_view bytes) { return Reader(bytes).sound(); }

}  // namespace platform::kernel
