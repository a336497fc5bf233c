#include "console/input_lines.h"

#include <errno.h>
#include <unistd.h>

#include <utility>

namespace korvo::console {

std::optional<std::string> InputLines::next() {
    constexpr std::size_t kChunk = 64 * 1024;
    std::size_t searched = 0;
    while (true) {
        if (const std::size_t end = buffer_.find('\n', searched); end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        searched = buffer_.size();
        if (ended_) {
            if (buffer_.empty()) return std::nullopt;
            return std::exchange(buffer_, {});  // a last line without a line feed
        }
        if (!signals_.waitReadable(fd_)) return std::nullopt;
        char chunk[kChunk];
        const ssize_t count = read(fd_, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) ended_ = true;
        else buffer_.append(chunk, static_cast<std::size_t>(count));
    }
}

}  // namespace korvo::console
