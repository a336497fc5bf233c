#include "syspanel/filter_sets.h"

#include <algorithm>
#include <utility>

namespace FilterSets {

namespace {

// Most sets begin with the parameter row 1079, 911, 1044, 907, 910, 909, 2031, 904.
constexpr Record kSets[] = {
    {{0, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{2, 1079, 911, 1044, 907, 910, 909, 2031, 904, 914, 915, -1}},
    {{4, 1079, 911, 1044, 907, 910, 909, 2031, 904, 908, 918, -1}},
    {{42, 1079, 911, 1044, 907, 910, 909, 2031, 904, 908, 918, -1}},
    {{5, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2701, 2702, 2703, 2704, 2705, 2706, 2707, 2708, 2709, -1}},
    {{6, 1289, 1290, 1291, 0, 1292, 1293, 1294, 1295, 0, 1298, 0, 1320, 0, 1296, 0, 1297, 0, 1327, 904, 906, 914, 915, -1}},
    {{7, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{13, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2713, 2714, 2712, 2715, 2716, 2717, 2718, 2719, 2720, 2721, 0, 2792, 2791, -1}},
    {{46, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2704, 2706, 2703, 0, 2718, 2717, 2719, 2724, 2715, -1}},
    {{43, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2704, 2706, 2703, -1}},
    {{44, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2718, 2717, 2719, 2724, 2715, -1}},
    {{45, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2717, 2715, 2716, -1}},
    {{16, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{41, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{17, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{18, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2713, 2714, 2712, 2715, 2716, 2717, 2718, 2719, -1}},
    {{19, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, 0, 2713, 2720, 2717, 2715, -1}},
    {{20, 1079, 911, 1044, 907, 910, 909, 2031, 904, -1}},
    {{21, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2713, 2720, 2718, 2717, 2722, -1}},
    {{22, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2720, 2718, 2717, -1}},
    {{23, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, 0, 2717, 2733, 2734, 2735, 2736, -1}},
    {{24, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 0, 2713, 2714, 2712, 2715, 2716, 2717, 2718, 2720, -1}},
    {{25, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, 0, 2717, 2718, 2719, -1}},
    {{26, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, 0, 2717, 2718, 2719, -1}},
    {{27, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, 0, 2720, 2718, 2717, -1}},
    {{28, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, 0, 2716, 2722, 2723, -1}},
    {{29, 1079, 911, 1044, 907, 910, 909, 2031, 904, 1250, 1869, -1}},
    {{30, 1079, 911, 1044, 907, 910, 909, 2031, 904, 918, -1}},
    {{32, 2739, 2738, 2740, 0, 2701, 2702, 2703, 2704, 2705, 2706, 2707, 2708, 2709, -1}},
    {{47, 2702, 2703, -1}},
    {{49, 2718, 2713, 2720, 2724, 2712, -1}},
    {{50, 2703, 2702, 2704, -1}},
    {{36, 2703, 2702, 2704, -1}},
    {{33, 2712, 2725, 2716, 2717, -1}},
    {{51, 2718, 2724, -1}},
    {{31, 2713, 2714, 2715, 2712, 2716, 2717, 2718, 2719, 2720, 2721, -1}},
};

// The usual look of each filter button the sets name.
constexpr ButtonLook kPoints{2701, 4132, 16556}, kLines{2702, 4134, 16557}, kCircles{2703, 4137, 16558},
    kArcs{2704, 4140, 16559}, kEllipses{2705, 4139, 16560}, kSplines{2706, 4138, 16561},
    kPolylines{2707, 4141, 16562}, kConstruction{2708, 4142, 16563}, kNodes{2709, 4143, 16564},
    kTexts{2712, 378, 16568}, kDimensions{2713, 4118, 16565}, kLeaders{2714, 4121, 16566},
    kHatches{2715, 4119, 16567}, kTables{2716, 4126, 16569}, kFragments{2717, 4130, 16570},
    kViews{2718, 4128, 16571}, kPictures{2719, 4129, 16572}, kMarks{2720, 4127, 16573},
    kNodes2721{2721, 4143, 16564}, kContours{2722, 4242, 13993}, kPaths{2723, 4331, 41197},
    kBodies{2724, 4122, 11522}, kBlocks{2725, 4117, 13819}, kWires{2733, 400, 40281}, kCables{2734, 401, 40282},
    kConnectors{2735, 402, 12574}, kHarnesses{2736, 403, 40437};

// Where a set gives a button a look of its own.
constexpr ButtonLook kHatchesIn45{2715, 4130, 16557};
constexpr ButtonLook kTablesIn28{2716, 4126, 16445};
constexpr ButtonLook kFragmentsIn23{2717, 980, 40436};

// The electric buttons of set 32 take their tooltips from UI text keys.
constexpr ButtonLook kCircuitElements{2739, 40834, 0, L"electric.filter.circuitelement"};
constexpr ButtonLook kCircuitLinks{2738, 40832, 0, L"electric.filter.circuitlink"};
constexpr ButtonLook kCircuitLinkGroups{2740, 40837, 0, L"electric.filter.circuitlink.group"};
constexpr ButtonLook kCircuitBuses{2741, 40930, 0, L"electric.filter.circuitbus"};

constexpr ButtonLook kLooks5[] = {kPoints, kLines, kCircles, kArcs, kEllipses, kSplines, kPolylines, kConstruction, kNodes};
// Set 32 gives its electric buttons and the splines first, then everything set 5 gives.
constexpr ButtonLook kLooks32[] = {kCircuitElements, kCircuitLinks, kCircuitLinkGroups, kCircuitBuses, kSplines,
                                   kPoints, kLines, kCircles, kArcs, kEllipses, kSplines, kPolylines, kConstruction,
                                   kNodes};
constexpr ButtonLook kLooks13[] = {kDimensions, kLeaders, kHatches, kTexts, kTables,
                                   kFragments, kViews, kPictures, kMarks, kNodes2721};
constexpr ButtonLook kLooks18[] = {kDimensions, kLeaders, kHatches, kTexts, kTables, kFragments, kViews, kMarks};
constexpr ButtonLook kLooks19[] = {kDimensions, kMarks, kViews, kHatches};
constexpr ButtonLook kLooks21[] = {kDimensions, kMarks, kViews, kFragments};
constexpr ButtonLook kLooks46[] = {kArcs, kSplines, kCircles, kViews, kFragments, kPictures, kHatches};
constexpr ButtonLook kLooks43[] = {kArcs, kSplines, kCircles};
constexpr ButtonLook kLooks44[] = {kViews, kFragments, kPictures, kHatches};
constexpr ButtonLook kLooks45[] = {kFragments, kHatchesIn45, kTables};
constexpr ButtonLook kLooks22[] = {kMarks, kViews, kFragments};
constexpr ButtonLook kLooks23[] = {kFragmentsIn23, kWires, kCables, kConnectors, kHarnesses};
constexpr ButtonLook kLooks25[] = {kFragments, kViews, kPictures};
constexpr ButtonLook kLooks28[] = {kTablesIn28, kContours, kPaths};
constexpr ButtonLook kLooks49[] = {kViews, kDimensions, kMarks, kTexts};
constexpr ButtonLook kLooks50[] = {kCircles, kLines, kArcs};
constexpr ButtonLook kLooks33[] = {kTexts, kBlocks, kTables, kFragments};
constexpr ButtonLook kLooks51[] = {kViews, kBodies};

struct SetLooks {
    int set;
    std::span<const ButtonLook> looks;
};

constexpr SetLooks kSetLooks[] = {
    {32, kLooks32}, {5, kLooks5},   {13, kLooks13}, {18, kLooks18}, {24, kLooks18}, {19, kLooks19},
    {21, kLooks21}, {46, kLooks46}, {43, kLooks43}, {44, kLooks44}, {45, kLooks45}, {22, kLooks22},
    {27, kLooks22}, {23, kLooks23}, {25, kLooks25}, {26, kLooks25}, {28, kLooks28}, {49, kLooks49},
    {50, kLooks50}, {36, kLooks50}, {33, kLooks33}, {51, kLooks51},
};

constexpr std::pair<unsigned, unsigned> kFixedCommandIcons[] = {
    {2792, 41064}, {2791, 43162}, {1079, 1079}, {1044, 1044}, {1250, 1250}, {1869, 1869}, {1870, 1870},
    {1871, 1871},  {1289, 1289},  {1290, 1290}, {1291, 1291}, {1292, 1292}, {1293, 1293}, {1294, 1294},
    {1295, 1295},  {1296, 1296},  {1297, 1297}, {1298, 1298}, {1320, 1320}, {1327, 1327},
};

}  // namespace

const Record* Find(int set) {
    const auto it = std::find_if(std::begin(kSets), std::end(kSets), [set](const Record& record) { return record[0] == set; });
    return it == std::end(kSets) ? nullptr : &*it;
}

std::span<const Record> All() { return kSets; }

std::span<const std::int32_t> MembersOf(const Record& record) {
    const auto first = record.begin() + 1;
    const auto last = std::find(first, first + kMaxMembers, -1);
    return {first, last};
}

std::span<const ButtonLook> LooksOf(int set) {
    for (const SetLooks& entry : kSetLooks)
        if (entry.set == set) return entry.looks;
    return {};
}

std::span<const std::pair<unsigned, unsigned>> FixedCommandIcons() { return kFixedCommandIcons; }

}  // namespace FilterSets
