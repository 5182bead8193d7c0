// The payers list and form on the common engines, on real files; the user's part of a form call is a
// script.
#include "data/StoreTestSupport.h"

#include "data/Table.h"
#include "reference/Payers.h"
#include "support/AnswerAtOnce.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nakva {
namespace {

class PayersTest : public testing::StoreTest {
protected:
    Context context{database};

    void addPayer(const std::string& code, const std::string& name = {}) {
        Context other(database);
        Table& payers = other.table(TableId::Klient);
        payers.open();
        payers.clear();
        payers.record().set(KLI::Kod, code);
        payers.record().set(KLI::PAV, name);
        payers.record().set(KLI::ATS, "Jonas");
        ASSERT_EQ(payers.add(), StoreStatus::Ok);
        payers.close();
    }

    // A registration (or a payment) naming a payer.
    void addChild(TableId table, const std::string& code) {
        Context other(database);
        Table& child = other.table(table);
        child.open();
        child.clear();
        const bool registration = table == TableId::Saskait;
        ASSERT_TRUE(child.record()
                        .setText(registration ? "SAS:IrasoNr" : "MOK:IrasoNr", std::to_string(nextNumber++))
                        .ok());
        ASSERT_TRUE(child.record().setText(registration ? "SAS:KliKod" : "MOK:MokKod", code).ok());
        ASSERT_EQ(child.add(), StoreStatus::Ok);
        child.close();
    }

    std::vector<std::string> values(TableId table, std::string_view field) {
        Context other(database);
        Table& each = other.table(table);
        each.open();
        std::vector<std::string> found;
        each.setToKeyStart(each.def().identityKey);
        while (each.next() == StoreStatus::Ok) {
            found.push_back(each.record().text(field));
        }
        each.close();
        return found;
    }

    std::unique_ptr<ListEngine> openList(FormCall form = {}) {
        ListConfig config = SarKlient();
        config.form = std::move(form);
        auto list = std::make_unique<ListEngine>(config, context);
        list->setPageSize(8);
        list->open();
        return list;
    }

    // The payer form as the list calls it, the user typing `items` and saving.
    static FormCall typingAndSaving(std::vector<std::pair<int, std::string>> items) {
        return nakva::testing::formAnsweringAtOnce([items](Context& on, Request request) {
            FormEngine form(UpdateKlient(), on, {});
            if (!form.open(request)) {
                return form.result();
            }
            for (const auto& [item, text] : items) {
                EXPECT_TRUE(form.setItemText(item, text));
            }
            form.save();
            if (!form.finished()) {
                EXPECT_TRUE(form.cancel());
            }
            return form.result();
        });
    }

    static std::string current(const ListEngine& list) {
        return list.rows().at(std::size_t(list.currentRow() - 1)).cells.at(0);
    }

    void copy(ListEngine& list, const std::string& code) {
        list.locate(code);
        ASSERT_EQ(current(list), code);
        list.copyCurrent(copyKlient, false);
    }

    int nextNumber = 1;
};

TEST_F(PayersTest, CopyingAPayerTwiceFailsAsADuplicateAndTheCopyCopiesOnwards) {
    addPayer("A", "UAB Alfa");
    addPayer("B");
    auto list = openList();

    copy(*list, "A");
    EXPECT_EQ(current(*list), "A~"); // the list stands on the copy
    EXPECT_TRUE(messages.texts().empty());

    copy(*list, "A");
    ASSERT_EQ(messages.texts(),
              std::vector<std::string>{"Įrašas su tokiais raktiniais laukais jau egzistuoja. "
                                       "Indeksas:Klient (kartojasi reikšmė A~)"});
    EXPECT_EQ(messages.shown()[0].title, "Klaida-dubliuotas indeksas");
    EXPECT_EQ(current(*list), "A");

    copy(*list, "A~");
    EXPECT_EQ(current(*list), "A~~");
    EXPECT_EQ(values(TableId::Klient, "KLI:Kod"), (std::vector<std::string>{"A", "A~", "A~~", "B"}));
    // Every other field comes along.
    EXPECT_EQ(values(TableId::Klient, "KLI:PAV"),
              (std::vector<std::string>{"UAB Alfa", "UAB Alfa", "UAB Alfa", ""}));
    EXPECT_EQ(values(TableId::Klient, "KLI:ATS"), (std::vector<std::string>(4, "Jonas")));
}

TEST_F(PayersTest, ACodeOfTwentyCharactersCannotTakeTheTilde) {
    const std::string full = "ABCDEFGHIJKLMNOPQRST";
    addPayer(full);
    auto list = openList();
    copy(*list, full);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"Įrašas su tokiais raktiniais laukais jau egzistuoja. "
                                       "Indeksas:Klient (kartojasi reikšmė " +
                                       full + ")"});
    EXPECT_EQ(values(TableId::Klient, "KLI:Kod"), std::vector<std::string>{full});
    EXPECT_EQ(current(*list), full);
}

TEST_F(PayersTest, ACodeTakenIgnoringLetterCaseIsRefusedByCodeAndTheFormStaysOpen) {
    addPayer("UAB");
    bool stayedOpen = false;
    auto list = openList(nakva::testing::formAnsweringAtOnce([&stayedOpen](Context& on, Request request) {
        FormEngine form(UpdateKlient(), on, {});
        form.open(request);
        EXPECT_TRUE(form.setItemText(0, "uab"));
        form.save();
        stayedOpen = !form.finished();
        form.cancel();
        return form.result();
    }));
    list->press(ListAction::Insert);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(
        messages.texts(),
        std::vector<std::string>{"Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:Pagal kodą"});
    EXPECT_EQ(values(TableId::Klient, "KLI:Kod"), std::vector<std::string>{"UAB"});
}

// Registrations and payments without a payer hold a blank code: a blank payer would be theirs.
TEST_F(PayersTest, APayerWithoutACodeIsNotSaved) {
    auto list = openList(typingAndSaving({{1, "Be kodo"}}));
    list->press(ListAction::Insert);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Neužpildytas laukas");
    EXPECT_TRUE(values(TableId::Klient, "KLI:Kod").empty());
}

TEST_F(PayersTest, DeleteIsRefusedWhileARegistrationOrAPaymentNamesThePayer) {
    struct Case {
        TableId child;
        std::string message;
    };
    const Case cases[] = {
        {TableId::Saskait, "Šis įrašas susietas su failu Saskait.  Įrašo negalima išmesti kol egzistuoja šis "
                           "ryšys tarp failų."},
        {TableId::Mokej,
         "Šis įrašas susietas su failu Mokej.  Įrašo negalima išmesti kol egzistuoja šis ryšys "
         "tarp failų."},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.message);
        const std::string code = "P" + std::to_string(nextNumber);
        addPayer(code);
        addChild(each.child, code);
        addChild(each.child, "p" + std::to_string(nextNumber)); // another case: not this payer's
        messages.clear();
        messages.answerNext(ButtonOk); // the delete confirmed
        auto list = openList(nakva::testing::formAnsweringAtOnce([](Context& on, Request request) {
            FormEngine form(UpdateKlient(), on, {});
            form.open(request);
            return form.result();
        }));
        list->locate(code);
        list->press(ListAction::Delete);
        ASSERT_GE(messages.texts().size(), 2u);
        EXPECT_EQ(messages.texts()[1], each.message);
        EXPECT_EQ(values(TableId::Klient, "KLI:Kod").back(), code);
    }
}

TEST_F(PayersTest, AChangedCodeIsCarriedIntoItsRegistrationsAndPaymentsOnly) {
    addPayer("UAB");
    addChild(TableId::Saskait, "UAB");
    addChild(TableId::Saskait, "uab");
    addChild(TableId::Mokej, "UAB");
    addChild(TableId::Mokej, "Kitas");
    auto list = openList(typingAndSaving({{0, "UAB Naujas"}}));
    list->press(ListAction::Change);

    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(values(TableId::Klient, "KLI:Kod"), std::vector<std::string>{"UAB Naujas"});
    EXPECT_EQ(values(TableId::Saskait, "SAS:KliKod"), (std::vector<std::string>{"UAB Naujas", "uab"}));
    EXPECT_EQ(values(TableId::Mokej, "MOK:MokKod"), (std::vector<std::string>{"UAB Naujas", "Kitas"}));
    EXPECT_EQ(current(*list), "UAB Naujas");
}

} // namespace
} // namespace nakva
