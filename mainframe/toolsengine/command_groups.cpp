#include "mainframe/toolsengine/command_groups.h"

#include "platform/kernel.h"

const std::vector<CommandGroup>& CommandGroups() {
    static const std::vector<CommandGroup> groups{
        {41469, {1027, 2036, 1093, 1265, 2054, 1201, 1036, 1039}},
        {9014, {1076, 1020, 1234, 1084, 1083, 1224}},
        {9015, {1006, 1028, 1030, 1009}},
        {9018, {1259, 1407, 1408, 1260, 1542, 1261, 1262, 1844, 1845, 1846, 1847, 1666}},
        {9019, {1300, 1849, 1696}},
        {9020, {1314, 1400, 1366, 3104}},
        {9021, {1308, 1468, 1472}},
        {9022, {1334, 2960, 2961, 2962, 2963, 1375, 1379}},
        {9023, {1318, 1363, 1397}},
        {9024, {1310, 1328, 1373, 7221}},
        {9025, {1354, 1426, 1487, 1499, 1501, 1503, 1485, 1140, 1402, 3081}},
        {9026, {1404, 2980, 2987, 3104, 3117, 3133, 1431, 1475, 1393}},
        {41519, {1564, 1561, 1562, 1563, 1570, 1572}},
        {9027, {1803, 1761, 1377, 1382, 1611}},
        {9028, {1752, 1490, 1506, 1514, 1508, 1510, 1512, 1915, 1516, 1218}},
        {9029, {1767, 1779, 1781, 1777, 2876, 1927, 1929, 1979, 2861, 1981, 1604, 1595, 2925, 2927, 2932, 2943}},
        {9030, {1783, 1785, 2904, 1986, 3176, 1994, 1596, 2967}},
        {9031, {1938, 3118, 1940, 1942, 1944, 1946, 1410}},
        {9035, {1641, 1644, 1640, 1643, 1642, 1651}},
        {9036, {1646, 1647, 1648, 1649, 1652, 1653}},
        {9037, {1658, 1654, 1655, 1656}},
        {9038, {1827, 1828, 1829}},
        {9039, {1830, 1831, 1832, 1833}},
        {9040, {1838, 1839, 1840, 1841}},
        {1825, {1825, 2040, 2870, 1850, 1851, 1852, 1853, 1854}},
        {43505, {1065, 2044}},
        {43506, {1064, 2043}},
        {43505, {2096, 2102, 2098, 2100, 2103, 2101, 2114}},
        {-1, {1222, 2945, 1587, 1588, 2984, 2985}},
    };
    return groups;
}

std::map<UINT, const CommandGroup*> BuildCommandGroupIndex(const std::function<bool(UINT)>& registered) {
    std::map<UINT, const CommandGroup*> index;
    for (const CommandGroup& group : CommandGroups())
        for (UINT id : group.members)
            if (registered(id)) index[id] = &group;
    return index;
}

const CommandGroup* FindCommandGroup(UINT id) {
    static const std::map<UINT, const CommandGroup*> index =
        BuildCommandGroupIndex([](UINT command) { return KVCommandContainer::Instance().IsRegistered(command); });
    const auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}
