#include "messages/Message.h"
#include "messages/ScopedMessageSink.h"
#include "messages/ScriptedMessages.h"
#include "messages/StreamMessageSink.h"

#include <gtest/gtest.h>

#include <sstream>

namespace nakva {
namespace {

MessageRequest question(std::string text, unsigned buttons, int defaultButton) {
    MessageRequest request;
    request.text = std::move(text);
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return request;
}

TEST(MessageSinks, WithoutASinkTheDefaultButtonAnswers) {
    EXPECT_EQ(showMessage(question("Ar tęsti?", ButtonYes | ButtonNo | ButtonCancel, ButtonNo)), ButtonNo);
}

TEST(MessageSinks, ScopedSinksNestAndRestore) {
    ScriptedMessages outer;
    ScriptedMessages inner;
    {
        ScopedMessageSink outerGuard(outer);
        {
            ScopedMessageSink innerGuard(inner);
            showMessage(question("vidinis", 0, 0));
        }
        showMessage(question("išorinis", 0, 0));
    }
    showMessage(question("niekam", 0, 0));
    EXPECT_EQ(inner.texts(), std::vector<std::string>{"vidinis"});
    EXPECT_EQ(outer.texts(), std::vector<std::string>{"išorinis"});
}

TEST(MessageSinks, ScriptAnswersInOrderThenDefaults) {
    ScriptedMessages messages;
    ScopedMessageSink guard(messages);
    messages.answerNext(ButtonCancel);
    messages.answerNext(2);
    EXPECT_EQ(showMessage(question("a", ButtonOk | ButtonCancel, ButtonOk)), ButtonCancel);
    MessageRequest captions = question("b", 0, 3);
    captions.captions = "Vienas|Du|Trys";
    EXPECT_EQ(showMessage(captions), 2);
    EXPECT_EQ(showMessage(captions), 3);
    EXPECT_EQ(messages.answers(), (std::vector<int>{ButtonCancel, 2, 3}));
    EXPECT_EQ(messages.pendingAnswers(), 0u);
}

TEST(MessageSinks, StreamWritesTitleRowsAndTheAnswerTaken) {
    std::ostringstream out;
    StreamMessageSink sink(out);
    MessageRequest request =
        question("Ar išsaugoti pakeitimus?|Antra eilutė", ButtonYes | ButtonNo, ButtonNo);
    request.title = "Atnaujinimas nutraukiamas";
    EXPECT_EQ(sink.show(request), ButtonNo);
    EXPECT_EQ(sink.show(question("Įrašas išsaugotas.", 0, 0)), ButtonOk);
    EXPECT_EQ(out.str(), "Atnaujinimas nutraukiamas: Ar išsaugoti pakeitimus?\n"
                         "  Antra eilutė\n"
                         "  Atsakymas: Ne\n"
                         "Pranešimas: Įrašas išsaugotas.\n");
}

// A command line has no OK button to press: the windows' instruction to press it is left out.
TEST(StreamMessageSinkTest, LeavesOutTheInstructionToPressOk) {
    std::ostringstream out;
    StreamMessageSink sink(out);
    sink.show(
        question("Klaida: (Failas sugadintas (26)) faile DATA/Kamb.tps.  Paspauskite GERAI ir užbaikite "
                 "programą.",
                 0, 0));
    sink.show(
        question("Šios procedūros pagalba negalima sukurti įrašo. Paspauskite GERAI ir grįžkite į prieš tai "
                 "buvusią procedūrą",
                 0, 0));
    EXPECT_EQ(out.str(), "Pranešimas: Klaida: (Failas sugadintas (26)) faile DATA/Kamb.tps.\n"
                         "Pranešimas: Šios procedūros pagalba negalima sukurti įrašo.\n");
}

} // namespace
} // namespace nakva
