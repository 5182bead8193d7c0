#include "shell/StartUp.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "shell/Globals.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace nakva {
namespace {

class StartUpTest : public testing::Test {
protected:
    StartUpTest() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nakva-startup-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    ~StartUpTest() override { std::filesystem::remove_all(folder); }

    std::int64_t settingsRecords() {
        Database database(folder);
        Context context(database);
        Table& settings = context.table(IST::table);
        settings.open();
        std::int64_t count = -1;
        EXPECT_EQ(settings.recordCount(count), StoreStatus::Ok);
        settings.close();
        return count;
    }

    std::filesystem::path folder;
    ScriptedMessages messages;
    ScopedMessageSink sink{messages};
};

TEST_F(StartUpTest, FirstStartCreatesTheSettingsWithOneBlankRecord) {
    glo().EINDT = NoDate;
    {
        Database database(folder);
        Context context(database);
        prepareProgramRun(context);
        EXPECT_EQ(glo().EINDT, today());
        EXPECT_EQ(institutionName(context), "");
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "DATA" / "IstgPar.tps"));
    EXPECT_EQ(settingsRecords(), 1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{});
}

TEST_F(StartUpTest, LaterStartsReadTheRecordAndAddNone) {
    {
        Database database(folder);
        Context context(database);
        prepareProgramRun(context);
        Table& settings = context.table(IST::table);
        ASSERT_TRUE(settings.record().set(IST::ISTAIGA, "UAB „Pajūrio svečių namai“").ok());
        ASSERT_EQ(settings.put(), StoreStatus::Ok);
    }
    for (int start = 0; start < 2; ++start) {
        Database database(folder);
        Context context(database);
        prepareProgramRun(context);
        EXPECT_EQ(institutionName(context), "UAB „Pajūrio svečių namai“");
    }
    EXPECT_EQ(settingsRecords(), 1);
}

} // namespace
} // namespace nakva
