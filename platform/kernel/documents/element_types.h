// The kernel's kinds of drawing elements, as selection filters name them, and the state of a
// geometric-type filter.
#pragma once

enum GRTypes : int {
    GR_NONE = 0,
    GR_POINT,
    GR_LINE,
    GR_CIRCLE,
    GR_ARC,
    GR_ELLIPSE,
    GR_SPLINE,
    GR_POLYLINE,
    GR_CONSTRUCTION,
    GR_NODE,
    GR_TEXT,
    GR_DIMENSION,
    GR_LEADER,
    GR_HATCH,
    GR_TABLE,
    GR_FRAGMENT,
    GR_VIEW,
    GR_PICTURE,
    GR_ROUGHNESS,
    GR_CONTOUR,
    GR_PATH,
    GR_BODY,
    GR_BLOCK,
    GR_WIRE,
    GR_CABLE,
    GR_CONNECTOR,
    GR_HARNESS,
};

// Which elements of one geometric type a pick takes: none, some (a sub-set chosen in the type's
// popup) or all.
struct TGeomClass {
    int state = 0;
};
