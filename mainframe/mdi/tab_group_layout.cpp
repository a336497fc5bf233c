#include "mainframe/mdi/tab_group_layout.h"

TabGroupPlacement PlaceTabGroups(const RECT& rect, bool stacked, const std::vector<double>& ratios, int splitterWidth) {
    TabGroupPlacement placement;
    if (ratios.empty()) return placement;
    const int count = static_cast<int>(ratios.size());
    const int origin = stacked ? rect.top : rect.left;
    const int length = (stacked ? rect.bottom - rect.top : rect.right - rect.left) - splitterWidth * (count - 1);
    double sum = 0;
    for (double ratio : ratios) sum += ratio;
    if (static_cast<long long>(sum) == 0) sum = 1.0;
    const double unit = length / sum;
    double cumulative = 0;
    int start = origin;
    for (int i = 0; i < count; ++i) {
        cumulative += ratios[static_cast<std::size_t>(i)];
        const int end = origin + static_cast<int>(cumulative * unit) + i * splitterWidth;
        placement.groups.push_back(stacked ? RECT{rect.left, start, rect.right, end} : RECT{start, rect.top, end, rect.bottom});
        if (i + 1 < count) {
            placement.splitters.push_back(stacked ? RECT{rect.left, end, rect.right, end + splitterWidth}
                                                  : RECT{end, rect.top, end + splitterWidth, rect.bottom});
        }
        start = end + splitterWidth;
    }
    return placement;
}

std::vector<RECT> PlaceTabButtons(const RECT& tab, const RECT& margins, bool horizontal, const std::vector<SIZE>& sizes) {
    const RECT inner{tab.left + margins.left, tab.top + margins.top, tab.right - margins.right, tab.bottom - margins.bottom};
    std::vector<RECT> placed(sizes.size());
    int edge = horizontal ? inner.right - 3 : inner.bottom - 3;
    for (std::size_t i = sizes.size(); i-- > 0;) {
        const SIZE size = sizes[i];
        if (horizontal) {
            const int top = inner.top + (inner.bottom - inner.top - size.cy) / 2;
            placed[i] = RECT{edge - size.cx, top, edge, top + size.cy};
            edge -= size.cx;
        } else {
            const int left = inner.left + (inner.right - inner.left - size.cx) / 2;
            placed[i] = RECT{left, edge - size.cy, left + size.cx, edge};
            edge -= size.cy;
        }
    }
    return placed;
}
