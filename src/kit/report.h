#pragma once
// A report document built by the logic layer and printed or previewed by the
// renderer: a page set-up and lines of text, each with its font and alignment.
// A line may instead hold several cells side by side (columns of a detail
// line, or two or three captions on one line), and may ask for a least height
// (an empty band at the end of a receipt).

#include "kit/types.h"

#include <QString>
#include <vector>

namespace kit {

// One cell of a line: its text wraps within its share of the width.
struct ReportCell {
    QString text;
    double width = 1;       // relative: a cell's share is width / sum of the line's widths
    Align align = Align::Left;
    bool bold = false;      // bold when either the cell or its line is bold
};

struct ReportLine {
    enum class Face { Song, Hei };   // 宋体-style body, 黑体-style titles
    QString text;
    Face face = Face::Song;
    int pointSize = 9;
    bool bold = false;
    Align align = Align::Left;
    // When not empty the line shows these cells side by side, in the line's
    // face and size, instead of its text.
    std::vector<ReportCell> cells;
    double minHeightMm = 0;          // the line is at least this high
};

struct ReportDocument {
    QString title;                // document name for the printer queue
    double paperWidthMm = 58;
    double paperHeightMm = 0;     // 0: continuous roll, as long as the content
    double marginLeftMm = 0;
    double marginRightMm = 0;
    double marginTopMm = 0;
    double marginBottomMm = 0;
    std::vector<ReportLine> lines;
    int copies = 1;
};

}  // namespace kit
