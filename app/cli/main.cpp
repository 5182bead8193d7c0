#include "cli/CliCommands.h"
#include "shell/messages/StreamMessageSink.h"

#include <iostream>
#include <string>
#include <vector>

// nakva-cli: the administrator's companion to NAKVA's data files (nakva-cli --help).
int main(int argc, char** argv) {
    nakva::StreamMessageSink messages(std::cerr);
    nakva::setMessageSink(&messages);
    const std::vector<std::string> words(argv + 1, argv + argc);
    const int code = nakva::runCli(words, std::cout);
    nakva::setMessageSink(nullptr);
    return code;
}
