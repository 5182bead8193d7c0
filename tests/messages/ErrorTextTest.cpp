#include "messages/ErrorText.h"
#include "messages/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

namespace nakva {
namespace {

class ErrorTextTest : public ::testing::Test {
protected:
    void TearDown() override {
        clearSavedErrorCondition();
        setLastOperationError({});
    }
};

TEST_F(ErrorTextTest, TextClippedThenNumberInParentheses) {
    setLastOperationError({33, "Record not found      "});
    EXPECT_EQ(errorText(), "Record not found (33)");
}

TEST_F(ErrorTextTest, SavedConditionWinsUntilCleared) {
    setLastOperationError({5, "Access denied"});
    saveErrorCondition();
    setLastOperationError({0, ""});
    EXPECT_EQ(errorText(), "Access denied (5)");
    clearSavedErrorCondition();
    EXPECT_EQ(errorText(), " (0)");
}

TEST_F(ErrorTextTest, EachThreadKeepsItsOwnConditions) {
    setLastOperationError({5, "Access denied"});
    saveErrorCondition();
    std::string seenElsewhere;
    std::thread([&] {
        setLastOperationError({90, "Locked"});
        seenElsewhere = errorText();
    }).join();
    EXPECT_EQ(seenElsewhere, "Locked (90)");
    EXPECT_EQ(errorText(), "Access denied (5)");
}

TEST_F(ErrorTextTest, RecordChangedByAnotherStationIsRecognisedByNumber) {
    EXPECT_TRUE(isRecordChangedByAnotherStation({kRecordChangedByAnotherStation, "whatever the store says"}));
    EXPECT_FALSE(isRecordChangedByAnotherStation({5, "Access denied"}));
}

// The failures a user meets with files are told in Lithuanian, never in the system's English.
TEST(SystemErrorText, SaysInLithuanianWhatWentWrong) {
    const struct {
        int error;
        const char* text;
    } cases[] = {
        {ENOSPC, "diske nebėra vietos"},
        {EACCES, "trūksta teisių"},
        {EROFS, "diskas tik skaitomas"},
        {EIO, "disko klaida (nepavyko skaityti ar rašyti)"},
        {ENOTDIR, "kelyje yra failas, o ne aplankas"},
        {ENOENT, "tokio failo ar aplanko nėra"},
        {12345, "sistemos klaida 12345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemErrorText(c.error), c.text) << c.error;
    }
}

} // namespace
} // namespace nakva
