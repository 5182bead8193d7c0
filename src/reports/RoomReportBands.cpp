#include "reports/RoomReportBands.h"

#include "data/Collation.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "ui/Picture.h"

#include <utility>

namespace nakva::rooms {

const ReportColumn Room{"Kambarys", list::Left, mm(66)};
const ReportColumn Floor{"", list::Left, mm(22), Align::Right};
const ReportColumn Number{"", mm(24), mm(44)};
const ReportColumn Building{"", mm(45), mm(57)};
const ReportColumn Residents{"", mm(58), mm(64), Align::Right};

GroupBreak byType(const Record& room) {
    GroupBreak group;
    group.key = [&room] {
        return upper(room.get(KMB::KambarioTipas));
    };
    group.header = {list::RowHeight + pt(4), {}, [](PageCanvas& canvas, const BandContext& context) {
                        canvas.setFont(list::headFont());
                        canvas.text({list::Left, list::Baseline + pt(4)}, context.groupKey);
                    }};
    return group;
}

void drawRoom(PageCanvas& canvas, const Record& room) {
    static const Picture floor = Picture::number(2, 0, true);
    cellText(canvas, Floor, list::Baseline, floor.format(room.value(KMB::KambarioAukstas.index)));
    cellText(canvas, Number, list::Baseline, room.get(KMB::KambarioNr));
    cellText(canvas, Building, list::Baseline, room.get(KMB::KambarioKorpusas));
    cellText(canvas, Residents, list::Baseline, std::to_string(room.get(KMB::KAMBARIOGYVENTOJUSKC)));
}

void drawTotalLabel(PageCanvas& canvas, std::int64_t rooms) {
    canvas.setFont(list::headFont());
    canvas.text({list::Left, list::Baseline}, "Iš viso:");
    cellText(canvas, Residents, list::Baseline, std::to_string(rooms));
}

Band closingBand(std::function<void(PageCanvas&)> total) {
    Band band = compiledByBand();
    band.draw = [total = std::move(total), compiled = band.draw](PageCanvas& canvas,
                                                                 const BandContext& context) {
        total(canvas);
        compiled(canvas, context);
    };
    return band;
}

} // namespace nakva::rooms
