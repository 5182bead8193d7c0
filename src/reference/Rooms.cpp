#include "reference/Rooms.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/RecordCopy.h"
#include "roomservice/RoomOccupancy.h"
#include "ui/ListEngine.h"

#include <string>

namespace nakva {

namespace {

ListColumn withIcon(ListColumn column, std::string (*icon)(Context&)) {
    column.icon = icon;
    return column;
}

// A room's number with its occupancy dot.
std::string occupancyIcon(Context& context) {
    const std::int32_t room = context.table(TableId::Kamb).record().get(KMB::KambarioID);
    return KmbUzimtas(context, room).occupied ? "dotfull" : "dotempty";
}

// A registration's number with the check of a departed one.
std::string departedIcon(Context& context) {
    return context.table(TableId::Saskait).record().get(SAS::Isvykes) != 0 ? "check" : "empty";
}

ListConfig history(std::string name, TableId table, std::string prefix, std::vector<ListColumn> columns) {
    ListConfig config;
    config.name = std::move(name);
    config.table = table;
    config.filter = prefix + ":KambarioID = " + std::string(RoomHistoryVariable);
    config.columns = std::move(columns);
    SortTab tab;
    tab.order = "+" + prefix + ":KambarioID,+" + prefix + ":IrasoDt,+" + prefix + ":IrasoID";
    config.tabs = {tab};
    return config;
}

// The log columns: date, entry number and quantity as a whole number.
ListColumn logDate(const std::string& prefix) {
    return ListColumn::of("ĮrašoDt", prefix + ":IrasoDt", 44, ColumnAlign::Left, Picture::date());
}
ListColumn logNumber(const std::string& prefix) {
    return ListColumn::of("ĮrašoID", prefix + ":IrasoID", 36, ColumnAlign::Right, Picture::number(10));
}
ListColumn logQuantity(const std::string& prefix) {
    return ListColumn::of("Kiekis", prefix + ":KIEKIS", 32, ColumnAlign::Right, Picture::number(7, 0, true));
}

} // namespace

ListConfig SarKamb() {
    ListConfig config;
    config.name = "SarKamb";
    config.title = "Kambarių sąrašas";
    config.table = TableId::Kamb;
    config.opens = {{TableId::SaskKmb, true}, {TableId::Saskait, true}};

    config.columns = {
        ListColumn::of("ID", "KMB:KambarioID", 28, ColumnAlign::Right, Picture::number(6)),
        ListColumn::of("Tipas", "KMB:KambarioTipas", 80, ColumnAlign::Left, Picture::text(20)),
        ListColumn::of("K", "KMB:KambarioKorpusas", 24, ColumnAlign::Left, Picture::text(5)),
        ListColumn::of("A", "KMB:KambarioAukstas", 12, ColumnAlign::Right, Picture::number(2, 0, true)),
        withIcon(ListColumn::of("KambNr", "KMB:KambarioNr", 44, ColumnAlign::Left, Picture::text(8)),
                 occupancyIcon),
        ListColumn::of("Gyv", "KMB:KAMBARIOGYVENTOJUSKC", 16, ColumnAlign::Right, Picture::number(2)),
        ListColumn::of("Kaina", "KMB:KAMBARIOKAINA", 40, ColumnAlign::Right, Picture::number(9, 2, true)),
        ListColumn::of("N", "KMB:KambarysNenaudojamas", 8, ColumnAlign::Center, Picture::number(1, 0, true)),
        ListColumn::of("Pastabos", "KMB:KAMBARIOPASTABOS", 160, ColumnAlign::Left, Picture::text(100)),
    };

    SortTab byType;
    byType.text = "pagal kambario tipą";
    byType.order = "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,"
                   "+UPPER(KMB:KambarioNr),+KMB:KambarioID";
    byType.filter = "UPPER(KMB:KambarioTipas) = UPPER(" + std::string(RoomTypeVariable) + ")";
    byType.primes = {{"KMB:KambarioTipas", std::string(RoomTypeVariable)}};
    byType.selector = TabSelector{
        .name = "type",
        .prompt = "Kambario tipas:",
        .variable = std::string(RoomTypeVariable),
        .lookUp = {TableId::KmbTipai, KTIP::KambarioTipas.index, KTIP::KTIPAS.index, "SarKambTipai"},
        .beside = {},
        .remembered = true,
    };
    SortTab byNumber;
    byNumber.text = "pagal kambario Nr";
    byNumber.order =
        "+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),+KMB:KambarioID";
    SortTab byId;
    byId.text = "pagal kambario ID";
    byId.order = "+KMB:KambarioID";
    config.tabs = {byType, byNumber, byId};
    return config;
}

std::optional<Position> copyRoom(Table& rooms) {
    return copyRecord(rooms, [](Table& copy) {
        const std::int32_t copied = copy.record().get(KMB::KambarioID);
        // The highest ID through a handle of its own: the buffer holds the room being copied.
        Table highest(copy.context(), TableId::Kamb, false);
        highest.open();
        std::int64_t id = std::int64_t(copied) + 1;
        if (highest.setToKeyStart(KMB::IDKEY) == StoreStatus::Ok && highest.previous() == StoreStatus::Ok) {
            id = std::int64_t(highest.record().get(KMB::KambarioID)) + 1;
        }
        highest.close();
        copy.record().set(KMB::KambarioID, std::int32_t(id));
        return std::to_string(id);
    });
}

FormConfig RedKamb() {
    FormConfig config;
    config.name = "RedKamb";
    config.helpTopic = "RedKamb";
    config.caption = "KAMBARYS";
    config.table = TableId::Kamb;
    config.tabs = {"Duomenys apie kambarį", "Gyventojai", "Valymas", "Patalynė", "Rakšluosčiai"};

    // Numbered when the form opens; the ID links the room's history, so it is not typed over.
    FormField id("ID:", KMB::KambarioID.index, "Kambario unikalus identifikatorius");
    id.readOnly = true;
    FormField type("Kambario tipas:", KMB::KambarioTipas.index, "Kambario tipas");
    type.lookUp.emplace(TableId::KmbTipai, KTIP::KambarioTipas.index, KTIP::KTIPAS.index, "SarKambTipai");
    FormField unused("Kambarys nenaudojamas", KMB::KambarysNenaudojamas.index,
                     "Pažymėta: kambarys nenaudojamas ir neįtraukiamas į neparuoštų kambarių sąrašą");
    unused.control = FormControl::CheckBox;
    config.fields = {
        id,
        {"Korpusas:", KMB::KambarioKorpusas.index, "Korpuso kodas"},
        {"Aukštas:", KMB::KambarioAukstas.index, "Kambario aukštas"},
        {"Kambario Nr:", KMB::KambarioNr.index, "Kambario Nr."},
        type,
        {"Kambario gyventojų skaičius:", KMB::KAMBARIOGYVENTOJUSKC.index,
         "Planinis kambario gyventojų skaičius."},
        {"Kambario kaina:", KMB::KAMBARIOKAINA.index, "Kambario kaina"},
        {"Pastabos apie kambarį:", KMB::KAMBARIOPASTABOS.index, "Pastabos apie kambarį"},
        unused,
    };
    config.keyNames = {{KMB::IDKEY.index, "pagal kambario ID"},
                       {KMB::KORPAUKSTNR.index, "pagal kambario Nr"},
                       {KMB::TIPASNRKEY.index, "pagal tipą"}};
    return config;
}

ListConfig roomHistory(RoomHistory which) {
    switch (which) {
    case RoomHistory::Residents: {
        ListConfig config;
        config.name = "RedKambGyventojai";
        config.table = TableId::SaskKmb;
        config.joins = {TableId::Saskait};
        config.filter = "SKMB:KambarioID = " + std::string(RoomHistoryVariable);
        config.columns = {
            withIcon(ListColumn::of("Išv", "SKMB:IrasoNr", 44, ColumnAlign::Right, Picture::number(10)),
                     departedIcon),
            ListColumn::of("Gyventojas", "SAS:Gyventojas", 140, ColumnAlign::Left, Picture::text(35)),
            ListColumn::of("Nuo", "SAS:GyvenaNuo", 44, ColumnAlign::Left, Picture::date()),
            ListColumn::of("Iki", "SAS:GyvenaIki", 44, ColumnAlign::Left, Picture::date()),
            ListColumn::of("Gyv", "SKMB:KambarioGyventojuSkc", 16, ColumnAlign::Right, Picture::number(2)),
        };
        SortTab tab;
        tab.order = "+SKMB:KambarioID,+SKMB:IrasoNr";
        config.tabs = {tab};
        return config;
    }
    case RoomHistory::Cleanings:
        return history("RedKambValymas", TableId::KmbVal, "KVAL",
                       {logDate("KVAL"), logNumber("KVAL"),
                        ListColumn::of("Pav", "KVAL:ValytPav", 120, ColumnAlign::Left, Picture::text(30)),
                        logQuantity("KVAL")});
    case RoomHistory::Bedding:
        return history("RedKambPatalyne", TableId::KmbPatal, "KPAT",
                       {logDate("KPAT"), logNumber("KPAT"), logQuantity("KPAT")});
    case RoomHistory::Towels:
        break;
    }
    return history("RedKambRanksluosciai", TableId::KmbRanks, "KRANK",
                   {logDate("KRANK"), logNumber("KRANK"), logQuantity("KRANK")});
}

} // namespace nakva
