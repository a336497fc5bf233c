// What the UI library makes of icon data an add-on hands over: an SVG picture (a vector icon) or,
// failing that, the raster icons of an icon file.
#pragma once

#include <string_view>
#include <vector>

namespace Korvo::UI {

// Whether `bytes` are an SVG picture: well-formed XML whose document element is `svg` (with or
// without a namespace prefix). Text that merely contains the tag is not one.
bool IsSvgImage(std::string_view bytes);

// The edges (in pixels, ascending, each once) of the raster icons of an icon file's directory in
// `bytes`; empty when the data holds none or its directory runs past the data.
std::vector<int> FindRasterIconSizes(std::string_view bytes);

}  // namespace Korvo::UI
