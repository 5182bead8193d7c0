#include "reports/ListHeading.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reports/ReportScope.h"
#include "reports/TextMetrics.h"

#include <algorithm>

namespace nakva {

namespace {

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        result.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return result;
        }
        start = end + 1;
    }
}

Font smallFont() {
    return {"Arial", 8};
}

Font titleFont() {
    return {"Arial", 12, true};
}

constexpr int InfoLine = pt(11);
constexpr int TitleLine = pt(20);
constexpr int PeriodLine = pt(14);
constexpr int HeadLine = pt(10);
constexpr int HeadPadding = pt(4);

} // namespace

namespace list {

Font detailFont() {
    return {"Arial", 9};
}

Font headFont() {
    return {"Arial", 8, true};
}

} // namespace list

int ReportColumn::anchor() const {
    switch (align) {
    case Align::Left:
        return left;
    case Align::Right:
        return right;
    case Align::Center:
        return (left + right) / 2;
    }
    return left;
}

void cellText(PageCanvas& canvas, const ReportColumn& column, int baseline, std::string_view text) {
    canvas.text({column.anchor(), baseline}, fitText(text, canvas.font(), column.width()), column.align);
}

Band listPageHeader(const ReportScope& scope, ListHeading heading) {
    std::size_t headLines = 1;
    for (const ReportColumn& column : heading.columns) {
        headLines = std::max(headLines, lines(column.heading).size());
    }
    const int headTop = InfoLine + TitleLine + (heading.period || heading.endDate ? PeriodLine : 0) +
                        (heading.group ? PeriodLine : 0) + (heading.note ? PeriodLine : 0);
    const int headHeight = HeadPadding + int(headLines) * HeadLine + HeadPadding;

    Band band;
    band.height = headTop + headHeight + pt(4);
    band.draw = [&scope, heading = std::move(heading), headTop, headHeight](PageCanvas& canvas,
                                                                            const BandContext& context) {
        const int right = heading.right;
        const int width = right - list::Left;
        canvas.setFont(smallFont());
        canvas.text({list::Left, pt(8)},
                    fitText(scope.institution().get(IST::ISTAIGA), smallFont(), width / 2));
        canvas.text({right - mm(22), pt(8)}, formatDate(scope.globals().EINDT), Align::Right);
        canvas.text({right, pt(8)}, context.pageCaption, Align::Right);

        const int middle = (list::Left + right) / 2;
        canvas.setFont(titleFont());
        canvas.text({middle, InfoLine + pt(14)}, heading.title, Align::Center);
        if (heading.period) {
            canvas.setFont(list::detailFont());
            canvas.text({middle, InfoLine + TitleLine + pt(10)}, scope.globals().PERIODAS, Align::Center);
        } else if (heading.endDate) {
            canvas.setFont(list::detailFont());
            canvas.text({middle, InfoLine + TitleLine + pt(10)}, "Data: " + formatDate(scope.globals().GalDt),
                        Align::Center);
        }
        // The group and the note stand under the period, each on a line of its own.
        int extraLine = headTop - (heading.group ? PeriodLine : 0) - (heading.note ? PeriodLine : 0);
        if (heading.group && !scope.globals().Grupe.empty()) {
            canvas.setFont(list::detailFont());
            canvas.text({middle, extraLine + pt(10)}, "Gyventojų grupė: " + scope.globals().Grupe,
                        Align::Center);
        }
        if (heading.group) {
            extraLine += PeriodLine;
        }
        if (heading.note) {
            canvas.setFont(list::detailFont());
            canvas.text({middle, extraLine + pt(10)}, fitText(heading.note(), list::detailFont(), width),
                        Align::Center);
        }

        canvas.line({list::Left, headTop}, {right, headTop});
        canvas.setFont(list::headFont());
        for (const ReportColumn& column : heading.columns) {
            int baseline = headTop + HeadPadding + pt(8);
            for (const std::string_view line : lines(column.heading)) {
                cellText(canvas, column, baseline, line);
                baseline += HeadLine;
            }
        }
        canvas.line({list::Left, headTop + headHeight}, {right, headTop + headHeight});
    };
    return band;
}

Band compiledByBand() {
    Band band;
    band.height = pt(36);
    band.draw = [](PageCanvas& canvas, const BandContext&) {
        canvas.setFont(list::detailFont());
        canvas.text({list::Left, pt(26)}, "Sudarė:");
        canvas.line({list::Left + mm(15), pt(28)}, {list::Left + mm(75), pt(28)});
    };
    return band;
}

Band footnoteBand(std::string_view text) {
    return {list::RowHeight, {}, [text = std::string(text)](PageCanvas& canvas, const BandContext&) {
                canvas.setFont(list::detailFont());
                canvas.text({list::Left, list::Baseline}, text);
            }};
}

} // namespace nakva
