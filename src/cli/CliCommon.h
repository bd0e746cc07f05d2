#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvel::cli {

// Wrong words on the command line: "tarvel-cli: usage: <text>", exit code 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& usage) : std::runtime_error(usage) {}
};

// A command that could not be done: "tarvel-cli: <what>: <reason>", exit code 1.
class CommandError : public std::runtime_error {
public:
    CommandError(std::string what, const std::string& reason)
        : std::runtime_error(reason), mWhat(std::move(what)) {}
    const std::string& what_part() const { return mWhat; }

private:
    std::string mWhat;
};

// The words after the subcommand, with "--name value" options taken out.
class Arguments {
public:
    Arguments(std::vector<std::string> words, const std::string& usage);
    // Removes "--name VALUE" and returns VALUE, or the fallback when absent.
    std::string takeOption(const std::string& name, const std::string& fallback = {});
    bool hasOption(const std::string& name) const;
    // Removes a flag without a value ("--raw") and tells whether it was there.
    bool takeFlag(const std::string& name);
    // The remaining words must be exactly count positional words (no leftover options).
    std::vector<std::string> positional(size_t count);
    // At least min positional words.
    std::vector<std::string> positionalAtLeast(size_t min);
    const std::string& usage() const { return mUsage; }

private:
    std::vector<std::string> mWords;
    std::string mUsage;
};

struct Command {
    const char* name;
    const char* usage;
    // Returns the exit code; raises UsageError or CommandError.
    int (*run)(Arguments& args);
};

// Every subcommand, in name order. A subcommand's file registers it with a static
// RegisterCommand object, so adding one touches no other file.
const std::vector<const Command*>& Commands();
struct RegisterCommand {
    explicit RegisterCommand(const Command& command);
};

} // namespace tarvel::cli
