#pragma once

#include "maintenance/BatchProcess.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class Record;

// "Nuasmeninti duomenis": every payer gets the code K, the text of its ordinal in the code order
// found at the start ("1", "2", …), and placeholder particulars built from K; the registrations and
// payments that name the payer follow its code.
//
// The payers are taken at the start, codes in key order, and each is visited exactly once however
// the codes move. The run goes in two passes: first every payer moves to a temporary code that no
// payer, registration or payment holds ("~1", …), then each moves on to its final code with its
// particulars replaced, so that no new code ever meets an old one still waiting its turn (a second
// run over "1", "10", "2", …). Every move is one guarded change of the payer, which carries the code
// into its registrations and payments in the same transaction, those spelling the code in another
// letter case included. A write that fails is reported and stops the run; a payer is never left
// with its registrations moved and itself not. "Nutraukti" during the first pass moves the payers
// back to their own codes: nothing is changed then. The second pass is not stopped half-way.
// Its closing word: "Baigta. Nuasmeninta mokėtojų: 3", and the payers left, when any, on a line of its own.
std::string anonymisationDoneText(std::int64_t anonymised, std::int64_t skipped);

class PayerAnonymisation : public BatchProcess {
public:
    explicit PayerAnonymisation(Context& context);
    ~PayerAnonymisation() override;

    // The payers given their final code and texts, and those left because another station had changed
    // their code or removed them meanwhile.
    std::int64_t anonymised() const { return anonymised_; }
    std::int64_t skipped() const { return skipped_; }

    std::string_view userText() const override { return "Nuasmeninu klientus"; }
    bool start() override;
    // Each payer counts twice: its move to the temporary code and its move to the final one.
    std::int64_t total() const override { return std::int64_t(payers_.size()) * 2; }
    Step step() override;
    bool cancellable() const override { return pass_ == Pass::Temporary; }
    void cancel() override;

    // The particulars of a payer whose new code is `code`, each cut to its field's width.
    static void anonymise(Record& payer, std::string_view code);

private:
    struct Payer {
        std::string code;      // as found at the start
        std::string temporary; // the code it waits under between the passes
        bool moved = false;    // now under its temporary code
    };
    enum class Pass { Temporary, Final, Back };
    enum class Move { Done, Skipped, Failed };

    // Moves the payer now holding `from` (exactly) to `to`, anonymising it when asked.
    Move move(const std::string& from, const std::string& to, bool anonymiseIt);
    bool chooseTemporaryCodes();

    Context& context_;
    bool opened_ = false;
    std::vector<Payer> payers_;
    Pass pass_ = Pass::Temporary;
    std::size_t next_ = 0;
    std::int64_t anonymised_ = 0;
    std::int64_t skipped_ = 0;
};

} // namespace nakva
