#include "data/Expression.h"
#include "data/QueryTestDatabase.h"
#include "data/SqlQuery.h"
#include "data/Variables.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

const TableDef& tableNamed(std::string_view name) {
    return *Dictionary::instance().findTable(name);
}

// One invoice line of one registration, and the variables a procedure might bind, judged by each
// filter both in SQL and by the evaluation on the record buffers.
class FilterLanguageTest : public testing::Test {
protected:
    void SetUp() override {
        db_.insert("Saskait", {{"IrasoNr", 7},
                               {"Gyventojas", "Jonaitis"},
                               {"SaskSer", "ab"},
                               {"BSUMA", *Decimal::parse("12.50")},
                               {"GYVENTOJUSKC", 2},
                               {"KAMBARIAI", "Ąžuolas"},
                               {"ASMENSDOK", "O'Brien"}});
        db_.insert("Saskeil", {{"SEILID", 1},
                               {"IrasoNr", 7},
                               {"KAINA", *Decimal::parse("2.5")},
                               {"SUMA", *Decimal::parse("2.50")},
                               {"KIEKIS", *Decimal::parse("1")}});
        variables_.set("LOC:One", std::int64_t(1));
        variables_.set("LOC:Zero", *Decimal::parse("0.00"));
        variables_.set("LOC:Blank", std::string("   "));
        variables_.set("LOC:Text", std::string("x"));
    }

    // Whether the line passes the filter, in SQL; the evaluation must say the same.
    bool selects(std::string_view text) {
        const auto filter = parseFilter(text);
        EXPECT_TRUE(filter) << filter.error.message;
        const auto query = SqlQuery::build(ViewTables(tableNamed("Saskeil")), Order{}, *filter, variables_);
        EXPECT_TRUE(query) << query.error.message;
        if (!filter || !query) {
            return false;
        }
        const auto spelling = QueryTestDatabase::spelling();
        const auto columns = QueryTestDatabase::columns(query->tables());
        const auto all = SqlQuery::build(query->tables(), Order{}, Filter{}, variables_);
        const auto row = db_.run(all->select(spelling, columns, {}, ReadDirection::Forward, 0)).at(0);
        const bool evaluated = query->matches(QueryTestDatabase::rowValues(query->tables(), row));
        const auto counted =
            std::get<std::int64_t>(db_.run(query->aggregate(spelling, "COUNT(*)")).at(0).at(0));
        EXPECT_EQ(counted == 1, evaluated) << "SQL and evaluation disagree on " << text;
        return counted == 1;
    }

    QueryTestDatabase db_;
    Variables variables_;
};

struct Case {
    const char* filter;
    bool selects;
};

TEST_F(FilterLanguageTest, ComparesNumbersExactly) {
    const Case cases[] = {
        {"SAS:GYVENTOJUSKC = 2", true},
        {"SAS:GYVENTOJUSKC <> 2", false},
        {"SAS:GYVENTOJUSKC < 3", true},
        {"SAS:GYVENTOJUSKC < 2", false},
        {"SAS:GYVENTOJUSKC <= 2", true},
        {"SAS:GYVENTOJUSKC =< 2", true},
        {"SAS:GYVENTOJUSKC =< 1", false},
        {"SAS:GYVENTOJUSKC > 1", true},
        {"SAS:GYVENTOJUSKC > 2", false},
        {"SAS:GYVENTOJUSKC >= 2", true},
        {"SAS:GYVENTOJUSKC >= 3", false},
        {"3 > SAS:GYVENTOJUSKC", true},
        {"2 <= SAS:GYVENTOJUSKC", true},
        {"1 >= SAS:GYVENTOJUSKC", false},
        {"SAS:IrasoNr = 7.0", true},
        {"SAS:IrasoNr < 7.5", true},
        {"SAS:IrasoNr > 6.99", true},
        {"SAS:IrasoNr > -3", true},
        // A decimal compares as written, whatever places the constant has.
        {"SAS:BSUMA = 12.5", true},
        {"SAS:BSUMA = 12.500", true},
        {"SAS:BSUMA = 12.501", false},
        {"SAS:BSUMA <> 12.501", true},
        {"SAS:BSUMA < 12.501", true},
        {"SAS:BSUMA <= 12.499", false},
        {"SAS:BSUMA > 12.499", true},
        {"SAS:BSUMA >= 12.501", false},
        {"SAS:BSUMA >= 12.5", true},
        {"SAS:BSUMA = -12.5", false},
        {"SAS:BSUMA < 999999999999999999", true},
        // Fields of different places.
        {"SEI:KAINA = SEI:SUMA", true},
        {"SEI:KIEKIS < SEI:KAINA", true},
        {"SEI:SUMA > SEI:KAINA", false},
        {"SEI:KAINA > SEI:GYVENTOJUSKC", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selects(c.filter), c.selects) << c.filter;
    }
}

TEST_F(FilterLanguageTest, ComparesTextsExactlyOrByTheCollation) {
    const Case cases[] = {
        {"SAS:Gyventojas = 'Jonaitis'", true},
        {"SAS:Gyventojas = 'Jonaitis   '", true},
        {"SAS:Gyventojas = 'jonaitis'", false},
        {"SAS:Gyventojas <> 'jonaitis'", true},
        {"UPPER(SAS:Gyventojas) = 'JONAITIS'", true},
        {"UPPER(SAS:Gyventojas) = 'Jonaitis'", false},
        {"UPPER(SAS:Gyventojas) = UPPER('jonaitis')", true},
        {"UPPER(SAS:Gyventojas) <> UPPER('jonaitis')", false},
        {"'JONAITIS' = UPPER(SAS:Gyventojas)", true},
        {"SAS:Gyventojas < 'Jonas'", true},
        {"SAS:Gyventojas < 'jonaitis'", true},
        {"SAS:Gyventojas > 'jonaitis'", false},
        {"UPPER(SAS:Gyventojas) >= UPPER('jonaitis')", true},
        {"UPPER(SAS:Gyventojas) > 'JONAI'", true},
        {"SAS:KAMBARIAI > 'Azija'", true},
        {"SAS:KAMBARIAI < 'Baltija'", true},
        {"SAS:SaskSer < 'AB'", false},
        {"UPPER(SAS:SaskSer) = 'AB'", true},
        {"SAS:Gyventojas = SAS:Gyventojas", true},
        {"UPPER(SAS:SaskSer) = UPPER(SAS:SaskSer)", true},
        {"SAS:ASMENSDOK = 'O''Brien'", true},
        {"'a' < 'Ą'", true},
        {"'A' < 'a'", true},
        {"'Yla' > 'Įvairus' AND 'Yla' < 'Jonas'", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selects(c.filter), c.selects) << c.filter;
    }
}

TEST_F(FilterLanguageTest, TakesAFieldOrVariableAloneAsATruthValue) {
    const Case cases[] = {
        {"SAS:Gyventojas", true},
        {"SAS:GYVENTOJOADRESAS", false},
        {"~SAS:GYVENTOJOADRESAS", true},
        {"SAS:Isvykes", false},
        {"~SAS:Isvykes", true},
        {"SAS:BSUMA", true},
        {"LOC:Blank", false},
        {"~LOC:Blank", true},
        {"LOC:Zero", false},
        {"LOC:Text", true},
        {"LOC:One", true},
        {"UPPER(SAS:Gyventojas)", true},
        {"(SEI:IrasoNr)", true},
        {"-1", true},
        {"0", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selects(c.filter), c.selects) << c.filter;
    }
}

TEST_F(FilterLanguageTest, BindsAndTighterThanOrInAnyLetterCase) {
    const Case cases[] = {
        {"1 = 1 OR 1 = 2 AND 1 = 2", true},
        {"(1 = 1 OR 1 = 2) AND 1 = 2", false},
        {"1 = 2 AND 1 = 2 OR 1 = 1", true},
        {"1=1 and 2=2", true},
        {"1=2 Or 2=2", true},
        {"1=2 oR SAS:Gyventojas", true},
        {"~1 = 2", true},
        {"~(1 = 1) OR 1 = 1", true},
        {"~(1 = 1 OR 1 = 2)", false},
        {"~~SAS:Isvykes", false},
        {"~SAS:Isvykes AND SAS:Isvykes", false},
        {"SAS:IrasoNr = LOC:One OR SAS:IrasoNr = 7", true},
        {"SAS:IrasoNr = 7 AND (SAS:Gyventojas = 'x' OR UPPER(SAS:SaskSer) = 'AB')", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selects(c.filter), c.selects) << c.filter;
    }
}

// Whatever a constant or a variable holds stays data: it never reaches the statement's text.
TEST_F(FilterLanguageTest, KeepsQuotesAndStatementsInValuesAsData) {
    const char* const hostile[] = {"' OR 1=1 --", "Jonaitis'; DROP TABLE \"Saskait\"; --", "x\" OR \"1\"=\"1",
                                   "1); DELETE FROM Saskait; --", "Jonaitis' OR '1'='1"};
    for (const char* value : hostile) {
        variables_.set("LOC:Name", std::string(value));
        EXPECT_FALSE(selects("SAS:Gyventojas = LOC:Name")) << value;
        EXPECT_FALSE(selects("UPPER(SAS:Gyventojas) = UPPER(LOC:Name)")) << value;
        const auto query = SqlQuery::build(ViewTables(tableNamed("Saskeil")), Order{},
                                           *parseFilter("SAS:Gyventojas = LOC:Name"), variables_);
        EXPECT_EQ(query->aggregate(QueryTestDatabase::spelling(), "COUNT(*)").text.find(value),
                  std::string::npos);
    }
    EXPECT_FALSE(selects("SAS:Gyventojas = 'x'' OR ''1''=''1'"));
    EXPECT_FALSE(selects("SAS:Gyventojas = 'Jonaitis'' --'"));
    EXPECT_TRUE(selects("SAS:Gyventojas = 'Jonaitis'")); // the table is still there
}

struct BadText {
    const char* text;
    int position;
    const char* says;
};

TEST(FilterErrorsTest, SayWhereAndWhatWasExpected) {
    const BadText cases[] = {
        {"SAS:IrasoDt >", 13, "laukiama lauko, kintamojo ar konstantos, rasta išraiškos pabaiga"},
        {"(SAS:Isvykes", 12, "laukiama „)“, rasta išraiškos pabaiga"},
        {"SAS:Isvykes = 'abc", 14, "neuždaryta teksto konstanta"},
        {"SAS:Isvykes # 1", 12, "netikėtas ženklas „#“"},
        {"SAS:Isvykes = „1“", 14, "netikėtas ženklas „„“"},
        {"SAS:Isvykes = 1 = 2", 16, "laukiama AND arba OR, rasta „=“"},
        {"(SAS:Isvykes = 1) = 2", 18, "lyginti galima tik reikšmes"},
        {"SAS:Isvykes = (1 = 2)", 17, "lyginti galima tik reikšmes"},
        {"UPPER SAS:Gyventojas", 6, "laukiama „(“ po UPPER"},
        {"UPPER(SAS:IrasoDt = 1)", 18, "UPPER() taikoma reikšmei"},
        {"SAS:IrasoDt AND", 15, "laukiama lauko, kintamojo ar konstantos"},
        {"SAS:IrasoDt SAS:IrasoNr", 12, "laukiama AND, OR arba išraiškos pabaigos, rasta „SAS:IrasoNr“"},
        {"SAS:IrasoDt = 1234567890123456789", 14, "per ilgas skaičius"},
        {"~", 1, "laukiama lauko"},
        {"SAS:IrasoDt = - 1", 14, "laukiama lauko"},
        {"SAS:IrasoDt => 1", 13, "laukiama lauko"},
    };
    for (const auto& c : cases) {
        const auto filter = parseFilter(c.text);
        ASSERT_FALSE(filter) << c.text;
        EXPECT_EQ(filter.error.position, c.position) << c.text;
        EXPECT_NE(filter.error.message.find(c.says), std::string::npos) << filter.error.message;
        EXPECT_EQ(
            filter.error.message.find("Filtro klaida ties ženklu Nr. " + std::to_string(c.position + 1)), 0u)
            << filter.error.message;
    }
}

TEST(FilterErrorsTest, RefuseDeepNestingWithoutCrashing) {
    EXPECT_FALSE(parseFilter(std::string(100000, '(') + "1"));
    EXPECT_FALSE(parseFilter(std::string(100000, '~') + "1"));
    EXPECT_TRUE(parseFilter(std::string(50, '(') + "1" + std::string(50, ')')));
}

TEST(FilterErrorsTest, BlankTextPassesEveryRecord) {
    for (const char* blank : {"", "   ", "\t\n"}) {
        const auto filter = parseFilter(blank);
        ASSERT_TRUE(filter);
        EXPECT_FALSE(filter->root);
    }
}

TEST(FilterErrorsTest, NamesAndTypesAreCheckedAgainstTheView) {
    Variables globals;
    globals.set("GLO:PrDt", std::int64_t(100));
    Variables variables(&globals);
    variables.set("LOC:Nothing", Value());
    const BadText cases[] = {
        {"SAS:Nera = 1", 0, "nežinomas laukas ar kintamasis „SAS:Nera“"},
        {"GLO:Nera", 0, "nežinomas laukas ar kintamasis „GLO:Nera“"},
        {"SAS:IrasoDt >= GLO:PrDt AND KMB:KambarioID = 1", 28,
         "laukas „KMB:KambarioID“ nepasiekiamas iš lentelės „Saskait“"},
        {"SAS1:IrasoNr = 1", 0, "nepasiekiamas"},
        {"SAS:Gyventojas = 5", 15, "negalima lyginti teksto su skaičiumi"},
        {"GLO:PrDt = 'x'", 9, "negalima lyginti teksto su skaičiumi"},
        {"UPPER(SAS:IrasoNr) = 'x'", 0, "UPPER() taikoma tik tekstui"},
        {"LOC:Nothing", 0, "kintamasis „LOC:Nothing“ neturi reikšmės"},
        {"KLI:REKV1", 0, "yra laukų grupė"},
    };
    for (const auto& c : cases) {
        const auto filter = parseFilter(c.text);
        ASSERT_TRUE(filter) << c.text;
        const auto query = SqlQuery::build(ViewTables(tableNamed("Saskait")), Order{}, *filter, variables);
        ASSERT_FALSE(query) << c.text;
        EXPECT_EQ(query.error.position, c.position) << c.text;
        EXPECT_NE(query.error.message.find(c.says), std::string::npos) << query.error.message;
    }
    // Names are found whatever their letter case; the outer scope is seen through the inner one.
    EXPECT_TRUE(SqlQuery::build(ViewTables(tableNamed("Saskait")), Order{},
                                *parseFilter("sas:irasodt >= glo:prdt"), variables));
}

TEST(OrderTest, ReadsDirectionsAndUpperCase) {
    const auto order = parseOrder(" +UPPER( KMB:KambarioTipas ) , -KMB:KambarioAukstas,KMB:KambarioID ");
    ASSERT_TRUE(order) << order.error.message;
    ASSERT_EQ(order->components.size(), 3u);
    EXPECT_EQ(order->components[0].name, "KMB:KambarioTipas");
    EXPECT_EQ(order->components[0].text, TextOrder::NoCase);
    EXPECT_FALSE(order->components[0].descending);
    EXPECT_TRUE(order->components[1].descending);
    EXPECT_EQ(order->components[2].text, TextOrder::Auto);
    EXPECT_TRUE(parseOrder("") && parseOrder("")->components.empty());
}

TEST(OrderTest, ErrorsSayWhere) {
    const BadText cases[] = {
        {"+", 1, "laukiama lauko vardo, rasta išraiškos pabaiga"},
        {"UPPER(SAS:Gyventojas", 20, "laukiama „)“"},
        {"SAS:IrasoDt SAS:IrasoNr", 12, "laukiama kablelio arba išraiškos pabaigos"},
        {"SAS:IrasoDt,", 12, "laukiama lauko vardo"},
        {"UPPER SAS:IrasoDt", 6, "laukiama „(“ po UPPER"},
        {"'SAS:IrasoDt'", 0, "laukiama lauko vardo"},
    };
    for (const auto& c : cases) {
        const auto order = parseOrder(c.text);
        ASSERT_FALSE(order) << c.text;
        EXPECT_EQ(order.error.position, c.position) << c.text;
        EXPECT_NE(order.error.message.find(c.says), std::string::npos) << order.error.message;
        EXPECT_EQ(order.error.message.find("Rikiavimo klaida"), 0u) << order.error.message;
    }
    const BadText unbound[] = {
        {"+UPPER(SAS:IrasoNr)", 0, "UPPER() taikoma tik tekstui"},
        {"SAS:IrasoNr,-SAS:Nera", 12, "nežinomas laukas ar kintamasis „SAS:Nera“"},
        {"KLI:REKV1", 0, "yra laukų grupė"},
        {"KMB:KambarioID", 0, "nepasiekiamas"},
    };
    for (const auto& c : unbound) {
        ViewTables tables(tableNamed("Saskait"));
        const auto bound = bindOrder(*parseOrder(c.text), tables);
        ASSERT_FALSE(bound) << c.text;
        EXPECT_EQ(bound.error.position, c.position) << c.text;
        EXPECT_NE(bound.error.message.find(c.says), std::string::npos) << bound.error.message;
    }
}

// A plain text component compares as the key the order follows: only the services' name key is
// case-sensitive, and only where the order follows it.
TEST(OrderTest, PlainTextFollowsTheKeysCollation) {
    struct OrderCase {
        const char* table;
        const char* order;
        TextOrder text;
    };
    const OrderCase cases[] = {
        {"Paslaug", "+PAS:Pav", TextOrder::Case},
        {"Paslaug", "PAS:PaslGrpNr,PAS:Pav", TextOrder::NoCase},
        {"Saskait", "SAS:GyventojoValstybe,SAS:IrasoNr", TextOrder::NoCase},
        {"Saskait", "SAS:KAMBARIAI", TextOrder::NoCase},
        {"Saskeil", "SEI:PasPav", TextOrder::NoCase},
        {"Saskeil", "PAS:Pav", TextOrder::Case},
    };
    for (const auto& c : cases) {
        ViewTables tables(tableNamed(c.table));
        const auto bound = bindOrder(*parseOrder(c.order), tables);
        ASSERT_TRUE(bound) << bound.error.message;
        const auto text =
            std::find_if(bound->begin(), bound->end(), [&](const BoundOrderComponent& component) {
                return tables.tables()[component.view].table->fields[component.field].type ==
                       FieldType::String;
            });
        EXPECT_EQ(text->text, c.text) << c.order;
    }
}

TEST(ViewTablesTest, JoinsParentsAlongTheRelations) {
    ViewTables tables(tableNamed("Seilgraf"));
    const int registration = tables.join(tableNamed("Saskait"));
    ASSERT_EQ(registration, 2); // through the invoice line
    EXPECT_EQ(tables.tables()[1].table->name, "Saskeil");
    EXPECT_EQ(tables.tables()[registration].child, 1);
    EXPECT_EQ(tables.join(tableNamed("Saskeil")), 1);
    EXPECT_EQ(tables.join(tableNamed("Kamb")), -1);          // no relation leads there
    EXPECT_EQ(tables.join(tableNamed("Saskait"), true), -1); // already there under its main buffer
    ViewTables rooms(tableNamed("SaskKmb"), true);
    EXPECT_EQ(rooms.join(tableNamed("Saskait"), true), 1);
    EXPECT_EQ(rooms.join(tableNamed("SaskKmb"), false), -1);
}

TEST(VariablesTest, NamesIgnoreLetterCaseAndInnerScopesHideOuterOnes) {
    Variables globals;
    globals.set("GLO:PrDt", std::int64_t(1));
    globals.set("GLO:Grupe", std::string("A"));
    Variables procedure(&globals);
    procedure.set("glo:grupe", std::string("B"));
    procedure.set("Report:Save::SAS:SaskDt", std::int64_t(3));
    EXPECT_EQ(*procedure.find("GLO:PRDT"), Value(std::int64_t(1)));
    EXPECT_EQ(*procedure.find("GLO:Grupe"), Value(std::string("B")));
    EXPECT_EQ(*globals.find("GLO:Grupe"), Value(std::string("A")));
    EXPECT_EQ(*procedure.find("report:save::sas:saskdt"), Value(std::int64_t(3)));
    procedure.remove("GLO:GRUPE");
    EXPECT_EQ(*procedure.find("GLO:Grupe"), Value(std::string("A")));
    EXPECT_EQ(procedure.find("LOC:Nera"), nullptr);
}

} // namespace
} // namespace nakva
