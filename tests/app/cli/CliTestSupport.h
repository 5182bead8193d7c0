#pragma once

#include "cli/CliCommands.h"
#include "data/StoreTestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace nakva::testing {

// nakva-cli's commands run on the test's own folder, as the administrator types them.
class CliTest : public StoreTest {
protected:
    // Runs a command line on the test's folder; what it writes to standard output lands in `out`,
    // its messages in `messages` (cleared first).
    int cli(std::vector<std::string> words) {
        words.push_back("--dir");
        words.push_back(folder.path().string());
        out.str({});
        messages.clear();
        return runCli(words, out);
    }

    std::ostringstream out;
};

} // namespace nakva::testing
