// nakva-cli backup and restore: their command lines, output and exit codes.
#include "CliTestSupport.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"

namespace nakva {
namespace {

using BackupCommandsTest = testing::CliTest;

TEST_F(BackupCommandsTest, BackUpKeepAndRestore) {
    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Lietuva"}});
    const std::string to = (folder.path() / "kitas diskas").string();
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(cli({"backup", "--to", to, "--keep", "1"}), ExitOk) << messages.texts().at(0);
    }
    const std::vector<std::filesystem::path> kept = listBackups(to);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(out.str(), kept.front().string() + "\n");

    addRecord(TableId::Valstyb, {{"VAL:Valstybe", "Latvija"}});
    {
        const FolderUse station(database, FolderUse::Kind::Shared);
        EXPECT_EQ(cli({"restore", kept.front().string()}), ExitFailed);
        ASSERT_EQ(messages.texts().size(), 1u);
        EXPECT_TRUE(messages.texts()[0].starts_with("Duomenys neatkurti: duomenis dabar naudoja"))
            << messages.texts()[0];
    }
    EXPECT_EQ(cli({"restore", kept.front().string()}), ExitOk);
    EXPECT_EQ(storedColumn(TableId::Valstyb, "VAL:Valstybe"), std::vector<std::string>{"Lietuva"});
}

TEST_F(BackupCommandsTest, WrongCommandLines) {
    const std::vector<std::string> lines[] = {
        {"backup", "--keep", "0"},
        {"backup", "--keep", "du"},
        {"backup", "vienas"},
        {"restore"},
    };
    for (const auto& line : lines) {
        EXPECT_EQ(cli(line), ExitUsage) << line.front() << " " << (line.size() > 1 ? line[1] : "");
    }
}

// Every command marks the folder used while it runs, and none runs while a restore holds it.
TEST_F(BackupCommandsTest, NoCommandWhileARestoreHoldsTheFolder) {
    EXPECT_EQ(cli({"init"}), ExitOk);
    const FolderUse restore(database, FolderUse::Kind::Exclusive);
    ASSERT_TRUE(restore.acquired());
    EXPECT_EQ(cli({"count", "Valstyb"}), ExitFailed);
    EXPECT_EQ(messages.texts().at(0), "Duomenys dabar atkuriami iš atsarginės kopijos: pabandykite vėliau.");
}

} // namespace
} // namespace nakva
