#include "sheet_layout.h"

#include <algorithm>

namespace {

// Fills cells of one size left to right from row `top`; returns the y below
// the last row (`top` when there are none).
int FillRows(std::vector<SheetCell>& cells, int count, int panels, int panelSide, int top, int& sheetWidth,
             const SheetMetrics& m) {
    const int cellWidth = panels * panelSide;
    const int rowHeight = panelSide + m.label;
    int x = m.gap, y = top;
    for (int i = 0; i < count; ++i) {
        if (x > m.gap && x + cellWidth + m.gap > m.width) {
            x = m.gap;
            y += rowHeight + m.gap;
        }
        SheetCell cell;
        for (int p = 0; p < panels; ++p) cell.panels.push_back({x + p * panelSide, y, panelSide, panelSide});
        cell.label = {x, y + panelSide, cellWidth, m.label};
        cells.push_back(cell);
        sheetWidth = std::max(sheetWidth, x + cellWidth + m.gap);
        x += cellWidth + m.gap;
    }
    return count > 0 ? y + rowHeight + m.gap : top;
}

}  // namespace

SheetLayout LayOutSheet(int meshCount, int panelsPerMesh, int pictureCount, const SheetMetrics& metrics) {
    SheetLayout sheet;
    sheet.width = metrics.width;
    int y = FillRows(sheet.meshes, meshCount, std::max(panelsPerMesh, 1), metrics.meshPanel, metrics.gap,
                     sheet.width, metrics);
    if (meshCount > 0 && pictureCount > 0) y += metrics.gap;
    sheet.height = FillRows(sheet.pictures, pictureCount, 1, metrics.thumbnail, y, sheet.width, metrics);
    return sheet;
}
