// The payment form in its two variants, the payments list and the invoice selection on real files:
// priming, document numbering per series with two stations at once, the amount held until save, the
// default comment, and the lists' tabs.
#include "data/StoreTestSupport.h"

#include "data/Fields.h"
#include "data/Transaction.h"
#include "registration/Payments.h"
#include "registration/Registration.h"
#include "shell/Globals.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

using testing::StoreTest;

class PaymentsTest : public StoreTest {
protected:
    void SetUp() override {
        glo().EINDT = day;
        addRecord(TableId::Klient, {{"KLI:Kod", "UAB"}, {"KLI:PAV", "UAB Viešbutis"}});
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "1"},
                                     {"SAS:SaskSer", "A"},
                                     {"SAS:SaskNr", "15"},
                                     {"SAS:SaskDt", "2024-04-15"},
                                     {"SAS:KliKod", "UAB"},
                                     {"SAS:BSUMASUPVM", "150.00"}});
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "2"},
                                     {"SAS:SaskNr", "3"},
                                     {"SAS:SaskDt", "2024-05-01"},
                                     {"SAS:BSUMASUPVM", "80.00"},
                                     {"SAS:Isvykes", "1"}});
    }

    // The registration form's part: the registration on the form in its buffer, the new payment's
    // link primed by the sub-list.
    static void asRegistrationChild(Context& station, std::int32_t registration) {
        Table& registrations = station.table(TableId::Saskait);
        registrations.open();
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, registration);
        ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
        Table& payments = station.table(TableId::Mokej);
        payments.open();
        payments.clear();
        payments.record().set(MOK::SaskIrasoNr, registration);
    }

    static void newPaymentFromList(Context& station) {
        Table& payments = station.table(TableId::Mokej);
        payments.open();
        payments.clear();
    }

    bool type(FormEngine& form, std::string_view field, std::string_view text) {
        const int item = form.itemOfField(form.table().def().fieldIndex(field));
        EXPECT_GE(item, 0) << field;
        return form.setItemText(item, text) && form.acceptItem(item);
    }

    std::string text(FormEngine& form, std::string_view field) {
        return form.itemText(form.itemOfField(form.table().def().fieldIndex(field)));
    }

    FormEngine::SelectList cancelling() {
        return nakva::testing::pickerAnsweringAtOnce([this](const FormLookUp& lookUp, Context&) {
            lists.push_back(lookUp.list);
            return Response::Cancelled;
        });
    }

    static std::vector<std::string> column(const ListEngine& list, std::size_t index) {
        std::vector<std::string> cells;
        for (const ListRow& row : list.rows()) {
            cells.push_back(row.cells.at(index));
        }
        return cells;
    }

    const Date day = dateFromYmd(2026, 3, 14);
    Context context{database};
    std::vector<std::string> lists;
};

TEST_F(PaymentsTest, APaymentOfTheRegistrationFormIsPrimedButHoldsNoMoneyUntilSaved) {
    asRegistrationChild(context, 1);
    FormEngine form(RedMokej(PaymentVariant::Registration), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_EQ(form.record().get(MOK::IrasoNr), 1);
    EXPECT_EQ(form.record().get(MOK::MokDt), day);
    EXPECT_EQ(form.record().get(MOK::MokKod), "UAB");
    EXPECT_EQ(form.record().get(MOK::MOKSUMA), Decimal::parse("150.00").value());
    EXPECT_EQ(form.record().get(MOK::MOKNR), 1);
    EXPECT_FALSE(form.changed());
    // The payment belongs to the registration on the form: shown, not typed.
    EXPECT_FALSE(form.itemEditable(form.itemOfField(MOK::SaskIrasoNr.index)));
    EXPECT_EQ(text(form, "MOK:SaskIrasoNr"), "1");

    // Other stations and the reports see the payment's number but no amount until it is saved.
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSUMA"), std::vector<std::string>{"0.00"});
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_EQ(form.result().response, Response::Completed);
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSUMA"), std::vector<std::string>{"150.00"});
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:SaskIrasoNr"), std::vector<std::string>{"1"});

    // A new payment cancelled leaves no trace, and the next one gets its number again.
    asRegistrationChild(context, 1);
    {
        FormEngine cancelled(RedMokej(PaymentVariant::Registration), context, {});
        ASSERT_TRUE(cancelled.open(Request::Insert));
        EXPECT_EQ(cancelled.record().get(MOK::IrasoNr), 2);
        ASSERT_TRUE(cancelled.cancel());
    }
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:IrasoNr"), std::vector<std::string>{"1"});
}

TEST_F(PaymentsTest, DefaultsApplyToANewPaymentOnly) {
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "7"}, {"MOK:SaskIrasoNr", "1"}});
    Table& payments = context.table(TableId::Mokej);
    asRegistrationChild(context, 1);
    payments.clear();
    payments.record().set(MOK::IrasoNr, 7);
    ASSERT_EQ(payments.getByKey(MOK::IRASONRKEY), StoreStatus::Ok);
    payments.watch();
    FormEngine form(RedMokej(PaymentVariant::Registration), context, {});
    ASSERT_TRUE(form.open(Request::Change));
    EXPECT_EQ(form.record().get(MOK::MokDt), NoDate);
    EXPECT_EQ(form.record().get(MOK::MokKod), "");
    EXPECT_TRUE(form.record().get(MOK::MOKSUMA).isZero());
    EXPECT_EQ(form.record().get(MOK::MOKNR), 0);
    EXPECT_FALSE(form.changed());
}

TEST_F(PaymentsTest, DocumentNumbersRunWithinExactlyEqualSeries) {
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "1"}, {"MOK:MOKSER", "k"}, {"MOK:MOKNR", "7"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "2"}, {"MOK:MOKSER", "K"}, {"MOK:MOKNR", "3"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "3"}, {"MOK:MOKSER", ""}, {"MOK:MOKNR", "12"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "4"}, {"MOK:MOKSER", "MAX"}, {"MOK:MOKNR", "2147483647"}});
    asRegistrationChild(context, 1);
    FormEngine form(RedMokej(PaymentVariant::Registration), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_EQ(form.record().get(MOK::MOKNR), 13);
    // Typed and cleared again, the blank series gives 13 again: the form's own record is left out.
    const std::vector<std::pair<std::string, std::int32_t>> series = {
        {"K", 4}, {"k", 8}, {"NEW", 1}, {"", 13}, {"MAX", 13}};
    for (const auto& [typed, number] : series) {
        ASSERT_TRUE(type(form, "MOK:MOKSER", typed));
        EXPECT_EQ(form.record().get(MOK::MOKNR), number) << "series '" << typed << "'";
    }
    // A full series gives no number past the field's maximum: the one shown stays.
    ASSERT_TRUE(type(form, "MOK:MOKSER", "NEW"));
    form.save();
    ASSERT_TRUE(form.finished());

    asRegistrationChild(context, 1);
    FormEngine next(RedMokej(PaymentVariant::Registration), context, {});
    ASSERT_TRUE(next.open(Request::Insert));
    ASSERT_TRUE(type(next, "MOK:MOKSER", "NEW"));
    EXPECT_EQ(next.record().get(MOK::MOKNR), 2);
    ASSERT_TRUE(next.cancel());
}

TEST_F(PaymentsTest, TwoStationsNumberingOneSeriesAtOnceSaveDifferentNumbersUnlessOneWasTyped) {
    Context other(database);
    asRegistrationChild(context, 1);
    asRegistrationChild(other, 1);
    FormEngine mine(RedMokej(PaymentVariant::Registration), context, {});
    FormEngine theirs(RedMokej(PaymentVariant::Registration), other, {});
    ASSERT_TRUE(mine.open(Request::Insert));
    ASSERT_TRUE(theirs.open(Request::Insert));
    ASSERT_TRUE(type(mine, "MOK:MOKSER", "K"));
    ASSERT_TRUE(type(theirs, "MOK:MOKSER", "K"));
    EXPECT_EQ(mine.record().get(MOK::MOKNR), 1);
    EXPECT_EQ(theirs.record().get(MOK::MOKNR), 1);

    mine.save();
    theirs.save();
    ASSERT_TRUE(mine.finished() && theirs.finished());
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKNR"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(theirs.record().get(MOK::MOKNR), 2);

    // A number the user typed is saved as typed, taken or not; and a series differing only in letter
    // case is another series.
    asRegistrationChild(context, 1);
    asRegistrationChild(other, 1);
    FormEngine typed(RedMokej(PaymentVariant::Registration), context, {});
    FormEngine lower(RedMokej(PaymentVariant::Registration), other, {});
    ASSERT_TRUE(typed.open(Request::Insert));
    ASSERT_TRUE(lower.open(Request::Insert));
    ASSERT_TRUE(type(typed, "MOK:MOKSER", "K"));
    ASSERT_TRUE(type(typed, "MOK:MOKNR", "1"));
    ASSERT_TRUE(type(lower, "MOK:MOKSER", "k"));
    EXPECT_EQ(lower.record().get(MOK::MOKNR), 1);
    typed.save();
    lower.save();
    ASSERT_TRUE(typed.finished() && lower.finished());
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSER"), (std::vector<std::string>{"K", "K", "K", "k"}));
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKNR"), (std::vector<std::string>{"1", "2", "1", "1"}));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PaymentsTest, AChangedPaymentMovesOnlyANumberItsNewSeriesGave) {
    // Payments 1 and 2 share a typed number; changing one keeps its number.
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "1"}, {"MOK:SaskIrasoNr", "1"}, {"MOK:MOKNR", "5"}});
    addRecord(TableId::Mokej, {{"MOK:IrasoNr", "2"}, {"MOK:SaskIrasoNr", "1"}, {"MOK:MOKNR", "5"}});
    const auto change = [](Context& station, std::int32_t payment) {
        asRegistrationChild(station, 1);
        Table& payments = station.table(TableId::Mokej);
        payments.record().set(MOK::IrasoNr, payment);
        EXPECT_EQ(payments.getByKey(MOK::IRASONRKEY), StoreStatus::Ok);
        payments.watch();
    };
    change(context, 2);
    {
        FormEngine form(RedMokej(PaymentVariant::Registration), context, {});
        ASSERT_TRUE(form.open(Request::Change));
        // Its series typed over and back: its own number returns, and stays though payment 1 has it.
        ASSERT_TRUE(type(form, "MOK:MOKSER", "K"));
        ASSERT_TRUE(type(form, "MOK:MOKSER", ""));
        EXPECT_EQ(form.record().get(MOK::MOKNR), 5);
        ASSERT_TRUE(type(form, "MOK:KOMENTARAI", "Grąžinta"));
        form.save();
        ASSERT_TRUE(form.finished());
    }
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKNR"), (std::vector<std::string>{"5", "5"}));

    // Both moved into series K at once: the second saved moves on.
    Context other(database);
    change(context, 1);
    change(other, 2);
    FormEngine mine(RedMokej(PaymentVariant::Registration), context, {});
    FormEngine theirs(RedMokej(PaymentVariant::Registration), other, {});
    ASSERT_TRUE(mine.open(Request::Change));
    ASSERT_TRUE(theirs.open(Request::Change));
    ASSERT_TRUE(type(mine, "MOK:MOKSER", "K"));
    ASSERT_TRUE(type(theirs, "MOK:MOKSER", "K"));
    mine.save();
    theirs.save();
    ASSERT_TRUE(mine.finished() && theirs.finished());
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKNR"), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PaymentsTest, ANewPaymentWaitsForNoStationThatHoldsThePayments) {
    Context other(database);
    other.table(TableId::Mokej).open();
    Transaction holding(other);
    asRegistrationChild(context, 1);
    FormEngine form(RedMokej(PaymentVariant::Registration), context, {});
    ASSERT_TRUE(form.open(Request::Insert));
    ASSERT_EQ(holding.begin({TableId::Mokej}), StoreStatus::Ok);
    form.save();
    EXPECT_FALSE(form.finished()) << "the form stays open with what was typed";
    EXPECT_EQ(messages.shown().size(), 1U);
    holding.rollback();
    form.save();
    ASSERT_TRUE(form.finished());
    EXPECT_EQ(storedColumn(TableId::Mokej, "MOK:MOKSUMA"), std::vector<std::string>{"150.00"});
}

TEST_F(PaymentsTest, TheDefaultCommentNamesThePaymentsOwnRegistrationWhenTheUserReachesIt) {
    // Another window's registration stands in the buffer: the comment names the payment's own.
    newPaymentFromList(context);
    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    registrations.record().set(SAS::IrasoNr, 2);
    ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    FormEngine form(RedMokej(PaymentVariant::List), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    const int comment = form.itemOfField(MOK::KOMENTARAI.index);
    form.enterItem(comment);
    EXPECT_EQ(form.record().get(MOK::KOMENTARAI), "") << "no registration chosen yet";

    ASSERT_TRUE(type(form, "MOK:SaskIrasoNr", "1"));
    EXPECT_EQ(form.record().get(MOK::MOKSUMA), Decimal::parse("150.00").value());
    EXPECT_EQ(form.item(form.itemOfField(MOK::SaskIrasoNr.index)).beside(form),
              "Sąsk. A 15, 2024-04-15, su PVM 150.00, UAB");
    // The look-up left registration 1 in the buffer; another window puts registration 2 back there.
    registrations.record().set(SAS::IrasoNr, 2);
    ASSERT_EQ(registrations.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    form.enterItem(comment);
    EXPECT_EQ(form.record().get(MOK::KOMENTARAI), "Apmokėjimas už paslaugas pagal sąskaitą A 15 2024-04-15.");

    // A comment typed first is never replaced.
    ASSERT_TRUE(type(form, "MOK:KOMENTARAI", "Avansas"));
    form.enterItem(comment);
    EXPECT_EQ(form.record().get(MOK::KOMENTARAI), "Avansas");
    EXPECT_TRUE(lists.empty());
    ASSERT_TRUE(form.cancel());
}

TEST_F(PaymentsTest, TheCommentTextKeepsItsBlanks) {
    struct Case {
        std::string series;
        std::int32_t number;
        Date date;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"A", 15, dateFromYmd(2024, 4, 15), "Apmokėjimas už paslaugas pagal sąskaitą A 15 2024-04-15."},
        {"", 15, dateFromYmd(2024, 4, 15), "Apmokėjimas už paslaugas pagal sąskaitą  15 2024-04-15."},
        {"AB  ", 7, dateFromYmd(2099, 12, 31), "Apmokėjimas už paslaugas pagal sąskaitą AB 7 2099-12-31."},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(paymentComment(each.series, each.number, each.date), each.text) << each.series;
    }
}

TEST_F(PaymentsTest, ARegistrationNumberNobodyHasOpensTheInvoiceSelection) {
    newPaymentFromList(context);
    FormEngine form(RedMokej(PaymentVariant::List), context, cancelling());
    ASSERT_TRUE(form.open(Request::Insert));
    EXPECT_TRUE(form.record().get(MOK::MOKSUMA).isZero());
    EXPECT_FALSE(type(form, "MOK:SaskIrasoNr", "99"));
    EXPECT_EQ(lists, std::vector<std::string>{"SelectSaskait"});
    EXPECT_EQ(form.focusItem(), form.itemOfField(MOK::SaskIrasoNr.index));
    // Nor is a payment saved without one.
    ASSERT_TRUE(form.setItemText(form.itemOfField(MOK::SaskIrasoNr.index), "0"));
    form.save();
    EXPECT_FALSE(form.finished());
    ASSERT_TRUE(form.cancel());
    EXPECT_TRUE(storedColumn(TableId::Mokej, "MOK:IrasoNr").empty());
}

TEST_F(PaymentsTest, ThePaymentsListShowsOnePayerOrOneMethodByDate) {
    addRecord(TableId::MokBudai, {{"MOK1:MokBudoID", "1"}, {"MOK1:MOKBUDOPAV", "Grynais"}});
    addRecord(TableId::MokBudai, {{"MOK1:MokBudoID", "2"}, {"MOK1:MOKBUDOPAV", "Pavedimu"}});
    addRecord(TableId::Klient, {{"KLI:Kod", "ZUIKIS"}});
    const std::vector<std::vector<std::pair<std::string, std::string>>> payments = {
        {{"MOK:IrasoNr", "1"},
         {"MOK:MokDt", "2026-03-05"},
         {"MOK:MokKod", "UAB"},
         {"MOK:MokejimoBudas", "1"}},
        {{"MOK:IrasoNr", "2"},
         {"MOK:MokDt", "2026-03-01"},
         {"MOK:MokKod", "ZUIKIS"},
         {"MOK:MokejimoBudas", "2"}},
        {{"MOK:IrasoNr", "3"},
         {"MOK:MokDt", "2026-03-02"},
         {"MOK:MokKod", "UAB"},
         {"MOK:MokejimoBudas", "2"}},
    };
    for (auto fields : payments) {
        fields.emplace_back("MOK:SaskIrasoNr", "1");
        addRecord(TableId::Mokej, fields);
    }
    constexpr std::size_t NumberColumn = 1;
    constexpr std::size_t InvoiceNumberColumn = 10;
    ListEngine list(SarMokej(), context);
    list.open();
    EXPECT_EQ(column(list, NumberColumn), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(column(list, InvoiceNumberColumn), (std::vector<std::string>{"15", "15", "15"}));

    list.variables().set(PaymentPayerVariable, std::string("uab"));
    list.selectTab(PaymentPayerTab);
    list.reload();
    EXPECT_EQ(column(list, NumberColumn), (std::vector<std::string>{"3", "1"}));
    list.variables().set(PaymentMethodVariable, std::int64_t(2));
    list.selectTab(PaymentMethodTab);
    list.reload();
    EXPECT_EQ(column(list, NumberColumn), (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(payerName(context, "uab"), "UAB Viešbutis");
    EXPECT_EQ(methodName(context, 2), "Pavedimu");
    EXPECT_EQ(methodName(context, 0), "");
}

TEST_F(PaymentsTest, TheInvoiceSelectionOffersDepartedRegistrationsToo) {
    ListEngine list(SelectSaskait(), context, Request::Select);
    list.open();
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "2"}));
    list.variables().set(InvoicePayerVariable, std::string("uab"));
    list.selectTab(InvoicePayerTab);
    list.reload();
    EXPECT_EQ(column(list, 0), std::vector<std::string>{"1"});
}

} // namespace
} // namespace nakva
