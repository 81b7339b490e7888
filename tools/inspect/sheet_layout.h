// Where everything goes on a contact sheet: mesh cells first (one square
// panel, or two side by side when outlines are shown too), then picture
// thumbnails, each with a label strip under it, filled row by row.
#pragma once

#include <vector>

#include "game_look.h"

struct SheetMetrics {
    int width = 1536;     // of the whole sheet
    int meshPanel = 184;  // side of a mesh panel
    int thumbnail = 120;  // side of a picture thumbnail
    int label = 18;       // height of the label strip
    int gap = 8;          // between cells and around the sheet
};

struct SheetCell {
    std::vector<PixelRect> panels;
    PixelRect label;
};

struct SheetLayout {
    int width = 0, height = 0;
    std::vector<SheetCell> meshes, pictures;
};

// A cell wider than the sheet gets a row of its own and is not cut.
SheetLayout LayOutSheet(int meshCount, int panelsPerMesh, int pictureCount, const SheetMetrics& metrics = {});
