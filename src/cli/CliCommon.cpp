#include "CliCommon.h"

#include <algorithm>

namespace tarvel::cli {

namespace {
std::vector<const Command*>& registry() {
    static std::vector<const Command*> commands;
    return commands;
}
} // namespace

const std::vector<const Command*>& Commands() {
    return registry();
}

RegisterCommand::RegisterCommand(const Command& command) {
    auto& commands = registry();
    auto at = std::find_if(commands.begin(), commands.end(),
                           [&](const Command* c) { return std::string(c->name) > command.name; });
    commands.insert(at, &command);
}

Arguments::Arguments(std::vector<std::string> words, const std::string& usage)
    : mWords(std::move(words)), mUsage(usage) {}

std::string Arguments::takeOption(const std::string& name, const std::string& fallback) {
    auto it = std::find(mWords.begin(), mWords.end(), name);
    if (it == mWords.end()) return fallback;
    if (it + 1 == mWords.end()) throw UsageError(mUsage);
    std::string value = *(it + 1);
    mWords.erase(it, it + 2);
    return value;
}

bool Arguments::hasOption(const std::string& name) const {
    return std::find(mWords.begin(), mWords.end(), name) != mWords.end();
}

bool Arguments::takeFlag(const std::string& name) {
    auto it = std::find(mWords.begin(), mWords.end(), name);
    if (it == mWords.end()) return false;
    mWords.erase(it);
    return true;
}

std::vector<std::string> Arguments::positionalAtLeast(size_t min) {
    for (const auto& w : mWords)
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) throw UsageError(mUsage);
    if (mWords.size() < min) throw UsageError(mUsage);
    return mWords;
}

std::vector<std::string> Arguments::positional(size_t count) {
    auto words = positionalAtLeast(count);
    if (words.size() != count) throw UsageError(mUsage);
    return words;
}

} // namespace tarvel::cli
