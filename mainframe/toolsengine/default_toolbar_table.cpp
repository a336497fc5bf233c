// The classic tool bars, in the order a main frame builds them. A button without its own edition
// mask carries the bar's.
#include <array>

#include "mainframe/toolsengine/default_toolbar_table.h"

namespace CommandTables {
namespace {

constexpr ToolBarButton kStartupButtons[] = {
    {1001, 0x3BF}, {kSeparator, 0x3BF}, {1203, 0x3BF}, {1111, 0x3BF}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kTwoDButtons[] = {
    {1001, 0x23F}, {1029, 0x23F}, {1027, 0x23F}, {kSeparator, 0x23F}, {1115, 0x23F}, {1117, 0x23F},
    {kSeparator, 0x23F}, {1025, 0x23F}, {kSeparator, 0x23F}, {1022, 0x23F}, {2899, 0x23F}, {1108, 0x23F},
    {2882, 0x23F}, {2131, 0x23F}, {1175, 0x23F}, {kSeparator, 0x23F}, {1037, 0x23F}, {1014, 0x23F},
    {kSeparator, 0x23F}, {1006, 0x23F}, {kSeparator, 0x23F}, {1162, 0x23F}, {kSeparator, 0x23F}, {1033, 0x23F},
    {kSeparator, 0x23F}, {1114, 0x23F}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kSketchButtons[] = {
    {1001, 0x23F}, {1029, 0x23F}, {1027, 0x23F}, {kSeparator, 0x23F}, {1115, 0x23F}, {1117, 0x23F},
    {kSeparator, 0x23F}, {1641, 0x23F}, {2882, 0x23F}, {1825, 0x23F}, {1646, 0x23F}, {1658, 0x23F}, {1826, 0x23F},
    {1827, 0x23F}, {1830, 0x23F}, {1835, 0x23F}, {1836, 0x23F}, {1837, 0x23F}, {1838, 0x23F}, {1842, 0x23F},
    {2934, 0x23F}, {1791, 0x23F}, {kSeparator, 0x23F}, {2915, 0x23F}, {2136, 0x23F}, {2916, 0x23F}, {1175, 0x23F},
    {kSeparator, 0x23F}, {1037, 0x23F}, {1014, 0x23F}, {kSeparator, 0x23F}, {1006, 0x23F}, {kSeparator, 0x23F},
    {1162, 0x23F}, {kSeparator, 0x23F}, {1033, 0x23F}, {kSeparator, 0x23F}, {1114, 0x23F}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kEditButtons[] = {
    {1001, 0x23F}, {1029, 0x23F}, {1027, 0x23F}, {kSeparator, 0x23F}, {1115, 0x23F}, {1117, 0x23F},
    {kSeparator, 0x23F}, {1735, 0x23F}, {1409, 0x23F}, {1736, 0x23F}, {1989, 0x23F}, {kSeparator, 0x23F},
    {1738, 0x23F}, {1259, 0x23F}, {kSeparator, 0x23F}, {1032, 0x23F}, {kSeparator, 0x23F}, {1162, 0x23F},
    {kSeparator, 0x23F}, {1267, 0x23F}, {1250, 0x23F}, {1252, 0x23F}, {kSeparator, 0x23F}, {1248, 0x23F},
    {1251, 0x23F}, {1739, 0x23F}, {1024, 0x23F}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kTableButtons[] = {
    {1115, 0x23F}, {1117, 0x23F}, {kSeparator, 0x23F}, {1279, 0x23F}, {kSeparator, 0x23F}, {1735, 0x23F},
    {1736, 0x23F}, {kSeparator, 0x23F}, {1280, 0x23F}, {1281, 0x23F}, {1282, 0x23F}, {1285, 0x23F}, {1286, 0x23F},
    {1287, 0x23F}, {1288, 0x23F}, {kSeparator, 0x23F}, {1903, 0x23F}, {1904, 0x23F}, {1905, 0x23F}, {1906, 0x23F},
    {kSeparator, 0x23F}, {1740, 0x23F}, {1741, 0x23F}, {1283, 0x23F}, {1284, 0x23F}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kWeldButtons[] = {
    {1001, 0x22D}, {1029, 0x22D}, {1027, 0x23F}, {kSeparator, 0x22D}, {1115, 0x22D}, {1117, 0x22D},
    {kSeparator, 0x22D}, {813, 0x22D}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kGeometryButtons[] = {
    {1001, 0x22D}, {1029, 0x22D}, {1027, 0x23F}, {kSeparator, 0x22D}, {1115, 0x22D}, {1117, 0x22D},
    {kSeparator, 0x22D}, {1003, 0x22D}, {1175, 0x23F}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kExplodeAnimationButtons[] = {
    {1065, 0x22D}, {1064, 0x22D}, {1072, 0x22D}, {kSeparator, 0x22D}, {1001, 0x22D}, {1029, 0x22D}, {1027, 0x22D},
    {kSeparator, 0x22D}, {1115, 0x23F}, {1117, 0x23F}, {kSeparator, 0x22D}, {2006, 0x22D}, {1425, 0x22D},
    {2035, 0x22D}, {2007, 0x22D}, {2008, 0x22D}, {1466, 0x22D}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kFullScreenButtons[] = {
    {1254, 0x3BF}, {2814, 0x3BF}, {kEndOfButtons, 0}
};

constexpr ToolBarButton kViewButtons[] = {
    {1589, 0x23F}, {kSeparator, 0x3BF}, {1255, 0x3BF}, {1965, 0x3BF}, {2935, 0x3BF}, {1340, 0x3BF},
    {kSeparator, 0x3BF}, {1038, 0x3BF}, {1098, 0x3BF}, {1099, 0x3BF}, {kSeparator, 0x3BF}, {1104, 0x3BF},
    {1106, 0x3BF}, {1095, 0x3BF}, {kSeparator, 0x3BF}, {1122, 0x3BF}, {kSeparator, 0x3BF}, {1613, 0x3AD},
    {kSeparator, 0x3AD}, {1339, 0x3AD}, {2858, 0x3AD}, {1341, 0x3AD}, {1448, 0x3AD}, {1416, 0x3AD}, {1343, 0x3AD},
    {kSeparator, 0x3BF}, {1399, 0x3AD}, {kSeparator, 0x3BF}, {2859, 0x3BF}, {kEndOfButtons, 0}
};

constexpr DefaultToolBarRecord kDefaultToolBars[] = {
    {L"Startup", 9043, GUID{0xAEF7C36F, 0x05A6, 0x4166, {0xA3, 0x95, 0xA6, 0xFB, 0x25, 0xCD, 0x0F, 0x3D}},
      1068, false, ToolBarKind::Tab, 0x3BF, kStartupButtons},
    {L"2D", 9000, GUID{0xD773CF70, 0x44FC, 0x4055, {0xAC, 0xC1, 0xFA, 0x1A, 0xB0, 0xFD, 0xB9, 0x5A}},
      1050, true, ToolBarKind::Tab, 0x23F, kTwoDButtons},
    {L"Sketch", 9001, GUID{0x2557C777, 0x3AA3, 0x4DE3, {0x9C, 0x16, 0x10, 0x8D, 0x2E, 0x13, 0xBB, 0x03}},
      1051, true, ToolBarKind::Tab, 0x23F, kSketchButtons},
    {L"Edit", 9005, GUID{0x27D5655A, 0xFE76, 0x43C9, {0x82, 0x04, 0x44, 0x48, 0x2A, 0xF9, 0x10, 0x68}},
      1055, true, ToolBarKind::Tab, 0x23F, kEditButtons},
    {L"Table", 9008, GUID{0xB51C3657, 0xEBB8, 0x43EA, {0x80, 0x9D, 0xE3, 0x8A, 0x3F, 0xCE, 0xEA, 0x27}},
      1058, false, ToolBarKind::Tab, 0x23F, kTableButtons},
    {L"Weld", 9011, GUID{0xD1874427, 0x7B71, 0x42E1, {0xA0, 0x91, 0x01, 0x2C, 0xCE, 0x14, 0xC7, 0x0E}},
      1061, true, ToolBarKind::Tab, 0x22D, kWeldButtons},
    {L"Geometry", 9012, GUID{0xC5ED7F66, 0x53E0, 0x4847, {0xBC, 0x6B, 0x9D, 0x45, 0x7F, 0x00, 0x14, 0xEB}},
      1062, true, ToolBarKind::Tab, 0x22D, kGeometryButtons},
    {L"Explode animation", 43188, GUID{0x7EB4FAE1, 0xC764, 0x4869, {0x90, 0x6D, 0x97, 0xBF, 0x25, 0xA7, 0xBC, 0x14}},
      1076, true, ToolBarKind::Tab, 0x22D, kExplodeAnimationButtons},
    {L"FullScreen", 40837, GUID{},
      1065, false, ToolBarKind::TopAfterLastVisible, 0x3BF, kFullScreenButtons},
    {L"View", 9017, GUID{},
      1063, true, ToolBarKind::DockedRight, 0x3BF, kViewButtons},
    {kEndOfDefaultToolBars},
};

static_assert(std::size(kDefaultToolBars) == 11);

}  // namespace

std::span<const DefaultToolBarRecord> DefaultToolBarRecords() { return kDefaultToolBars; }

}  // namespace CommandTables
