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

} // namespace nakva::testing
