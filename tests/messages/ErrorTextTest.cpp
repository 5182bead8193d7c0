#include "messages/ErrorText.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace nakva
