// The institution settings form on the common form engine, on real files: the one IstgPar record and
// its buffer shared by every procedure context of the program.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "reference/InstitutionSettings.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

class InstitutionSettingsTest : public testing::StoreTest {
protected:
    Context context{database};

    void SetUp() override {
        Table& settings = context.table(TableId::IstgPar);
        settings.open();
        ASSERT_EQ(readInstitutionSettings(settings), StoreStatus::Ok);
        settings.record().set(IST::ISTAIGA, "Svečių namai");
        ASSERT_TRUE(settings.record().set(IST::PVMPROC, Decimal(21)));
        ASSERT_EQ(settings.put(), StoreStatus::Ok);
    }
    void TearDown() override { context.table(TableId::IstgPar).close(); }

    // The form on `on` as the menu opens it: on the record read afresh.
    std::unique_ptr<FormEngine> openForm(Context& on) {
        Table& settings = on.table(TableId::IstgPar);
        settings.open();
        EXPECT_EQ(readInstitutionSettings(settings), StoreStatus::Ok);
        auto form = std::make_unique<FormEngine>(
            RedIstgPar(), on,
            nakva::testing::pickerAnsweringAtOnce([this](const FormLookUp& lookUp, Context& at) {
                listsOpened.push_back(lookUp.list + " at " +
                                      at.table(lookUp.table).record().text(lookUp.field));
                return Response::Cancelled;
            }));
        EXPECT_TRUE(form->open(Request::Change));
        return form;
    }

    static int itemOf(const FormEngine& form, int field) { return form.itemOfField(field); }

    // The record as another copy of the program reads it from the file.
    Record stored() {
        Database station(folder.path());
        Context other(station);
        Table& settings = other.table(TableId::IstgPar);
        settings.open();
        EXPECT_EQ(readInstitutionSettings(settings), StoreStatus::Ok);
        Record record = settings.record();
        settings.close();
        return record;
    }

    std::vector<std::string> listsOpened;
};

TEST_F(InstitutionSettingsTest, TheFormNeitherCreatesNorDeletesTheRecord) {
    struct Case {
        Request request;
        bool allowed;
        std::string message;
    };
    const Case cases[] = {
        {Request::Insert, false,
         "Šios procedūros pagalba negalima sukurti įrašo. Paspauskite GERAI ir grįžkite į prieš tai buvusią "
         "procedūrą"},
        {Request::Delete, false,
         "Šios procedūros pagalba negalima pašalinti įrašo. Paspauskite GERAI ir grįžkite į prieš tai "
         "buvusią "
         "procedūrą"},
        {Request::Change, true, ""},
    };
    for (const Case& each : cases) {
        messages.clear();
        EXPECT_EQ(institutionSettingsRequestAllowed(each.request), each.allowed);
        if (each.allowed) {
            EXPECT_TRUE(messages.texts().empty());
        } else {
            ASSERT_EQ(messages.texts(), std::vector<std::string>{each.message});
            EXPECT_EQ(messages.shown()[0].title, "Neteisingas procedūros iškvietimas");
        }
    }
}

TEST_F(InstitutionSettingsTest, ASavedChangeIsWhatEveryWindowOpenedAfterwardsSees) {
    Context form(database);
    auto settings = openForm(form);
    ASSERT_TRUE(settings->setItemText(itemOf(*settings, IST::PVMPROC.index), "9"));
    ASSERT_TRUE(settings->acceptItem(itemOf(*settings, IST::PVMPROC.index)));
    settings->save();
    ASSERT_TRUE(settings->finished());
    EXPECT_EQ(settings->result().response, Response::Completed);
    settings.reset();

    // Another procedure context of this program reads nothing: the buffer is the same.
    Context registration(database);
    EXPECT_EQ(registration.table(TableId::IstgPar).record().get(IST::PVMPROC), Decimal(9));
    EXPECT_EQ(stored().get(IST::PVMPROC), Decimal(9));
    form.table(TableId::IstgPar).close();
}

TEST_F(InstitutionSettingsTest, AServiceNameIsLookedUpInThePriceListWithItsLetterCase) {
    {
        Table& services = context.table(TableId::Paslaug);
        services.open();
        services.clear();
        services.record().set(PAS::Pav, "Pusryčiai");
        ASSERT_EQ(services.add(), StoreStatus::Ok);
        services.close();
    }
    auto settings = openForm(context);
    const int meals = itemOf(*settings, IST::MAITINIMOPASPAV.index);
    struct Case {
        std::string typed;
        bool accepted;
    };
    for (const Case& each : {Case{"pusryčiai", false}, Case{"Pusryčiai", true}, Case{"", true}}) {
        SCOPED_TRACE(each.typed);
        listsOpened.clear();
        ASSERT_TRUE(settings->setItemText(meals, each.typed));
        EXPECT_EQ(settings->acceptItem(meals), each.accepted);
        if (each.accepted) {
            EXPECT_TRUE(listsOpened.empty());
        } else {
            // The services list opens at the typed name; left without a choice, the focus stays.
            EXPECT_EQ(listsOpened, std::vector<std::string>{"SarPaslaug at " + each.typed});
            EXPECT_EQ(settings->focusItem(), meals);
        }
    }
}

TEST_F(InstitutionSettingsTest, AnotherStationsChangeIsShownAndBecomesTheSharedRecord) {
    auto settings = openForm(context);
    {
        Database station(folder.path());
        Context other(station);
        Table& theirs = other.table(TableId::IstgPar);
        theirs.open();
        ASSERT_EQ(readInstitutionSettings(theirs), StoreStatus::Ok);
        theirs.record().set(IST::ISTAIGA, "Viešbutis Nemunas");
        ASSERT_EQ(theirs.put(), StoreStatus::Ok);
        theirs.close();
    }
    ASSERT_TRUE(settings->setItemText(itemOf(*settings, IST::PVMPROC.index), "5"));
    settings->save();

    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{
                  "Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis."});
    EXPECT_FALSE(settings->finished());
    EXPECT_EQ(settings->record().get(IST::ISTAIGA), "Viešbutis Nemunas");
    EXPECT_EQ(context.table(TableId::IstgPar).record().get(IST::ISTAIGA), "Viešbutis Nemunas");
    EXPECT_EQ(stored().get(IST::PVMPROC), Decimal(21));
}

// Two settings windows of one program: the one cancelled after the other saved puts back the record it
// opened with; reading it again gives every later window the stored one.
TEST_F(InstitutionSettingsTest, ACancelledFormLeavesTheStoredRecordForLaterWindows) {
    Context first(database);
    Context second(database);
    auto saving = openForm(first);
    auto cancelling = openForm(second);
    ASSERT_TRUE(saving->setItemText(itemOf(*saving, IST::PVMPROC.index), "9"));
    saving->save();
    ASSERT_TRUE(saving->finished());
    ASSERT_TRUE(cancelling->setItemText(itemOf(*cancelling, IST::ISTAIGA.index), "Kitas pavadinimas"));
    ASSERT_TRUE(cancelling->cancel());

    Table& settings = second.table(TableId::IstgPar);
    ASSERT_EQ(readInstitutionSettings(settings), StoreStatus::Ok);
    EXPECT_EQ(context.table(TableId::IstgPar).record().get(IST::PVMPROC), Decimal(9));
    EXPECT_EQ(context.table(TableId::IstgPar).record().get(IST::ISTAIGA), "Svečių namai");
    saving.reset();
    cancelling.reset();
    first.table(TableId::IstgPar).close();
    settings.close();
}

TEST_F(InstitutionSettingsTest, AnEmptyTableReceivesItsOneBlankRecord) {
    Table& settings = context.table(TableId::IstgPar);
    ASSERT_EQ(settings.remove(), StoreStatus::Ok);
    ASSERT_EQ(readInstitutionSettings(settings), StoreStatus::Ok);
    EXPECT_EQ(settings.record().get(IST::ISTAIGA), "");
    std::int64_t count = 0;
    ASSERT_EQ(settings.recordCount(count), StoreStatus::Ok);
    EXPECT_EQ(count, 1);
}

} // namespace
} // namespace nakva
