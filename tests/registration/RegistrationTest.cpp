// The registration form and the occupied-room form on real files in a temporary folder: priming and
// numbering, the stay computations, the room and invoice totals, and the mends of the form's rules.
#include "data/StoreTestSupport.h"

#include "data/Fields.h"
#include "registration/Registration.h"
#include "shell/Globals.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace nakva {
namespace {

using testing::StoreTest;

class RegistrationTest : public StoreTest {
protected:
    void SetUp() override {
        glo().EINDT = day;
        addRecord(TableId::IstgPar, {{"IST:PVMPROC", "21"}, {"IST:PAST", "Ačiū"}, {"IST:PAST1", "Iki"}});
        addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
        addRecord(TableId::Grupes, {{"GRP:Grupe", "Turistai"}});
        registrations().open();
        registrations().clear();
    }

    Table& registrations() { return context.table(TableId::Saskait); }

    // The list's part of a change call: the registration re-read and watched.
    void makeCurrent(TableId id, std::string_view field, std::string_view value) {
        Table& table = context.table(id);
        table.open();
        table.clear();
        ASSERT_TRUE(table.record().setText(field, value).ok());
        ASSERT_EQ(table.getByKey(table.def().identityKey), StoreStatus::Ok);
        table.watch();
    }

    // Types into a field and accepts it as the user does.
    bool type(FormEngine& form, std::string_view field, std::string_view text) {
        const int item = form.itemOfField(form.table().def().fieldIndex(field));
        EXPECT_GE(item, 0) << field;
        return form.setItemText(item, text) && form.acceptItem(item);
    }

    FormEngine::SelectList cancelling() {
        return nakva::testing::pickerAnsweringAtOnce([this](const FormLookUp& lookUp, Context&) {
            lists.push_back(lookUp.list);
            return Response::Cancelled;
        });
    }

    void addRoom(const std::string& id, const std::string& building, const std::string& number,
                 const std::string& price = "0") {
        addRecord(TableId::Kamb, {{"KMB:KambarioID", id},
                                  {"KMB:KambarioKorpusas", building},
                                  {"KMB:KambarioNr", number},
                                  {"KMB:KAMBARIOKAINA", price}});
    }

    const Date day = dateFromYmd(2026, 3, 14);
    Context context{database};
    std::vector<std::string> lists;
};

TEST_F(RegistrationTest, ANewRegistrationIsPrimedForTheWorkingDayAndWrittenAtOnce) {
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    const Record& record = form.record();
    EXPECT_EQ(record.get(SAS::IrasoNr), 1);
    EXPECT_EQ(record.get(SAS::IrasoDt), day);
    EXPECT_EQ(record.get(SAS::GyvenaNuo), day);
    EXPECT_EQ(record.get(SAS::GyvenaIki), day + 1);
    EXPECT_EQ(record.get(SAS::SaskDt), today());
    EXPECT_EQ(record.get(SAS::GYVENTOJUSKC), 1);
    EXPECT_EQ(record.get(SAS::GYVENAPARU), 1);
    EXPECT_EQ(record.get(SAS::GYVENALOVADIENIU), 1);
    EXPECT_EQ(record.get(SAS::MOKEJIMOBUDAS), "GRYNAIS");
    EXPECT_EQ(record.get(SAS::SaskNr), 1);
    EXPECT_EQ(record.get(SAS::PVMPROC), Decimal(21));
    EXPECT_EQ(record.get(SAS::PAST), "Ačiū");
    EXPECT_EQ(record.get(SAS::PAST1), "Iki");
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:IrasoNr"), std::vector<std::string>{"1"});
    EXPECT_EQ(form.title(), "Kuriamas naujas įrašas");
    // Children already point to the number: it cannot be typed over now.
    EXPECT_FALSE(form.itemEditable(form.itemOfField(SAS::IrasoNr.index)));
    EXPECT_FALSE(form.changed());
}

TEST_F(RegistrationTest, InvoiceNumbersFollowTheirSeriesAndChangeModeRestoresTheOpeningNumber) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}, {"SAS:SaskSer", "k"}, {"SAS:SaskNr", "7"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "2"}, {"SAS:SaskSer", "K"}, {"SAS:SaskNr", "3"}});
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "3"}, {"SAS:SaskSer", ""}, {"SAS:SaskNr", "12"}});
    {
        registrations().clear();
        FormEngine form(RedSaskait(), context, {});
        ASSERT_TRUE(form.open(Request::Insert));
        EXPECT_EQ(form.record().get(SAS::SaskNr), 13);
        const std::vector<std::pair<std::string, std::int32_t>> series = {
            {"K", 4}, {"k", 8}, {"X", 1}, {"", 13}};
        for (const auto& [typed, number] : series) {
            ASSERT_TRUE(type(form, "SAS:SaskSer", typed));
            EXPECT_EQ(form.record().get(SAS::SaskNr), number) << typed;
        }
        messages.answerNext(ButtonNo);
        ASSERT_TRUE(form.cancel());
    }
    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "1");
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    ASSERT_TRUE(type(form, "SAS:SaskSer", "X"));
    EXPECT_EQ(form.record().get(SAS::SaskNr), 1);
    ASSERT_TRUE(type(form, "SAS:SaskSer", "k"));
    EXPECT_EQ(form.record().get(SAS::SaskNr), 7);
}

TEST_F(RegistrationTest, NightsAndBedDaysFollowTheAcceptedFields) {
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    // arrival, departure, residents, extra places → nights, bed-days
    const std::vector<std::tuple<std::string, std::string, std::string, std::string, int, int>> stays = {
        {"2026-03-14", "2026-03-14", "1", "0", 0, 0}, // a same-day stay
        {"2026-03-14", "2026-03-17", "2", "1", 3, 9}, // extra places count
        {"2026-03-20", "2026-03-17", "2", "0", 0, 0}, // arrival after departure: never negative
        {"", "2026-03-17", "2", "0", 0, 0},           // no arrival: no nights (not 81,000)
    };
    for (const auto& [arrival, departure, residents, extra, nights, beds] : stays) {
        ASSERT_TRUE(type(form, "SAS:GYVENTOJUSKC", residents));
        ASSERT_TRUE(type(form, "SAS:PAPPATALYNE", extra));
        ASSERT_TRUE(type(form, "SAS:GyvenaNuo", ""));
        ASSERT_TRUE(type(form, "SAS:GyvenaIki", departure));
        ASSERT_TRUE(type(form, "SAS:GyvenaNuo", arrival));
        EXPECT_EQ(form.record().get(SAS::GYVENAPARU), nights) << arrival << " " << departure;
        EXPECT_EQ(form.record().get(SAS::GYVENALOVADIENIU), beds) << arrival << " " << departure;
    }
    EXPECT_TRUE(messages.shown().empty());

    // Typed over, the nights give the bed-days; a product too large for the field is refused.
    ASSERT_TRUE(type(form, "SAS:GYVENAPARU", "5"));
    EXPECT_EQ(form.record().get(SAS::GYVENALOVADIENIU), 10);
    EXPECT_FALSE(type(form, "SAS:GYVENAPARU", "2000000000"));
    EXPECT_EQ(form.record().get(SAS::GYVENALOVADIENIU), 10);
    EXPECT_EQ(messages.shown().size(), 1U);
}

TEST_F(RegistrationTest, ADepartureBeforeTheArrivalKeepsTheFocusAndBlocksTheSave) {
    FormEngine form(RedSaskait(), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(type(form, "SAS:Gyventojas", "Jonaitis Jonas"));
    ASSERT_TRUE(type(form, "SAS:GYVENTOJOVALSTYBE", "lietuva"));
    ASSERT_TRUE(type(form, "SAS:GyventojoGrupe", "Turistai"));
    EXPECT_FALSE(type(form, "SAS:GyvenaIki", "2026-03-10"));
    EXPECT_EQ(form.focusItem(), form.itemOfField(SAS::GyvenaIki.index));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Išvykimo data negali būti ankstesnė už atvykimo datą."});

    form.save();
    EXPECT_FALSE(form.finished());
    ASSERT_TRUE(type(form, "SAS:GyvenaIki", "2026-03-16"));
    form.save();
    ASSERT_TRUE(form.finished());
    // The country found without regard to case is stored as the countries list has it.
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GYVENTOJOVALSTYBE"), std::vector<std::string>{"Lietuva"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GYVENAPARU"), std::vector<std::string>{"2"});
}

TEST_F(RegistrationTest, ACountryGroupOrPayerThatDoesNotExistIsRefusedOnSave) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"},
                                 {"SAS:Gyventojas", "Ona"},
                                 {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                                 {"SAS:GyventojoGrupe", "Turistai"},
                                 {"SAS:GyvenaNuo", "2026-03-14"},
                                 {"SAS:GyvenaIki", "2026-03-15"}});
    // field, a value nobody has
    const std::vector<std::pair<std::string, std::string>> unknown = {
        {"SAS:GYVENTOJOVALSTYBE", "Atlantida"}, {"SAS:GyventojoGrupe", "Piligrimai"}, {"SAS:KliKod", "NERA"}};
    for (const auto& [field, value] : unknown) {
        makeCurrent(TableId::Saskait, "SAS:IrasoNr", "1");
        lists.clear();
        FormEngine form(RedSaskait(), context, cancelling());
        ASSERT_TRUE(form.open(Request::Change));
        const int item = form.itemOfField(form.table().def().fieldIndex(field));
        ASSERT_TRUE(form.setItemText(item, value));
        form.save();
        EXPECT_FALSE(form.finished()) << field;
        EXPECT_EQ(form.focusItem(), item) << field;
        EXPECT_EQ(lists.size(), 1U) << field;
        // A blank payer is allowed.
        if (field == "SAS:KliKod") {
            ASSERT_TRUE(form.setItemText(item, ""));
            form.save();
            EXPECT_TRUE(form.finished());
        } else {
            messages.answerNext(ButtonNo);
            ASSERT_TRUE(form.cancel());
        }
    }
}

TEST_F(RegistrationTest, RoomTotalsAndTheRoomsTextAreRecomputedWhenTheFormOpens) {
    addRoom("1", "A", "101");
    addRoom("2", "B", "12");
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "4"},
                                 {"SAS:KAMBARIAI", "senas"},
                                 {"SAS:PVMPROC", "9"},
                                 {"SAS:Gyventojas", "Ona"},
                                 {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                                 {"SAS:GyventojoGrupe", "Turistai"},
                                 {"SAS:GyvenaNuo", "2026-03-14"},
                                 {"SAS:GyvenaIki", "2026-03-15"}});
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "4"},
                                 {"SKMB:KambarioID", "1"},
                                 {"SKMB:KambarioKaina", "100"},
                                 {"SKMB:KambarioGyventojuSkc", "2"}});
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "4"},
                                 {"SKMB:KambarioID", "2"},
                                 {"SKMB:KambarioKaina", "60.50"},
                                 {"SKMB:KambarioGyventojuSkc", "1"}});
    // A row whose room is gone counts without text.
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "4"},
                                 {"SKMB:KambarioID", "9"},
                                 {"SKMB:KambarioKaina", "10"},
                                 {"SKMB:KambarioGyventojuSkc", "1"}});
    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "4");
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    EXPECT_EQ(form.record().get(SAS::KAMBARIAI), " A-101 B-12");
    EXPECT_EQ(*form.variables().find(RoomsPriceVariable), Value(Decimal::fromScaled(17050, 2)));
    EXPECT_EQ(*form.variables().find(RoomsCountVariable), Value(std::int64_t(3)));
    EXPECT_EQ(*form.variables().find(RoomsResidentsVariable), Value(std::int64_t(4)));
    // No lines: the sums are 0 and the VAT rate keeps its value.
    EXPECT_EQ(form.record().get(SAS::PVMPROC), Decimal(9));
    EXPECT_TRUE(form.changed());
    messages.answerNext(ButtonYes);
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Ar išsaugoti pakeitimus?"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KAMBARIAI"), std::vector<std::string>{" A-101 B-12"});
}

TEST_F(RegistrationTest, TheRoomsTextEndsWithDotsOnlyWhenLongerThanItsField) {
    std::vector<RoomLabel> eight(8, RoomLabel{"Vakar", "101"}); // 8 × 10 characters: exactly 80
    std::string full;
    for (int i = 0; i < 8; ++i) {
        full += " Vakar-101";
    }
    EXPECT_EQ(roomsText(eight), full);
    eight.push_back({"Ryt", "9"});
    const std::string cut = roomsText(eight);
    EXPECT_EQ(cut.size(), 80U);
    EXPECT_EQ(cut.substr(70), " Vakar-...");
    EXPECT_EQ(roomsText({{"", "7"}}), " -7");
}

TEST_F(RegistrationTest, InvoiceTotalsFollowTheLinesAndTheMeanRate) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "2"}, {"SAS:PVMPROC", "21"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "1"},
                                 {"SEI:IrasoNr", "2"},
                                 {"SEI:SUMABEPVM", "100"},
                                 {"SEI:PVMSUMA", "21"},
                                 {"SEI:SUMA", "121"},
                                 {"SEI:PVMPROC", "21"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "2"},
                                 {"SEI:IrasoNr", "2"},
                                 {"SEI:SUMABEPVM", "10.01"},
                                 {"SEI:PVMSUMA", "0.90"},
                                 {"SEI:SUMA", "10.91"},
                                 {"SEI:PVMPROC", "9"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "3"}, {"SEI:IrasoNr", "7"}, {"SEI:SUMA", "999"}});
    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "2");
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    EXPECT_EQ(form.record().get(SAS::BSUMA), Decimal::fromScaled(11001, 2));
    EXPECT_EQ(form.record().get(SAS::PVMSUMA), Decimal::fromScaled(2190, 2));
    EXPECT_EQ(form.record().get(SAS::BSUMASUPVM), Decimal::fromScaled(13191, 2));
    EXPECT_EQ(form.record().get(SAS::PVMPROC), Decimal(15));
    // A VAT sum typed over gives the total with VAT.
    ASSERT_TRUE(type(form, "SAS:PVMSUMA", "20"));
    EXPECT_EQ(form.record().get(SAS::BSUMASUPVM), Decimal::fromScaled(13001, 2));
}

// The registration's child lists as the form lists them.
enum Child { RoomsList, LinesList, PaymentsList };

// A registration with one room and one line of 149.97, open in change mode.
class ChildFormsTest : public RegistrationTest {
protected:
    void SetUp() override {
        RegistrationTest::SetUp();
        addRoom("1", "A", "101", "60");
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "4"},
                                     {"SAS:Gyventojas", "Ona"},
                                     {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                                     {"SAS:GyventojoGrupe", "Turistai"},
                                     {"SAS:GyvenaNuo", "2026-03-14"},
                                     {"SAS:GyvenaIki", "2026-03-15"},
                                     {"SAS:KAMBARIAI", " A-101"},
                                     {"SAS:PVMPROC", "21"},
                                     {"SAS:BSUMA", "123.94"},
                                     {"SAS:PVMSUMA", "26.03"},
                                     {"SAS:BSUMASUPVM", "149.97"}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "4"}, {"SKMB:KambarioID", "1"}});
        addRecord(TableId::Saskeil, {{"SEI:SEILID", "1"},
                                     {"SEI:IrasoNr", "4"},
                                     {"SEI:SUMABEPVM", "123.94"},
                                     {"SEI:PVMSUMA", "26.03"},
                                     {"SEI:SUMA", "149.97"},
                                     {"SEI:PVMPROC", "21"}});
        makeCurrent(TableId::Saskait, "SAS:IrasoNr", "4");
        form = std::make_unique<FormEngine>(RedSaskait(), context, cancelling());
        ASSERT_TRUE(form->open(Request::Change));
        ASSERT_FALSE(form->changed());
    }

    // A payment form saved: the payment takes the registration's total with VAT, as the form shows it.
    FormResult takePayment() {
        const Record& registration = context.table(TableId::Saskait).record();
        Table& payments = context.table(TableId::Mokej);
        payments.open();
        payments.clear();
        payments.record().set(MOK::IrasoNr, 1);
        payments.record().set(MOK::SaskIrasoNr, registration.get(SAS::IrasoNr));
        (void)payments.record().set(MOK::MOKSUMA, registration.get(SAS::BSUMASUPVM));
        const StoreStatus status = payments.add();
        payments.close();
        return {status == StoreStatus::Ok ? Response::Completed : Response::Cancelled};
    }

    // A room form of the rooms list left with "Nutraukti", after the room was renamed elsewhere.
    FormResult leaveRoomForm() {
        Table rooms(context, TableId::Kamb, false);
        rooms.open();
        rooms.record().set(KMB::KambarioID, 1);
        EXPECT_EQ(rooms.getByKey(KMB::IDKEY), StoreStatus::Ok);
        (void)rooms.record().set(KMB::KambarioNr, "102");
        EXPECT_EQ(rooms.put(), StoreStatus::Ok);
        rooms.close();
        return {Response::Cancelled};
    }

    // A line form that saved a second line of 10.00.
    FormResult addLine() {
        addRecord(TableId::Saskeil, {{"SEI:SEILID", "2"},
                                     {"SEI:IrasoNr", "4"},
                                     {"SEI:SUMABEPVM", "8.26"},
                                     {"SEI:PVMSUMA", "1.74"},
                                     {"SEI:SUMA", "10.00"},
                                     {"SEI:PVMPROC", "21"}});
        return {Response::Completed};
    }

    void child(Child list, const std::function<FormResult()>& answer) {
        form->callChild(list, [&answer](FormDone done) { done(answer()); });
    }

    std::unique_ptr<FormEngine> form;
};

// Totals typed over on the invoice tab stand until the lines are read again: a payment taken or a
// room form left does not undo them; a line form does.
TEST_F(ChildFormsTest, TypedTotalsStandUntilALineFormClosesAndTheRoomsFollowOnlyTheRooms) {
    ASSERT_TRUE(type(*form, "SAS:BSUMASUPVM", "150.00"));

    child(PaymentsList, [this] { return takePayment(); });
    EXPECT_EQ(form->record().text("SAS:BSUMASUPVM"), "150.00");
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSUMA"), std::vector<std::string>{"150.00"});

    child(RoomsList, [this] { return leaveRoomForm(); });
    EXPECT_EQ(form->record().text("SAS:BSUMASUPVM"), "150.00");
    EXPECT_EQ(form->record().get(SAS::KAMBARIAI), " A-102"); // the rooms' text follows the rooms

    child(LinesList, [this] { return addLine(); });
    EXPECT_EQ(form->record().text("SAS:BSUMASUPVM"), "159.97");
    EXPECT_EQ(form->record().text("SAS:BSUMA"), "132.20");
    EXPECT_EQ(form->record().text("SAS:PVMSUMA"), "27.77");
}

// "Nutraukti" after a payment was taken: nothing of the registration's own changed, so nothing to ask
// and the payment stays; with the resident's name changed too, the question, and "Ne" keeps the
// payment and drops the name.
TEST_F(ChildFormsTest, LeavingAfterAPaymentAsksOnlyWhenTheRegistrationsOwnFieldsChanged) {
    child(PaymentsList, [this] { return takePayment(); });
    EXPECT_TRUE(form->cancel());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSUMA"), std::vector<std::string>{"149.97"});

    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "4");
    FormEngine again(RedSaskait(), context, cancelling());
    ASSERT_TRUE(again.open(Request::Change));
    ASSERT_TRUE(type(again, "SAS:Gyventojas", "Jonas"));
    again.callChild(LinesList, [this](FormDone done) { done(addLine()); });
    messages.answerNext(ButtonNo);
    EXPECT_TRUE(again.cancel());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Ar išsaugoti pakeitimus?"});
    // The line is saved, and the registration's totals follow it; the name is as it was.
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:Gyventojas"), std::vector<std::string>{"Ona"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:BSUMASUPVM"), std::vector<std::string>{"159.97"});
}

// Arriving and departing on one day is a stay of 0 nights: saved without a message.
TEST_F(RegistrationTest, AStayEndingOnItsArrivalDaySavesWithNoNightAndNoMessage) {
    FormEngine form(RedSaskait(), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(type(form, "SAS:Gyventojas", "Jonaitis Jonas"));
    ASSERT_TRUE(type(form, "SAS:GYVENTOJOVALSTYBE", "Lietuva"));
    ASSERT_TRUE(type(form, "SAS:GyventojoGrupe", "Turistai"));
    ASSERT_TRUE(type(form, "SAS:GyvenaIki", "2026-03-14"));
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GyvenaIki"), std::vector<std::string>{"2026-03-14"});
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:GYVENAPARU"), std::vector<std::string>{"0"});
}

TEST_F(RegistrationTest, AnOccupiedRoomTakesTheRoomsPriceOnlyFromARoomFound) {
    addRoom("5", "A", "101", "120");
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"}});
    Table& rows = context.table(TableId::SaskKmb);
    rows.open();
    rows.clear();
    rows.record().set(SKMB::IrasoNr, 1);
    FormEngine form(UpdateSaskKmb(), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_EQ(form.title(), "Naujas įrašas");
    EXPECT_FALSE(type(form, "SKMB:KambarioID", "6")); // no such room: the list opens and is left
    EXPECT_EQ(lists, std::vector<std::string>{"SelectKamb"});
    EXPECT_EQ(form.record().get(SKMB::KambarioKaina), Decimal(0));
    ASSERT_TRUE(type(form, "SKMB:KambarioID", "5"));
    EXPECT_EQ(form.record().get(SKMB::KambarioKaina), Decimal(120));
    EXPECT_EQ(form.record().get(SKMB::KambarioGyventojuSkc), 1);
    ASSERT_TRUE(type(form, "SKMB:KambarioKaina", "100"));
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:KambarioKaina"), std::vector<std::string>{"100.00"});

    // The same room again under the registration: the key's name, and the form stays.
    rows.clear();
    rows.record().set(SKMB::IrasoNr, 1);
    FormEngine again(UpdateSaskKmb(), context, cancelling());
    ASSERT_TRUE(again.open(Request::Insert));
    ASSERT_TRUE(type(again, "SKMB:KambarioID", "5"));
    messages.clear();
    again.save();
    EXPECT_FALSE(again.finished());
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_NE(messages.shown()[0].text.find("pagal įrašo Nr."), std::string::npos);
}

TEST_F(RegistrationTest, AnOccupiedRoomIsRequired) {
    Table& rows = context.table(TableId::SaskKmb);
    rows.open();
    rows.clear();
    rows.record().set(SKMB::IrasoNr, 1);
    FormEngine form(UpdateSaskKmb(), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    form.save();
    EXPECT_FALSE(form.finished());
    EXPECT_TRUE(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr").empty());
}

// A stay for the double-booking cases: Kazlauskas Jonas holds room 101 from 2026-12-07 to 2026-12-10.
class DoubleBookingTest : public RegistrationTest {
protected:
    void SetUp() override {
        RegistrationTest::SetUp();
        addRoom("1", "A", "101");
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"},
                                     {"SAS:Gyventojas", "Kazlauskas Jonas"},
                                     {"SAS:GyvenaNuo", "2026-12-07"},
                                     {"SAS:GyvenaIki", "2026-12-10"}});
        addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "1"}, {"SKMB:KambarioID", "1"}});
    }

    void addStay(const std::string& number, const std::string& from, const std::string& to, bool departed) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", number},
                                     {"SAS:Gyventojas", "Petraitis Petras"},
                                     {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                                     {"SAS:GyventojoGrupe", "Turistai"},
                                     {"SAS:GyvenaNuo", from},
                                     {"SAS:GyvenaIki", to},
                                     {"SAS:Isvykes", departed ? "1" : "0"}});
    }
};

const std::string TakenQuestion =
    "Kambarys 101 2026-12-08 jau užimtas: Kazlauskas Jonas, 2026-12-07 – 2026-12-10. Vis tiek įrašyti?";

// Saving a room that another current stay holds on one of the registration's nights (the dates as the
// registration form holds them) asks first: No keeps the form on the room with nothing written, Yes
// writes. Saving the same room again asks nothing.
TEST_F(DoubleBookingTest, SavingARoomAnotherStayHoldsAsksFirst) {
    addStay("2", "2026-12-01", "2026-12-02", false);
    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "2");
    // As the registration form holds it while its room form is open: moved onto the other stay.
    registrations().record().set(SAS::GyvenaNuo, dateFromYmd(2026, 12, 8));
    registrations().record().set(SAS::GyvenaIki, dateFromYmd(2026, 12, 9));
    Table& rows = context.table(TableId::SaskKmb);
    rows.open();
    rows.clear();
    rows.record().set(SKMB::IrasoNr, 2);
    FormEngine form(UpdateSaskKmb(), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_TRUE(type(form, "SKMB:KambarioID", "1"));
    form.setFocusItem(form.itemOfField(SKMB::KambarioKaina.index));
    messages.answerNext(ButtonNo);
    form.save();
    EXPECT_FALSE(form.finished());
    ASSERT_EQ(messages.texts(), std::vector<std::string>{TakenQuestion});
    EXPECT_EQ(messages.shown()[0].buttons, unsigned(ButtonYes | ButtonNo));
    EXPECT_EQ(messages.shown()[0].defaultButton, int(ButtonNo));
    EXPECT_EQ(form.focusItem(), form.itemOfField(SKMB::KambarioID.index));
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), std::vector<std::string>{"1"});
    messages.answerNext(ButtonYes);
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_EQ(storedColumn(TableId::SaskKmb, "SKMB:IrasoNr"), (std::vector<std::string>{"1", "2"}));

    messages.clear();
    rows.clear();
    rows.record().set(SKMB::IrasoNr, 2);
    rows.record().set(SKMB::KambarioID, 1);
    ASSERT_EQ(rows.getByKey(SKMB::INRKMBIDKEY), StoreStatus::Ok);
    rows.watch();
    FormEngine change(UpdateSaskKmb(), context, cancelling());
    ASSERT_TRUE(change.open(Request::Change));
    ASSERT_TRUE(type(change, "SKMB:KambarioKaina", "40"));
    change.save();
    EXPECT_TRUE(change.finished());
    EXPECT_TRUE(messages.texts().empty());
}

// On the registration form the question comes when a current stay's dates are changed onto a night
// another stay holds, or a departed one is made current again; a departed stay holds no room.
TEST_F(DoubleBookingTest, ChangingTheDatesOrTheDepartureOfAStayAsksAboutItsRooms) {
    addStay("2", "2026-12-10", "2026-12-11", false);
    addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", "2"}, {"SKMB:KambarioID", "1"}});
    makeCurrent(TableId::Saskait, "SAS:IrasoNr", "2");
    FormEngine form(RedSaskait(), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    EXPECT_EQ(form.title(), "Įrašas taisomas – Petraitis Petras");
    messages.answerNext(ButtonNo);
    EXPECT_FALSE(type(form, "SAS:GyvenaNuo", "2026-12-08"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{TakenQuestion});
    EXPECT_EQ(form.focusItem(), form.itemOfField(SAS::GyvenaNuo.index));
    messages.answerNext(ButtonYes);
    EXPECT_TRUE(type(form, "SAS:GyvenaNuo", "2026-12-08"));
    EXPECT_EQ(form.record().get(SAS::GYVENAPARU), 3);

    messages.clear();
    ASSERT_TRUE(type(form, "SAS:Isvykes", "1"));
    ASSERT_TRUE(type(form, "SAS:GyvenaIki", "2026-12-12")); // departed: nobody asked
    EXPECT_TRUE(messages.texts().empty());
    messages.answerNext(ButtonNo);
    EXPECT_FALSE(type(form, "SAS:Isvykes", "0"));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{TakenQuestion});
}

// The invoice tab shows what the payments add up to and what is left; a save while they cover the
// total and "Apmokėta" is not ticked offers to tick it, once.
TEST_F(RegistrationTest, TheBalanceIsShownAndAFullPaymentOffersPaidOnSave) {
    addRecord(TableId::Saskait, {{"SAS:IrasoNr", "5"},
                                 {"SAS:Gyventojas", "Ona"},
                                 {"SAS:GYVENTOJOVALSTYBE", "Lietuva"},
                                 {"SAS:GyventojoGrupe", "Turistai"},
                                 {"SAS:GyvenaNuo", "2026-03-14"},
                                 {"SAS:GyvenaIki", "2026-03-15"}});
    addRecord(TableId::Saskeil, {{"SEI:SEILID", "1"},
                                 {"SEI:IrasoNr", "5"},
                                 {"SEI:SUMABEPVM", "123.97"},
                                 {"SEI:PVMSUMA", "26.03"},
                                 {"SEI:SUMA", "150.00"},
                                 {"SEI:PVMPROC", "21"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "1"}, {"MOK:SaskIrasoNr", "5"}, {"MOK:MOKSUMA", "100"}});
    const auto open = [this](FormEngine& form) {
        makeCurrent(TableId::Saskait, "SAS:IrasoNr", "5");
        ASSERT_TRUE(form.open(Request::Change));
    };
    {
        FormEngine form(RedSaskait(), context, {});
        open(form);
        EXPECT_EQ(*form.variables().find(PaidVariable), Value(Decimal(100)));
        EXPECT_EQ(*form.variables().find(DueVariable), Value(Decimal(50)));
        // A total typed over is what is left from.
        ASSERT_TRUE(type(form, "SAS:BSUMASUPVM", "160"));
        EXPECT_EQ(*form.variables().find(DueVariable), Value(Decimal(60)));
        messages.clear();
        form.save();
        ASSERT_TRUE(form.finished());
        EXPECT_TRUE(messages.texts().empty()); // not paid in full: nothing offered
    }
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "2"}, {"MOK:SaskIrasoNr", "5"}, {"MOK:MOKSUMA", "60"}});
    for (const int answer : {ButtonNo, ButtonYes}) {
        FormEngine form(RedSaskait(), context, {});
        open(form);
        EXPECT_EQ(*form.variables().find(DueVariable), Value(Decimal(-10)));
        messages.clear();
        messages.answerNext(answer);
        form.save();
        ASSERT_TRUE(form.finished());
        EXPECT_EQ(messages.texts(),
                  std::vector<std::string>{"Sumokėta visa sąskaitos suma. Pažymėti „Apmokėta“?"});
        EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:APMOKETA").back(), answer == ButtonYes ? "1" : "0");
    }
    // Ticked: nothing more to offer.
    FormEngine form(RedSaskait(), context, {});
    open(form);
    messages.clear();
    form.save();
    EXPECT_TRUE(messages.texts().empty());
}

} // namespace
} // namespace nakva
