#pragma once

#include "reports/Band.h"
#include "reports/PageCanvas.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class ReportScope;

// The common look of the list reports: a portrait (or landscape) page whose header carries the institution
// (IST:ISTAIGA), the working date GLO:EINDT and the page caption, the report's heading, the period
// caption GLO:PERIODAS where the report has a period, and the column heads between two rules; the
// rows in columns; "Sudarė:" at the end.
namespace list {

inline constexpr int Left = mm(15);
inline constexpr int Right = mm(200);
inline constexpr int LandscapeRight = mm(282); // the right edge of a landscape page's columns
inline constexpr int RowHeight = pt(12);       // one line of the detail font
inline constexpr int Baseline = pt(9);         // of a line's text, from the line's top

Font detailFont();
Font headFont();

} // namespace list

// A column of a list report: its head and its place on the page. Text is anchored at the left edge,
// the right edge or the middle as the column is aligned, and cut to the column's width.
struct ReportColumn {
    std::string_view heading; // "\n" breaks a head into lines
    int left = 0;
    int right = 0;
    Align align = Align::Left;

    int width() const { return right - left; }
    int anchor() const;
};

struct ListHeading {
    std::string_view title;            // "PREKIŲ-PASLAUGŲ SĄRAŠAS"
    bool period = false;               // GLO:PERIODAS under the title
    std::vector<ReportColumn> columns; // left to right
    bool endDate = false;              // "Data: " and GLO:GalDt under the title: a report on one day
    bool group = false;                // "Gyventojų grupė: " and GLO:Grupe under the period, when chosen
    int right = list::Right;           // list::LandscapeRight on a landscape page
    // A line under the period saying what else the report was asked for (the service summary's
    // choices), read when a page header is drawn; none when empty.
    std::function<std::string()> note = {};
};

// The page header band of a list report.
Band listPageHeader(const ReportScope& scope, ListHeading heading);
// The closing band: "Sudarė:" with a line to sign on.
Band compiledByBand();
// A line under a report's end saying how it counts: "* statistika skaičiuojama pagal registracijos datą".
Band footnoteBand(std::string_view text);

// A text in a column at `baseline` (band coordinates), in the canvas's present font, cut to the
// column's width.
void cellText(PageCanvas& canvas, const ReportColumn& column, int baseline, std::string_view text);

} // namespace nakva
