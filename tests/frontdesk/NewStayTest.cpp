// A new registration started from a free night of the room grid: primed with the night and the room
// as the occupied-room form adds one, left without a trace when cancelled, stored when saved.
#include "FrontDeskTestSupport.h"

#include "data/Fields.h"
#include "frontdesk/NewStay.h"
#include "registration/Registration.h"
#include "shell/Globals.h"
#include "ui/FormEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

class NewStayTest : public testing::FrontDeskTest {
protected:
    void SetUp() override {
        glo().EINDT = D;
        addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
        addRecord(TableId::Grupes, {{"GRP:Grupe", "Turistai"}});
        addRoom(4, "Dvivietis", "104", true, "55.50");
        addStay(1, "Ona", -2, 1, false, {4});
        context.table(TableId::Saskait).open();
        context.table(TableId::Saskait).clear();
    }
    void TearDown() override { context.table(TableId::Saskait).close(); }

    Context context{database};
};

TEST_F(NewStayTest, AFreeNightPrimesTheArrivalAndTheRoom) {
    FormEngine form(newStayForm(D + 3, 4), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    const Record& record = form.record();
    EXPECT_EQ(record.get(SAS::IrasoNr), 2);
    EXPECT_EQ(record.get(SAS::GyvenaNuo), D + 3);
    EXPECT_EQ(record.get(SAS::GyvenaIki), D + 4);
    EXPECT_EQ(record.get(SAS::GYVENAPARU), 1);
    EXPECT_EQ(record.get(SAS::GYVENALOVADIENIU), 1);
    EXPECT_EQ(record.get(SAS::IrasoDt), D);
    EXPECT_EQ(record.get(SAS::KAMBARIAI), " A-104");
    const Value* price = form.variables().find(RoomsPriceVariable);
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(std::get<Decimal>(*price).toString(2), "55.50");
    // The room's row as the occupied-room form adds a chosen room: its list price and one resident.
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:KambarioKaina"),
              (std::vector<std::string>{"0.00", "55.50"}));
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:KambarioGyventojuSkc"),
              (std::vector<std::string>{"2", "1"}));
    EXPECT_FALSE(form.changed());

    // Left at once: no question, and neither the registration nor its room remains.
    ASSERT_TRUE(form.cancel());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"1"});
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), std::vector<std::string>{"1"});
}

TEST_F(NewStayTest, TheSavedStayKeepsItsNightAndRoom) {
    FormEngine form(newStayForm(D + 3, 4), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    Record& record = form.record();
    ASSERT_TRUE(record.setText("SAS:Gyventojas", "Jonaitis Jonas").ok());
    ASSERT_TRUE(record.setText("SAS:GYVENTOJOVALSTYBE", "Lietuva").ok());
    ASSERT_TRUE(record.setText("SAS:GyventojoGrupe", "Turistai").ok());
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GyvenaNuo"),
              (std::vector<std::string>{day(D - 2), day(D + 3)}));
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KAMBARIAI"), (std::vector<std::string>{"", " A-104"}));
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), (std::vector<std::string>{"1", "2"}));
}

} // namespace
} // namespace nakva
