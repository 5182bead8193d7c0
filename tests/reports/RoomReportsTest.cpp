#include "ReportTestSupport.h"

#include "reports/SpKmbStat.h"
#include "reports/SpNepKmbSar.h"

#include <algorithm>

namespace nakva::testing {

namespace {

// Rooms of two types, one stored in another letter case and one not in use, with their stays and
// cleanings: rooms 1 and 2 are unprepared, room 3 was cleaned after its guest left, room 4 is occupied
// and room 5 is not in use.
class RoomReportsTest : public ReportTest {
protected:
    void SetUp() override {
        room("1", "Dvivietis", "101", "0");
        room("2", "DVIVIETIS", "102", "0");
        room("3", "Vienvietis", "201", "0");
        room("4", "Vienvietis", "202", "0");
        room("5", "Vienvietis", "203", "1");
        stay("1", "1", "2026-11-28", "2026-12-03", "1", "2", "45.50");
        stay("2", "2", "2026-12-05", "2026-12-09", "1", "2", "10.00");
        stay("3", "3", "2026-12-01", "2026-12-02", "1", "1", "30");
        stay("4", "4", "2026-12-20", "2027-01-04", "0", "1", "30");
        stay("5", "5", "2026-12-10", "2026-12-11", "1", "1", "30");
        cleaning("1", "1", "2026-12-03");
        cleaning("2", "2", "2026-12-01");
        cleaning("3", "3", "2026-12-04");
        cleaning("4", "4", "2026-12-10");
        cleaning("5", "5", "2026-12-01");
    }

    void room(const char* id, const char* type, const char* number, const char* unused) {
        addRecord(TableId::Kamb, {{"KMB:KambarioID", id},
                                  {"KMB:KambarioTipas", type},
                                  {"KMB:KambarioKorpusas", "A"},
                                  {"KMB:KambarioAukstas", "1"},
                                  {"KMB:KambarioNr", number},
                                  {"KMB:KAMBARIOGYVENTOJUSKC", "2"},
                                  {"KMB:KambarysNenaudojamas", unused}});
    }
    void stay(const char* number, const char* room, const char* from, const char* to, const char* departed,
              const char* residents, const char* price) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", number},
                                     {"SAS:GyvenaNuo", from},
                                     {"SAS:GyvenaIki", to},
                                     {"SAS:Isvykes", departed}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", number},
                                     {"SKMB:KambarioID", room},
                                     {"SKMB:KambarioGyventojuSkc", residents},
                                     {"SKMB:KambarioKaina", price}});
    }
    void cleaning(const char* entry, const char* room, const char* date) {
        addRecord(TableId::KmbVal, {{"KVAL:IrasoID", entry},
                                    {"KVAL:IrasoDt", date},
                                    {"KVAL:KambarioID", room},
                                    {"KVAL:KIEKIS", "1"}});
    }

    // The texts that follow `text` on the pages, `count` of them.
    std::vector<std::string> after(const std::string& text, std::size_t count,
                                   std::size_t occurrence = 0) const {
        const std::vector<std::string> texts = allTexts();
        auto found = texts.begin();
        for (std::size_t i = 0; i <= occurrence; ++i) {
            found = std::find(i == 0 ? texts.begin() : found + 1, texts.end(), text);
            if (found == texts.end()) {
                return {};
            }
        }
        const auto end = std::min(texts.end(), found + 1 + std::ptrdiff_t(count));
        return {found + 1, end};
    }
};

} // namespace

TEST_F(RoomReportsTest, UnpreparedRoomsAreTheFreeRoomsNotCleanedSinceTheirGuestLeftGroupedByUpperCasedType) {
    ReportRun run(SpNepKmbSar(), context);
    runToEnd(run);
    ASSERT_EQ(run.state(), ReportRun::State::Done);
    ASSERT_TRUE(run.showsPreview());
    const std::vector<std::string> texts = allTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "DVIVIETIS"), 1); // both spellings in one group
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "VIENVIETIS"), 0);
    for (const char* unlisted : {"201", "202", "203"}) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), unlisted), 0) << unlisted;
    }
    // floor, number, building, residents, last departure, last cleaning
    EXPECT_EQ(after("DVIVIETIS", 6),
              (std::vector<std::string>{"1", "101", "A", "2", "2026-12-03", "2026-12-03"}));
    EXPECT_EQ(after("Iš viso:", 1, 0), std::vector<std::string>{"2"}); // the type
    EXPECT_EQ(after("Iš viso:", 1, 1), std::vector<std::string>{"2"}); // the report
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Sudarė:"), texts.end());
}

TEST_F(RoomReportsTest, StatisticsListEveryRoomAndTheFootersAddThePrintedLines) {
    Globals period;
    period.PrDt = dateFromYmd(2026, 12, 1);
    period.GalDt = dateFromYmd(2026, 12, 31);
    period.PERIODAS = "Periodas:   2026-12-01 : 2026-12-31";
    ReportRun run(SpKmbStat(), context);
    runToEnd(run, period);
    ASSERT_EQ(run.state(), ReportRun::State::Done);
    const std::vector<std::string> texts = allTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Periodas:   2026-12-01 : 2026-12-31"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "203"), texts.end()); // not in use, still counted
    // Room 4's stay from the 20th into January: 12 nights in December at 30.
    // cleanings, residents, bed-days, bedding, towels, income, records
    EXPECT_EQ(after("202", 9), (std::vector<std::string>{"A", "2", "1", "1", "12", "0", "0", "360.00", "1"}));
    // Rooms 1 and 2: 2 nights at 45.50 and 4 nights at 10.00, two residents each.
    EXPECT_EQ(after("Iš viso:", 8, 0),
              (std::vector<std::string>{"2", "2", "4", "12", "0", "0", "131.00", "2"}));
    EXPECT_EQ(after("Iš viso:", 8, 2),
              (std::vector<std::string>{"5", "5", "7", "26", "0", "0", "551.00", "5"}));
}

} // namespace nakva::testing
