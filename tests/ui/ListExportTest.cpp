// "Eksportuoti…" without its window: every row of a list's tab as a CSV file.
#include "data/StoreTestSupport.h"

#include "data/Date.h"
#include "data/Transaction.h"
#include "ui/ListEngine.h"
#include "ui/ListExport.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace nakva {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos;
         from = at + separator.size()) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

class ListExportTest : public testing::StoreTest {
protected:
    // Registrations 1..count named "Ąžuolas NNNN" (in reverse order of their numbers), every tenth
    // departed, with a total of number / 4.
    void addRegistrations(int count) {
        Table& registrations = context.table(TableId::Saskait);
        registrations.open();
        Transaction transaction(context);
        ASSERT_EQ(transaction.begin({TableId::Saskait}), StoreStatus::Ok);
        for (int number = 1; number <= count; ++number) {
            registrations.clear();
            char name[32];
            std::snprintf(name, sizeof name, "Ąžuolas %04d", count + 1 - number);
            registrations.record().set(SAS::IrasoNr, number);
            registrations.record().set(SAS::Gyventojas, name);
            registrations.record().set(SAS::GyvenaNuo, dateFromYmd(2026, 12, 1 + number % 28));
            registrations.record().set(SAS::Isvykes, number % 10 == 0 ? 1 : 0);
            ASSERT_TRUE(registrations.record().setText("SAS:BSUMA", std::to_string(number) + ".25").ok());
            ASSERT_EQ(registrations.add(), StoreStatus::Ok) << lastOperationError().text;
        }
        ASSERT_EQ(transaction.commit(), StoreStatus::Ok);
        registrations.close();
    }

    static ListConfig registrationsList() {
        ListConfig config;
        config.name = "SarSaskait";
        config.title = "REGISTRACIJOS ĮRAŠAI:  NEIŠVYKĘ GYVENTOJAI";
        config.table = TableId::Saskait;
        config.columns = {
            ListColumn::of("Gyventojas", "SAS:Gyventojas", 140, ColumnAlign::Left, Picture::text(35)),
            ListColumn::of("Atvyko", "SAS:GyvenaNuo", 40, ColumnAlign::Left, Picture::date()),
            ListColumn::of("Suma", "SAS:BSUMA", 50, ColumnAlign::Right, Picture::number(12, 2))};
        SortTab byName;
        byName.text = "Pagal pavardę";
        byName.order = "+UPPER(SAS:Gyventojas),+SAS:IrasoNr";
        byName.filter = "SAS:Isvykes = 0";
        byName.locator = "SAS:Gyventojas";
        config.tabs = {byName};
        return config;
    }

    fs::path target() const { return folder.path() / "sąrašas.csv"; }

    Context context{database};
};

TEST_F(ListExportTest, WritesEveryRowOfTheTabInItsOrderNotOnlyThePage) {
    addRegistrations(3000);
    ListEngine list(registrationsList(), context);
    list.setPageSize(20);
    list.open();
    list.move(ListMove::PageDown);
    list.move(ListMove::RowDown);
    const std::vector<ListRow> page = list.rows();
    const int current = list.currentRow();

    ListExport csv(list, target());
    ASSERT_TRUE(csv.start());
    EXPECT_EQ(csv.total(), 2700);
    while (csv.step(250)) {
        EXPECT_FALSE(fs::exists(target())) << "the name only when whole";
    }
    ASSERT_EQ(csv.state(), ListExport::State::Done);
    EXPECT_EQ(csv.done(), 2700);

    EXPECT_EQ(list.currentRow(), current) << "the list stays where it was";
    EXPECT_EQ(context.table(TableId::Saskait).record().get(SAS::Gyventojas),
              page[std::size_t(current - 1)].cells[0]);

    const std::string text = readFile(target());
    ASSERT_TRUE(text.starts_with("\xEF\xBB\xBF")) << "a byte-order mark";
    std::vector<std::string> lines = split(text.substr(3), "\r\n");
    ASSERT_EQ(lines.back(), "");
    lines.pop_back();
    ASSERT_EQ(lines.size(), 2701u);
    EXPECT_EQ(lines[0], "Gyventojas;Atvyko;Suma");
    // Numbers 3000, 2999, ... are named 0001, 0002, ...; number 3000 is departed.
    EXPECT_EQ(lines[1], "Ąžuolas 0002;2026-12-04;2999,25");
    EXPECT_EQ(lines[2700], "Ąžuolas 3000;2026-12-02;1,25");

    // Against what the list itself shows when paged through to its end.
    std::vector<std::string> shown;
    std::set<std::int32_t> seen;
    list.move(ListMove::Top);
    for (bool fresh = true; fresh;) {
        fresh = false;
        for (const ListRow& row : list.rows()) {
            if (seen.insert(row.records[0].get(SAS::IrasoNr)).second) {
                shown.push_back(ListExport::line(row.cells, {false, false, true}));
                fresh = true;
            }
        }
        list.move(ListMove::PageDown);
    }
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), shown);
}

TEST_F(ListExportTest, LinesForALithuanianSpreadsheet) {
    struct Case {
        std::vector<std::string> cells;
        std::vector<bool> numeric;
        std::string line;
    };
    const Case cases[] = {
        {{"Ąžuolas", "  12.50", "2026-12-01"}, {false, true, false}, "Ąžuolas;12,50;2026-12-01"},
        {{"-3.25", "1.5", "####"}, {true, false, true}, "-3,25;1.5;####"},
        {{"UAB \"Rūta\"", "a;b", "eilutė\nkita"}, {}, "\"UAB \"\"Rūta\"\"\";\"a;b\";\"eilutė\nkita\""},
        {{"", "  ", "7"}, {true, true, true}, ";;7"},
        // A text a spreadsheet would take for a formula gets a leading apostrophe; numbers stay numbers.
        {{"=HYPERLINK(\"http://x\")", "=cmd|' /C calc'!A0", "@SUM(A1)"},
         {},
         "\"'=HYPERLINK(\"\"http://x\"\")\";'=cmd|' /C calc'!A0;'@SUM(A1)"},
        {{"+370 600", "-2+3", "\tx"}, {}, "'+370 600;'-2+3;'\tx"},
        {{"\r=1", "  =1", "-3.25"}, {false, false, true}, "\"'\r=1\";'=1;-3,25"},
        {{"-3.25", "+7", "-"}, {}, "-3.25;+7;'-"},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(ListExport::line(each.cells, each.numeric), each.line);
    }
}

TEST_F(ListExportTest, NothingHalfWrittenWhenCancelledOrFailed) {
    addRegistrations(500);
    ListEngine list(registrationsList(), context);
    list.open();
    std::ofstream(target()) << "senas";

    {
        ListExport csv(list, target());
        ASSERT_TRUE(csv.start());
        ASSERT_TRUE(csv.step(100));
        csv.cancel();
        EXPECT_EQ(csv.state(), ListExport::State::Cancelled);
    }
    {
        ListExport csv(list, target());
        ASSERT_TRUE(csv.start());
        ASSERT_TRUE(csv.step(100));
    } // dropped half-way
    EXPECT_EQ(readFile(target()), "senas") << "the older file stays";

    ListExport nowhere(list, folder.path() / "nėra" / "sąrašas.csv");
    EXPECT_FALSE(nowhere.start());
    EXPECT_EQ(nowhere.state(), ListExport::State::Failed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Eksportavimas");

    for (const auto& entry : fs::directory_iterator(folder.path())) {
        EXPECT_FALSE(entry.path().filename().string().ends_with(".dalis")) << entry.path();
    }
}

// The file as LibreOffice reads it with a Lithuanian locale's defaults, when LibreOffice is there.
TEST_F(ListExportTest, OpensInLibreOffice) {
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the file was not opened in it";
    }
    addRegistrations(30);
    ListEngine list(registrationsList(), context);
    list.open();
    ListExport csv(list, target());
    ASSERT_TRUE(csv.start());
    while (csv.step(100)) {
    }
    ASSERT_EQ(csv.state(), ListExport::State::Done);
    const fs::path out = folder.path() / "lo";
    const std::string command = "cd '" + folder.path().string() + "' && HOME='" + folder.path().string() +
                                "' timeout 180 soffice --headless --norestore --infilter=CSV:59,34,76,1 "
                                "--convert-to html --outdir '" +
                                out.string() + "' '" + target().string() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string html = readFile(out / "sąrašas.html");
    EXPECT_NE(html.find("Ąžuolas 0001"), std::string::npos);
    EXPECT_NE(html.find("Gyventojas"), std::string::npos);
}

} // namespace
} // namespace nakva
