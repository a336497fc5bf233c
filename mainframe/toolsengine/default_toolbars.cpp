#include "mainframe/toolsengine/default_toolbars.h"

#include <boost/container/static_vector.hpp>

#include "platform/kernel.h"

namespace {

using DefaultToolBarList = boost::container::static_vector<DefaultToolBarButtons, CommandTables::kMaxDefaultToolBars>;

// The caption string (at most kMaxCaptionLength characters), or the internal name when it does
// not load or is empty.
CString LoadDefaultToolBarCaption(const CommandTables::DefaultToolBarRecord& record) {
    CString caption;
    if (!caption.LoadString(record.captionStringId) || caption.IsEmpty()) {
        return CString(record.internalName);
    }
    if (caption.GetLength() > static_cast<int>(CommandTables::kMaxCaptionLength)) {
        caption = caption.Left(static_cast<int>(CommandTables::kMaxCaptionLength));
    }
    return caption;
}

DefaultToolBarList BuildDefaultToolBars() {
    DefaultToolBarList bars;
    for (auto& entry : CommandTables::SelectDefaultToolBars(CommandTables::DefaultToolBarRecords(), KV_EDITION_CODE)) {
        bars.push_back({entry.record, LoadDefaultToolBarCaption(*entry.record), std::move(entry.commandIds),
                        static_cast<int>(entry.record->barId)});
    }
    return bars;
}

}  // namespace

std::span<const DefaultToolBarButtons> GetDefaultToolBars() {
    static const DefaultToolBarList bars = BuildDefaultToolBars();
    return {bars.data(), bars.size()};
}
