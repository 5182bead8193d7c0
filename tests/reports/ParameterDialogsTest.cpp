#include "reports/ParameterDialogs.h"
#include "reports/ReportParameters.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/StoreTestSupport.h"
#include "data/Table.h"
#include "data/Variables.h"
#include "shell/Globals.h"

#include <gtest/gtest.h>

namespace nakva {

namespace {

Date ymd(int year, int month, int day) {
    return dateFromYmd(year, month, day);
}

} // namespace

TEST(ParameterDialogsTest, PeriodCaptionIsThirtyFiveCharacters) {
    const std::string caption = periodCaption(ymd(2026, 12, 1), ymd(2026, 12, 31));
    EXPECT_EQ(caption, "Periodas:   2026-12-01 : 2026-12-31");
    EXPECT_EQ(caption.size(), 35u);
    EXPECT_EQ(periodCaption(NoDate, ymd(2026, 1, 31)).size(), 35u);
}

TEST(ParameterDialogsTest, OpeningProposesThePeriodOfTheWorkingMonthUnlessOneIsSet) {
    struct Case {
        const char* name;
        ParameterDialog dialog;
        Date from, to;         // before opening
        Date wantFrom, wantTo; // proposed
    };
    const Date december = ymd(2026, 12, 7);
    const Case cases[] = {
        {"first report in December", ParameterDialog::Period, NoDate, NoDate, ymd(2026, 12, 1),
         ymd(2026, 12, 31)},
        {"after a March report", ParameterDialog::Period, ymd(2026, 3, 1), ymd(2026, 3, 31), ymd(2026, 3, 1),
         ymd(2026, 3, 31)},
        {"one date missing", ParameterDialog::Journal, ymd(2026, 3, 1), NoDate, ymd(2026, 12, 1),
         ymd(2026, 12, 31)},
        {"ledger", ParameterDialog::ServiceLedger, NoDate, NoDate, ymd(2026, 12, 1), ymd(2026, 12, 31)},
        {"summary", ParameterDialog::ServiceSummary, NoDate, ymd(2026, 5, 5), ymd(2026, 12, 1),
         ymd(2026, 12, 31)},
        {"end date only", ParameterDialog::EndDate, NoDate, NoDate, NoDate, ymd(2026, 12, 31)},
        {"end date kept", ParameterDialog::EndDate, ymd(2026, 2, 2), ymd(2026, 3, 3), ymd(2026, 2, 2),
         ymd(2026, 3, 3)},
        {"service name", ParameterDialog::ServiceName, NoDate, NoDate, NoDate, NoDate},
    };
    for (const Case& c : cases) {
        Globals globals;
        globals.EINDT = december;
        globals.PrDt = c.from;
        globals.GalDt = c.to;
        openParameterDialog(c.dialog, globals);
        EXPECT_EQ(globals.PrDt, c.wantFrom) << c.name;
        EXPECT_EQ(globals.GalDt, c.wantTo) << c.name;
    }
}

TEST(ParameterDialogsTest, DecemberThenMarchThroughTheDialogsAsTheProgramRunsThem) {
    Globals globals;
    globals.EINDT = ymd(2026, 12, 7);
    openParameterDialog(ParameterDialog::Period, globals);
    acceptParameterDialog(ParameterDialog::Period, globals);
    EXPECT_EQ(globals.PERIODAS, "Periodas:   2026-12-01 : 2026-12-31");

    // The user reports on March; the next dialog proposes March again.
    openParameterDialog(ParameterDialog::Journal, globals);
    globals.PrDt = ymd(2026, 3, 1);
    globals.GalDt = ymd(2026, 3, 31);
    acceptParameterDialog(ParameterDialog::Journal, globals);
    EXPECT_EQ(globals.PERIODAS, "Periodas:   2026-03-01 : 2026-03-31");
    openParameterDialog(ParameterDialog::ServiceSummary, globals);
    EXPECT_EQ(globals.PrDt, ymd(2026, 3, 1));
    EXPECT_EQ(globals.GalDt, ymd(2026, 3, 31));

    // An end before the start is accepted as it is.
    globals.PrDt = ymd(2026, 3, 31);
    globals.GalDt = ymd(2026, 3, 1);
    acceptParameterDialog(ParameterDialog::ServiceSummary, globals);
    EXPECT_EQ(globals.PERIODAS, "Periodas:   2026-03-31 : 2026-03-01");

    // The end-date dialog leaves the caption alone.
    globals.GalDt = ymd(2026, 4, 30);
    acceptParameterDialog(ParameterDialog::EndDate, globals);
    EXPECT_EQ(globals.PERIODAS, "Periodas:   2026-03-31 : 2026-03-01");
}

TEST(ParameterDialogsTest, JournalEmptiesTheGroupAndTheServiceNameDialogPresetsItsName) {
    Globals globals;
    globals.Grupe = "Ekskursija";
    globals.SUMINESPASLAUGOSPAV = "Konferencija";
    openParameterDialog(ParameterDialog::Period, globals);
    EXPECT_EQ(globals.Grupe, "Ekskursija");
    openParameterDialog(ParameterDialog::Journal, globals);
    EXPECT_EQ(globals.Grupe, "");
    openParameterDialog(ParameterDialog::ServiceName, globals);
    EXPECT_EQ(globals.SUMINESPASLAUGOSPAV, "Konferencija");
    globals.SUMINESPASLAUGOSPAV.clear();
    openParameterDialog(ParameterDialog::ServiceName, globals);
    EXPECT_EQ(globals.SUMINESPASLAUGOSPAV, "Viešbučio paslaugos");
}

TEST(ParameterDialogsTest, OnlyTheServiceNameDialogIsCancelledWithNutraukti) {
    for (const ParameterDialog dialog :
         {ParameterDialog::Period, ParameterDialog::Journal, ParameterDialog::ServiceLedger,
          ParameterDialog::ServiceSummary, ParameterDialog::EndDate}) {
        EXPECT_EQ(parameterDialogDef(dialog).cancelText, "&Nereikia");
        EXPECT_EQ(parameterDialogDef(dialog).cancelTip, "Uždaryti langą neišsaugant pakeitimų");
    }
    EXPECT_EQ(parameterDialogDef(ParameterDialog::ServiceName).cancelText, "Nutraukti");
    EXPECT_EQ(parameterDialogDef(ParameterDialog::ServiceName).cancelTip,
              "Nutraukti veiksmą ir uždaryti langą");
}

TEST(ParameterDialogsTest, ParametersAreBoundByNameForFilters) {
    Globals globals;
    globals.PrDt = ymd(2026, 3, 1);
    globals.Grupe = "Sportininkai";
    globals.PaslGrpNr = 7;
    globals.SuIsvykusiais = true;
    Variables variables;
    bindReportParameters(variables, globals);
    EXPECT_EQ(*variables.find("glo:prdt"), Value(std::int64_t(ymd(2026, 3, 1))));
    EXPECT_EQ(*variables.find("GLO:Grupe"), Value(std::string("Sportininkai")));
    EXPECT_EQ(*variables.find("GLO:PaslGrpNr"), Value(std::int64_t(7)));
    EXPECT_EQ(*variables.find("GLO:SuIsvykusiais"), Value(std::int64_t(1)));
    EXPECT_EQ(*variables.find("GLO:BEKAINU"), Value(std::int64_t(0)));
}

using LookUpTest = testing::StoreTest;

TEST_F(LookUpTest, TypedValuesAreFoundByKeyAndAChoiceIsCopiedIn) {
    Context context(database);
    Table& groups = context.table(GRP::table);
    groups.open();
    groups.clear();
    ASSERT_TRUE(groups.record().set(GRP::Grupe, "Sportininkai"));
    ASSERT_EQ(groups.add(), StoreStatus::Ok);
    groups.close();
    Table& serviceGroups = context.table(PGRP::table);
    serviceGroups.open();
    serviceGroups.clear();
    serviceGroups.record().set(PGRP::IrasoNr, 3);
    ASSERT_TRUE(serviceGroups.record().set(PGRP::GrpPav, "Maitinimas"));
    ASSERT_EQ(serviceGroups.add(), StoreStatus::Ok);
    serviceGroups.close();

    Globals globals;
    EXPECT_TRUE(lookUpFound(DialogField::Group, context, globals)); // empty: every group
    EXPECT_TRUE(lookUpFound(DialogField::ServiceGroup, context, globals));
    globals.Grupe = "Turistai";
    EXPECT_FALSE(lookUpFound(DialogField::Group, context, globals));
    globals.Grupe = "Sportininkai";
    EXPECT_TRUE(lookUpFound(DialogField::Group, context, globals));
    globals.PaslGrpNr = 4;
    EXPECT_FALSE(lookUpFound(DialogField::ServiceGroup, context, globals));

    // The list opens at the typed value and leaves its choice in the buffer.
    primeLookUp(DialogField::ServiceGroup, context, globals);
    EXPECT_EQ(context.table(PGRP::table).record().get(PGRP::IrasoNr), 4);
    context.table(PGRP::table).record().set(PGRP::IrasoNr, 3);
    takeLookUpChoice(DialogField::ServiceGroup, context, globals);
    EXPECT_EQ(globals.PaslGrpNr, 3);
    EXPECT_FALSE(context.table(PGRP::table).isOpen());
}

} // namespace nakva
