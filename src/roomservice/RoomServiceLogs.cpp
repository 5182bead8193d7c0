#include "roomservice/RoomServiceLogs.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "reference/Rooms.h"
#include "shell/Globals.h"
#include "ui/FormEngine.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace nakva {

namespace {

constexpr std::string_view SelectionTypeVariable = "LOC:KambarioTipas";

// What sets one log apart from the others: its table and prefix, its captions and its key names.
struct LogDef {
    TableId table;
    std::string prefix; // "KVAL"
    std::string listName;
    std::string listTitle;
    std::string dateTab;
    std::string formName;
    std::string formCaption;
    std::string numberPrompt;
    std::string datePrompt;
    // Bedding's one room never shows the entries without a room.
    bool roomZeroHidden = false;
    std::map<int, std::string> keyNames; // by key index
};

const LogDef& cleanings() {
    static const LogDef def{TableId::KmbVal,
                            "KVAL",
                            "SarKmbVal",
                            "KAMBARIŲ VALYMO ĮRAŠAI",
                            "Pagal datą",
                            "RedKmbVal",
                            "KAMBARIŲ VALYMO ĮRAŠAS",
                            "Irašo Nr:",
                            "Įrašo įvedimo data:",
                            false,
                            {{KVAL::KEY_ID.index, "Pagal ID"},
                             {KVAL::KEY_DTKMBID.index, "pagal datą ir kambarį"},
                             {KVAL::KEY_KMBDT.index, "Pagal kambarį ir datą"},
                             {KVAL::KEY_VALDT.index, "Pagal valytoją ir datą"}}};
    return def;
}

const LogDef& bedding() {
    static const LogDef def{TableId::KmbPatal,
                            "KPAT",
                            "SarKmbPatal",
                            "Patalynės keitimo įrašai",
                            "Pagal datas",
                            "RedKmbPatal",
                            "PATALYNĖS KEITIMO ĮRAŠAS",
                            "Įrašo Nr.:",
                            "Data:",
                            true,
                            {{KPAT::KEY_ID.index, "pagal ID"},
                             {KPAT::KEY_DT.index, "Pagal datą ir kambarį"},
                             {KPAT::KEY_KMBDT.index, "pagal kambarį ir datą"}}};
    return def;
}

const LogDef& towels() {
    static const LogDef def{TableId::KmbRanks,
                            "KRANK",
                            "SarKmbRanks",
                            "Kambario rakšluosčių keitimai",
                            "Pagal datas",
                            "RedKmbRanks",
                            "RANKSLUOŠČIŲ KEITIMO ĮRAŠAS",
                            "Įrašo nr.:",
                            "Data:",
                            false,
                            {{KRANK::KEY_ID.index, "pagal ID"},
                             {KRANK::KEY_DT.index, "Pagal datą ir kambarį"},
                             {KRANK::KEY_KMBDT.index, "pagal kambarį ir datą"}}};
    return def;
}

int fieldOf(const LogDef& log, std::string_view name) {
    return Dictionary::instance().findField(log.prefix + ":" + std::string(name))->field;
}

// The room with this ID, read through a handle of its own; nothing for 0 and for an ID no room has.
std::optional<Record> storedRoom(Context& context, std::int32_t id) {
    if (id == 0) {
        return std::nullopt;
    }
    Table rooms(context, TableId::Kamb, false);
    const OpenedTable opened(rooms);
    rooms.record().set(KMB::KambarioID, id);
    if (rooms.getByKey(KMB::IDKEY) != StoreStatus::Ok) {
        return std::nullopt;
    }
    return rooms.record();
}

std::int32_t roomOf(const Value& value) {
    const auto* number = std::get_if<std::int64_t>(&value);
    return number != nullptr ? std::int32_t(*number) : 0;
}

TabSelector roomSelector(std::vector<std::string> (*texts)(Context&, const Value&)) {
    return TabSelector{
        .name = "room",
        .prompt = "Kambarys:",
        .variable = std::string(LogRoomVariable),
        .lookUp = {TableId::Kamb, KMB::KambarioID.index, KMB::IDKEY.index, std::string(SelectKambName)},
        .beside = texts,
        .remembered = false,
    };
}

std::vector<std::string> buildingFloorNumber(Context& context, const Value& room) {
    const RoomTexts texts = roomTexts(context, roomOf(room));
    return {texts.building, texts.floor, texts.number};
}

std::vector<std::string> floorNumberType(Context& context, const Value& room) {
    const RoomTexts texts = roomTexts(context, roomOf(room));
    return {texts.floor, texts.number, texts.type};
}

SortTab logTab(std::string text, std::string order) {
    SortTab tab;
    tab.text = std::move(text);
    tab.order = std::move(order);
    return tab;
}

// The tabs by date and of one room, which every log has.
std::vector<SortTab> dateAndRoomTabs(const LogDef& log,
                                     std::vector<std::string> (*texts)(Context&, const Value&)) {
    const std::string& p = log.prefix;
    SortTab byDate = logTab(log.dateTab, "+" + p + ":IrasoDt,+" + p + ":KambarioID,+" + p + ":IrasoID");
    byDate.locator = p + ":IrasoDt";
    byDate.locatorPrompt = "Rasti datą:";
    SortTab oneRoom =
        logTab("Vienas kambarys", "+" + p + ":KambarioID,+" + p + ":IrasoDt,+" + p + ":IrasoID");
    oneRoom.filter = p + ":KambarioID = " + std::string(LogRoomVariable);
    if (log.roomZeroHidden) {
        oneRoom.filter += " AND (" + p + ":KambarioID)";
    }
    oneRoom.primes = {{p + ":KambarioID", std::string(LogRoomVariable)}};
    oneRoom.selector = roomSelector(texts);
    return {byDate, oneRoom};
}

ListColumn logColumn(std::string heading, const std::string& field, int width, ColumnAlign align,
                     Picture picture) {
    return ListColumn::of(std::move(heading), field, width, align, picture);
}

ListConfig logList(const LogDef& log) {
    ListConfig config;
    config.name = log.listName;
    config.title = log.listTitle;
    config.table = log.table;
    config.joins = {TableId::Kamb};
    return config;
}

// Bedding and towels differ only in table and captions.
ListConfig changesList(const LogDef& log) {
    ListConfig config = logList(log);
    const std::string& p = log.prefix;
    config.columns = {
        logColumn("ĮrašoDt", p + ":IrasoDt", 56, ColumnAlign::Left, Picture::date()),
        logColumn("ĮrašoNr", p + ":IrasoID", 36, ColumnAlign::Right, Picture::number(10)),
        logColumn("Korp", "KMB:KambarioKorpusas", 24, ColumnAlign::Left, Picture::text(5)),
        logColumn("A", "KMB:KambarioAukstas", 12, ColumnAlign::Right, Picture::number(2, 0, true)),
        logColumn("KambarioNr", "KMB:KambarioNr", 44, ColumnAlign::Left, Picture::text(8)),
        logColumn("KmbID", p + ":KambarioID", 28, ColumnAlign::Right, Picture::number(6)),
        logColumn("Kiekis", p + ":KIEKIS", 32, ColumnAlign::Right, Picture::number(7, 0, true)),
    };
    config.tabs = dateAndRoomTabs(log, floorNumberType);
    config.insertTooltip = "Įvesti naują įrašą [Insert]";
    config.changeTooltip = "Keisti pasirinktą įrašą [Enter]";
    config.deleteTooltip = "Pašalinti pasirinktą įrašą [Delete]";
    return config;
}

// Accepting a room gives the entry the room's planned residents as its quantity; the user may type
// another afterwards. Room 0 and a room not found leave the quantity as it is.
bool logFieldAccepted(FormEngine& form, int field, const LogDef& log) {
    if (field != fieldOf(log, "KambarioID")) {
        return true;
    }
    if (const std::optional<Record> room = storedRoom(form.context(), roomOf(form.record().value(field)))) {
        (void)form.record().setValue(fieldOf(log, "KIEKIS"),
                                     Decimal(std::int64_t(room->get(KMB::KAMBARIOGYVENTOJUSKC))));
    }
    return true;
}

FormConfig logForm(const LogDef& log) {
    FormConfig config;
    config.name = log.formName;
    config.helpTopic = log.formName;
    config.caption = log.formCaption;
    config.table = log.table;

    FormField number(log.numberPrompt, fieldOf(log, "IrasoID"));
    number.readOnly = true; // numbered when the form opens
    FormField room("Kambarys:", fieldOf(log, "KambarioID"));
    room.lookUp.emplace(TableId::Kamb, KMB::KambarioID.index, KMB::IDKEY.index, std::string(SelectKambName));
    room.beside = [field = room.field](FormEngine& form) {
        const RoomTexts texts = roomTexts(form.context(), roomOf(form.record().value(field)));
        std::string shown;
        for (const std::string* text : {&texts.building, &texts.floor, &texts.number, &texts.type}) {
            if (!text->empty()) {
                shown += (shown.empty() ? "" : "  ") + *text;
            }
        }
        return shown;
    };
    FormField quantity("Kiekis:", fieldOf(log, "KIEKIS"));
    quantity.picture = Picture::number(7);
    config.fields = {number, {log.datePrompt, fieldOf(log, "IrasoDt")}, room};
    if (log.table == TableId::KmbVal) {
        FormField cleaner("Valytoja(s):", KVAL::ValytPav.index, "Valytojo pavardė");
        cleaner.lookUp.emplace(TableId::Valyt, VALYT::ValytPav.index, VALYT::KEYPAV.index, "BrowseValyt");
        config.fields.push_back(cleaner);
    }
    config.fields.push_back(quantity);

    config.keyNames = log.keyNames;
    // A new entry is dated on the working date.
    config.hooks.opened = [date = fieldOf(log, "IrasoDt")](FormEngine& form) {
        if (form.record().storedInteger(date) == 0) {
            form.record().setStoredInteger(date, glo().EINDT);
        }
    };
    config.hooks.accepted = [&log](FormEngine& form, int field) {
        return logFieldAccepted(form, field, log);
    };
    return config;
}

} // namespace

RoomTexts roomTexts(Context& context, std::int32_t room) {
    RoomTexts texts;
    if (const std::optional<Record> found = storedRoom(context, room)) {
        texts.building = found->get(KMB::KambarioKorpusas);
        texts.floor = Picture::number(2, 0, true).format(found->value(KMB::KambarioAukstas.index));
        texts.number = found->get(KMB::KambarioNr);
        texts.type = found->get(KMB::KambarioTipas);
    }
    return texts;
}

ListConfig SelectKamb() {
    ListConfig config = SarKamb();
    config.name = std::string(SelectKambName);
    config.title = "Pasirinkite kambarį:";
    config.columns.erase(
        std::remove_if(config.columns.begin(), config.columns.end(),
                       [](const ListColumn& column) { return column.field == "KMB:KambarysNenaudojamas"; }),
        config.columns.end());
    for (SortTab& tab : config.tabs) {
        tab.primes.clear(); // nothing is inserted here
        if (tab.selector) {
            // Before any type is chosen or passed, the rooms by number: a picker opens on rooms.
            tab.selector->skippedWhenBlank = true;
        }
    }
    config.form = {};
    return config;
}

ListConfig SelectKambAt(Context& context) {
    ListConfig config = SelectKamb();
    Table& rooms = context.table(TableId::Kamb);
    const std::int32_t room = rooms.record().get(KMB::KambarioID);
    if (room == 0) {
        return config;
    }
    rooms.open();
    const bool found = rooms.getByKey(KMB::IDKEY) == StoreStatus::Ok;
    rooms.close();
    if (found) {
        config.bind = [type = std::string(rooms.record().get(KMB::KambarioTipas))](Variables& variables) {
            variables.set(SelectionTypeVariable, type);
        };
    }
    return config;
}

ListConfig SarKmbVal() {
    const LogDef& log = cleanings();
    ListConfig config = logList(log);
    config.columns = {
        logColumn("ĮrašoDt", "KVAL:IrasoDt", 56, ColumnAlign::Left, Picture::date()),
        logColumn("ĮrašoNr", "KVAL:IrasoID", 36, ColumnAlign::Right, Picture::number(10)),
        logColumn("KmbID", "KVAL:KambarioID", 28, ColumnAlign::Right, Picture::number(6)),
        logColumn("Korp", "KMB:KambarioKorpusas", 24, ColumnAlign::Left, Picture::text(5)),
        logColumn("A", "KMB:KambarioAukstas", 12, ColumnAlign::Right, Picture::number(2, 0, true)),
        logColumn("KmbNr", "KMB:KambarioNr", 44, ColumnAlign::Left, Picture::text(8)),
        logColumn("Valytojas", "KVAL:ValytPav", 120, ColumnAlign::Left, Picture::text(30)),
        logColumn("Kiekis", "KVAL:KIEKIS", 32, ColumnAlign::Right, Picture::number(7, 0, true)),
    };
    config.tabs = dateAndRoomTabs(log, buildingFloorNumber);
    SortTab oneCleaner = logTab("Vienas valytojas", "+UPPER(KVAL:ValytPav),+KVAL:IrasoDt,+KVAL:IrasoID");
    oneCleaner.filter = "UPPER(KVAL:ValytPav) = UPPER(" + std::string(LogCleanerVariable) + ")";
    oneCleaner.primes = {{"KVAL:ValytPav", std::string(LogCleanerVariable)}};
    oneCleaner.selector = TabSelector{
        .name = "cleaner",
        .prompt = "Valytojas:",
        .variable = std::string(LogCleanerVariable),
        .lookUp = {TableId::Valyt, VALYT::ValytPav.index, VALYT::KEYPAV.index, "BrowseValyt"},
        .beside = {},
        .remembered = false,
    };
    config.tabs.push_back(oneCleaner);
    return config;
}

ListConfig SarKmbPatal() {
    return changesList(bedding());
}

ListConfig SarKmbRanks() {
    return changesList(towels());
}

FormConfig RedKmbVal() {
    return logForm(cleanings());
}

FormConfig RedKmbPatal() {
    return logForm(bedding());
}

FormConfig RedKmbRanks() {
    return logForm(towels());
}

} // namespace nakva
