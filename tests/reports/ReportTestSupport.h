#pragma once

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "data/StoreTestSupport.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "reports/PageCanvas.h"
#include "reports/ReportRun.h"
#include "shell/Globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

namespace nakva::testing {

// The report parameters of a period as the period dialog leaves them, the working date 2026-12-07.
inline Globals period(Date from, Date to) {
    Globals globals;
    globals.EINDT = dateFromYmd(2026, 12, 7);
    globals.PrDt = from;
    globals.GalDt = to;
    globals.PERIODAS = "Periodas:   " + formatDate(from) + " : " + formatDate(to);
    return globals;
}

// The texts drawn on one page, in drawing order.
inline std::vector<std::string> pageTexts(const PageCanvas& page) {
    std::vector<std::string> texts;
    for (const PageItem& item : page.items()) {
        if (const auto* text = std::get_if<TextItem>(&item)) {
            texts.push_back(text->text);
        }
    }
    return texts;
}

// The texts of a page drawn at one horizontal anchor: a column's rows.
inline std::vector<std::string> columnTexts(const PageCanvas& page, int anchor, Align align) {
    std::vector<std::string> texts;
    for (const PageItem& item : page.items()) {
        if (const auto* text = std::get_if<TextItem>(&item);
            text != nullptr && text->anchor.x == anchor && text->align == align) {
            texts.push_back(text->text);
        }
    }
    return texts;
}

inline Date day(int month, int dayOfMonth, int year = 2026) {
    return dateFromYmd(year, month, dayOfMonth);
}

inline Decimal money(const char* text) {
    return *Decimal::parse(text);
}

inline Globals month(int number) {
    return period(day(number, 1), monthEnd(day(number, 1)));
}

// Every text drawn at one anchor, over all pages.
inline std::vector<std::string> column(const std::vector<PageCanvas>& pages, int anchor, Align align) {
    std::vector<std::string> texts;
    for (const PageCanvas& page : pages) {
        for (std::string& text : columnTexts(page, anchor, align)) {
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

// Real table files in a fresh folder, a procedure context on them, and what a run drew.
class ReportTest : public StoreTest {
protected:
    Context context{database};
    std::vector<PageCanvas> drawn;

    void addService(const std::string& name, const std::string& secondLine, const std::string& unit,
                    const char* priceWithVat, const char* vat, int group = 0) {
        Table& table = context.table(PAS::table);
        table.open();
        table.clear();
        Record& record = table.record();
        ASSERT_TRUE(record.set(PAS::Pav, name));
        ASSERT_TRUE(record.set(PAS::PAV1, secondLine));
        ASSERT_TRUE(record.set(PAS::MATVNT, unit));
        record.set(PAS::PaslGrpNr, group);
        const Decimal withVat = *Decimal::parse(priceWithVat);
        const Decimal percent = *Decimal::parse(vat);
        ASSERT_TRUE(record.set(PAS::KAINSUPVM, withVat));
        ASSERT_TRUE(record.set(PAS::PVMPROC, percent));
        ASSERT_TRUE(record.set(PAS::KAINBEPVM, withVat * 100 / (percent + 100)));
        ASSERT_EQ(table.add(), StoreStatus::Ok);
        table.close();
    }

    void addPayer(const std::string& code, const std::string& name, const std::string& address,
                  const std::string& phone) {
        Table& table = context.table(KLI::table);
        table.open();
        table.clear();
        Record& record = table.record();
        ASSERT_TRUE(record.set(KLI::Kod, code));
        ASSERT_TRUE(record.set(KLI::PAV, name));
        ASSERT_TRUE(record.set(KLI::ADR, address));
        ASSERT_TRUE(record.set(KLI::TEL, phone));
        ASSERT_EQ(table.add(), StoreStatus::Ok);
        table.close();
    }

    // Adds many records in one transaction: one commit rather than one each.
    template <typename Adding> void inOneTransaction(TableId id, Adding adding) {
        Table& table = context.table(id);
        table.open();
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({id}), StoreStatus::Ok);
        adding();
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
        table.close();
    }

    // Runs a report to its end as nakva-cli does, keeping every page drawn.
    void runToEnd(ReportRun& run, const Globals& globals = {}) {
        run.setPageObserver([this](const PageCanvas& page) { drawn.push_back(page); });
        run.start(globals);
        while (run.advance()) {
        }
    }

    std::vector<std::string> allTexts() const {
        std::vector<std::string> texts;
        for (const PageCanvas& page : drawn) {
            for (std::string& text : pageTexts(page)) {
                texts.push_back(std::move(text));
            }
        }
        return texts;
    }
};

// Rooms and stays on real files, as the registration forms leave them.
class StayReportTest : public ReportTest {
protected:
    void addRoom(int id, const std::string& type, int places, bool notInUse = false,
                 const std::string& number = {}, const std::string& building = {}, int floor = 1) {
        addRecord(KMB::table, {{"KMB:KambarioID", std::to_string(id)},
                               {"KMB:KambarioKorpusas", building},
                               {"KMB:KambarioNr", number.empty() ? std::to_string(100 + id) : number},
                               {"KMB:KambarioAukstas", std::to_string(floor)},
                               {"KMB:KambarioTipas", type},
                               {"KMB:KAMBARIOGYVENTOJUSKC", std::to_string(places)},
                               {"KMB:KambarysNenaudojamas", notInUse ? "1" : "0"}});
    }

    // A registration with its rooms: Stay(1, arrival, departure).of(2).from("Lietuva").in(101, 2).
    // Registered on its arrival day unless told; its days are its nights, its bed-days the nights of
    // all its residents, unless told.
    struct Stay {
        Stay(int number, Date arrival, Date departure)
            : number(number), arrival(arrival), departure(departure), registered(arrival) {}
        Stay& of(int residents) {
            people = residents;
            return *this;
        }
        Stay& from(std::string value) {
            country = std::move(value);
            return *this;
        }
        Stay& inGroup(std::string value) {
            group = std::move(value);
            return *this;
        }
        Stay& named(std::string value) {
            resident = std::move(value);
            return *this;
        }
        Stay& costing(std::string without, std::string with) {
            withoutVat = std::move(without);
            withVat = std::move(with);
            return *this;
        }
        Stay& in(int room, int residents) {
            rooms.emplace_back(room, residents);
            return *this;
        }
        Stay& registeredOn(Date date) {
            registered = date;
            return *this;
        }
        Stay& lasting(int stayDays, int stayBedDays) {
            days = stayDays;
            bedDays = stayBedDays;
            return *this;
        }
        Stay& with(std::string field, std::string value) {
            more.emplace_back(std::move(field), std::move(value));
            return *this;
        }

        int number;
        Date arrival;
        Date departure;
        Date registered;
        int people = 1;
        std::string country;
        std::string group;
        std::string withoutVat = "0";
        std::string withVat = "0";
        std::vector<std::pair<int, int>> rooms; // room, residents in it
        std::string resident = "Gyventojas";
        int days = -1;
        int bedDays = -1;
        std::vector<std::pair<std::string, std::string>> more; // other fields as typed
    };

    void addStay(const Stay& stay) {
        const Decimal withoutVat = money(stay.withoutVat.c_str());
        const Decimal withVat = money(stay.withVat.c_str());
        const int nights = std::max(0, int(stay.departure - stay.arrival));
        std::vector<std::pair<std::string, std::string>> fields{
            {"SAS:IrasoNr", std::to_string(stay.number)},
            {"SAS:IrasoDt", formatDate(stay.registered)},
            {"SAS:Gyventojas", stay.resident},
            {"SAS:GyventojoValstybe", stay.country},
            {"SAS:GyventojoGrupe", stay.group},
            {"SAS:GYVENTOJUSKC", std::to_string(stay.people)},
            {"SAS:GyvenaNuo", formatDate(stay.arrival)},
            {"SAS:GyvenaIki", formatDate(stay.departure)},
            {"SAS:GYVENAPARU", std::to_string(stay.days < 0 ? nights : stay.days)},
            {"SAS:GYVENALOVADIENIU", std::to_string(stay.bedDays < 0 ? nights * stay.people : stay.bedDays)},
            {"SAS:BSUMA", withoutVat.toString(2)},
            {"SAS:PVMSUMA", (withVat - withoutVat).toString(2)},
            {"SAS:BSUMASUPVM", withVat.toString(2)},
            {"SAS:KAMBARIAI", "101"}};
        for (const auto& [field, value] : stay.more) {
            const auto given = std::find_if(fields.begin(), fields.end(),
                                            [&](const auto& known) { return known.first == field; });
            if (given != fields.end()) {
                given->second = value;
            } else {
                fields.emplace_back(field, value);
            }
        }
        addRecord(SAS::table, fields);
        for (const auto& [room, residents] : stay.rooms) {
            addRecord(SKMB::table, {{"SKMB:IrasoNr", std::to_string(stay.number)},
                                    {"SKMB:KambarioID", std::to_string(room)},
                                    {"SKMB:KambarioGyventojuSkc", std::to_string(residents)}});
        }
    }

    // Runs a report to its end on `globals`, which must go without a message.
    void run(const ReportSpec& report, const Globals& globals) {
        drawn.clear();
        ReportRun reportRun(report, context);
        runToEnd(reportRun, globals);
        ASSERT_EQ(reportRun.state(), ReportRun::State::Done);
        EXPECT_TRUE(messages.shown().empty()) << messages.shown().front().text;
    }
};

} // namespace nakva::testing
