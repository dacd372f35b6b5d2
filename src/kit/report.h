#pragma once
// A report document built by the logic layer and printed or previewed by the
// renderer: a page set-up and lines of text, each with its font and alignment.

#include "kit/types.h"

#include <QString>
#include <vector>

namespace kit {

struct ReportLine {
    enum class Face { Song, Hei };   // 宋体-style body, 黑体-style titles
    QString text;
    Face face = Face::Song;
    int pointSize = 9;
    bool bold = false;
    Align align = Align::Left;
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
