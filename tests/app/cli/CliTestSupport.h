#pragma once

#include "cli/CliCommands.h"
#include "data/StoreTestSupport.h"

#include <sstream>
#include <string>
#include <unistd.h>
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

// nakva-cli itself in a process of its own: another station, or a command started from cron. Its
// standard output and error go to /dev/null unless `log` names a file to append them to. Gives its
// process id; waitHelper() reaps it and gives its exit code.
inline int startCli(const std::vector<std::string>& words, const std::string& log = "/dev/null") {
    std::string program = NAKVA_CLI;
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (FILE* output = std::fopen(log.c_str(), "a")) {
            dup2(fileno(output), STDOUT_FILENO);
            dup2(fileno(output), STDERR_FILENO);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

} // namespace nakva::testing
