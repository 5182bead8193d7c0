#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nakva {
namespace {

namespace fs = std::filesystem;

// nakva-cli isaf on a folder with the institution, one payer and one invoice of December 2026.
class IsafCommandTest : public testing::CliTest {
protected:
    void SetUp() override {
        addRecord(IST::table, {{"IST:ISTAIGA", "UAB „Žuvėdra“"},
                               {"IST:ISTG1", "Įm. k. 302345678, PVM k. LT100004567890"}});
        addRecord(KLI::table, {{"KLI:Kod", "UAB1"}, {"KLI:PAV", "UAB „Šiaurės vėjas“"}});
        addInvoice(1, 101, "21");
    }

    void addInvoice(int registration, int number, const char* rate) {
        addRecord(SAS::table, {{"SAS:IrasoNr", std::to_string(registration)},
                               {"SAS:SaskSer", "AB"},
                               {"SAS:SaskNr", std::to_string(number)},
                               {"SAS:SaskDt", "2026-12-03"},
                               {"SAS:KliKod", "UAB1"}});
        addRecord(SEI::table, {{"SEI:SEILID", std::to_string(registration)},
                               {"SEI:IrasoNr", std::to_string(registration)},
                               {"SEI:PasPav", "Pusryčiai"},
                               {"SEI:SUMA", "12.10"},
                               {"SEI:PVMPROC", rate},
                               {"SEI:PVMSUMA", "2.10"},
                               {"SEI:SUMABEPVM", "10.00"}});
    }

    std::string message() const {
        const auto texts = messages.texts();
        return texts.empty() ? std::string() : texts.front();
    }

    fs::path file = folder.path() / "gruodis.xml";
};

TEST_F(IsafCommandTest, WritesThePeriodsRegisterAndSaysHowManyInvoicesItHolds) {
    EXPECT_EQ(cli({"isaf", "--from", "2026-12-01", "--to", "2026-12-31", "--out", file.string()}), ExitOk)
        << message();
    EXPECT_EQ(out.str(), file.string() + " (sąskaitų: 1)\n");
    EXPECT_TRUE(fs::exists(file));
    // The rates list was made with the rates in force, which gave 21 % its code.
    EXPECT_EQ(storedColumn(TableId::PvmTarif, "PVMT:Kodas"),
              (std::vector<std::string>{"PVM3", "PVM2", "PVM1"}));
}

TEST_F(IsafCommandTest, EveryProblemGoesToTheMessagesAndNothingIsWritten) {
    addInvoice(2, 102, "12");
    EXPECT_EQ(cli({"isaf", "--from", "2026-12-01", "--to", "2026-12-31", "--out", file.string()}),
              ExitFailed);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(message(),
              "i.SAF failas nesukurtas: rasta klaidų — 1. Ištaisykite jas ir sudarykite failą iš naujo.\n"
              "PVM tarifas 12 %: jam nėra i.SAF kodo sąraše „PVM tarifai ir i.SAF kodai“ (pirmoji sąskaita "
              "su juo — AB102 (2026-12-03))");
    EXPECT_EQ(messages.shown().front().title, "i.SAF išrašytų sąskaitų registras");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(IsafCommandTest, ThePeriodIsBothDatesOrNone) {
    EXPECT_EQ(cli({"isaf", "--from", "2026-12-01", "--out", file.string()}), ExitUsage);
    EXPECT_EQ(message(), "Nurodykite abi laikotarpio datas, --from ir --to (be jų — praėjęs mėnuo).");
    EXPECT_EQ(cli({"isaf", "--from", "2026-13-01", "--to", "2026-12-31"}), ExitUsage);
    EXPECT_TRUE(message().starts_with("Parametro --from data netinka")) << message();
    EXPECT_EQ(cli({"isaf", "--from", "2026-10-01", "--to", "2026-10-31", "--out", file.string()}),
              ExitFailed);
    EXPECT_EQ(
        message(),
        "Laikotarpiu 2026-10-01 – 2026-10-31 išrašytų PVM sąskaitų faktūrų nėra: i.SAF failas nesukurtas.");
}

} // namespace
} // namespace nakva
