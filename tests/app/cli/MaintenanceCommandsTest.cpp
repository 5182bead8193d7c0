// nakva-cli remove-old and anonymise: the same processes and the same code check as the program's.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

class MaintenanceCommandsTest : public testing::CliTest {
protected:
    void SetUp() override {
        addRecord(TableId::Klient, {{"KLI:Kod", "B"}});
        addRecord(TableId::Klient, {{"KLI:Kod", "A"}});
        addRecord(
            TableId::Saskait,
            {{"SAS:IrasoNr", "1"}, {"SAS:IrasoDt", "2020-05-01"}, {"SAS:Isvykes", "1"}, {"SAS:KliKod", "B"}});
        addRecord(
            TableId::Saskait,
            {{"SAS:IrasoNr", "2"}, {"SAS:IrasoDt", "2020-05-02"}, {"SAS:Isvykes", "1"}, {"SAS:KliKod", "A"}});
        addRecord(TableId::Saskait,
                  {{"SAS:IrasoNr", "3"}, {"SAS:IrasoDt", "2020-05-01"}, {"SAS:KliKod", "A"}});
    }
    std::vector<std::string> registrations() { return storedColumn(TableId::Saskait, "SAS:IrasoNr"); }
};

TEST_F(MaintenanceCommandsTest, RemoveOldNeedsTheCodeAndAGoodDate) {
    struct Case {
        std::vector<std::string> words;
        int exit;
        std::string message;
    };
    const Case cases[] = {
        {{"remove-old", "--to", "2020-05-01"}, ExitFailed, "Neteisingas apsaugos kodas."},
        {{"remove-old", "--to", "2020-05-01", "--code", " KT7315"},
         ExitFailed,
         "Neteisingas apsaugos kodas."},
        {{"remove-old", "--to", "2020-13-01", "--code", "KT7315"},
         ExitUsage,
         "Parametro --to data netinka: "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cli(c.words), c.exit) << c.words.back();
        ASSERT_EQ(messages.shown().size(), 1u) << c.words.back();
        EXPECT_TRUE(messages.shown()[0].text.starts_with(c.message)) << messages.shown()[0].text;
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_EQ(registrations(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(MaintenanceCommandsTest, RemoveOldUpToTheDayInclusive) {
    EXPECT_EQ(cli({"remove-old", "--to", "2020-05-01", "--code", "molbertas "}), ExitOk);
    EXPECT_EQ(out.str(), "Baigta. Pašalinta įrašų:      1\n");
    EXPECT_EQ(registrations(), (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(cli({"remove-old", "--code", "kt7315"}), ExitOk) << "up to the end of last year";
    EXPECT_EQ(out.str(), "Baigta. Pašalinta įrašų:      1\n");
    EXPECT_EQ(registrations(), std::vector<std::string>{"3"}) << "a stay never closed stays";
}

// Anonymisation asks for the removal's code as well: a script started by mistake changes nothing.
TEST_F(MaintenanceCommandsTest, AnonymiseNeedsTheCodeAndSaysHowManyPayers) {
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"anonymise"}, std::vector<std::string>{"anonymise", "--code", "KT731"}}) {
        EXPECT_EQ(cli(words), ExitFailed) << words.size();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, "Neteisingas apsaugos kodas.");
        EXPECT_TRUE(out.str().empty());
        EXPECT_EQ(storedColumn(TableId::Klient, "KLI:Kod"), (std::vector<std::string>{"A", "B"}));
    }
    EXPECT_EQ(cli({"anonymise", "--code", "Molbertas"}), ExitOk);
    EXPECT_EQ(out.str(), "Baigta. Nuasmeninta mokėtojų: 2\n");
    EXPECT_EQ(storedColumn(TableId::Klient, "KLI:Kod"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(storedColumn(TableId::Saskait, "SAS:KliKod"), (std::vector<std::string>{"2", "1", "1"}));
}

} // namespace
} // namespace nakva
