#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nakva {

// The words of a nakva-cli command line after the program's name: the command, its operands and its
// options. Options take their value as the next word or after '=' ("--order X", "--order=X");
// "--help" (or "-h") takes none, nor does "--yes", which is an option given with an empty value.
class CommandLine {
public:
    // nullopt and a Lithuanian text for an option that is unknown or lacks its value.
    static std::optional<CommandLine> parse(std::span<const std::string> words, std::string& error);

    const std::string& command() const { return command_; }
    const std::vector<std::string>& operands() const { return operands_; }
    bool help() const { return help_; }
    // The value the option was given last; nullopt when it was not given.
    std::optional<std::string> option(std::string_view name) const;
    // Every value given to a repeatable option, in order (--set).
    std::vector<std::string> options(std::string_view name) const;
    // The name of the first option given that is not among `allowed`; empty when there is none.
    std::string optionOutside(std::span<const std::string_view> allowed) const;

private:
    std::string command_;
    std::vector<std::string> operands_;
    std::vector<std::pair<std::string, std::string>> options_;
    bool help_ = false;
};

} // namespace nakva
