#pragma once

#include "reports/FileSave.h"
#include "reports/Isaf.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace nakva {

class Context;
struct Globals;

// The register of issued invoices made into its file, as the menu item "i.SAF išrašytų sąskaitų
// registras" and `nakva-cli isaf` make it: the same steps and the same texts for both.
namespace isaf {

inline constexpr std::string_view Title = "i.SAF išrašytų sąskaitų registras";

// The period proposed when this program run has chosen none yet: the month before the working date's,
// the month a register is made for.
void proposeLastMonth(Globals& globals);

// "iSAF_<įmonės kodas>_<yyyy-mm>.xml" for the period beginning `from`; "iSAF_<yyyy-mm>.xml" while the
// seller's code is not known.
std::string defaultFileName(Context& context, Date from);

struct Outcome {
    enum class Kind {
        Written, // the file is there, whole
        Stopped, // problems: nothing written
        Nothing, // no invoice in the period: nothing written
        Failed,  // a file could not be read (its message was shown) or written (`saved` says why)
    };
    Kind kind = Kind::Failed;
    std::size_t invoices = 0;
    std::vector<Problem> problems;
    SaveResult saved;
};

// The rates list primed if it has no file yet, the register of the period composed and checked, and
// when nothing stops it, written to `file` whole or not at all (a file of that name is replaced).
// `now` is the moment it is made, seconds since the epoch.
Outcome exportRegister(Context& context, Date from, Date to, const std::filesystem::path& file,
                       std::int64_t now);

// What the user is told of an outcome other than Failed by a read: the file written and its invoices;
// every problem on a line of its own under the number of them (only the first `listed` when not 0, then
// how many more); that the period has no invoice; why the file could not be saved.
std::string outcomeText(const Outcome& outcome, Date from, Date to, const std::filesystem::path& file,
                        std::size_t listed = 0);

} // namespace isaf

} // namespace nakva
