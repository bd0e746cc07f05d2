#include "CommandLine.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "UnlhaError.h"

namespace tarvel::unlha {

namespace {

constexpr size_t kMaxResponseSize = 16u << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

[[noreturn]] void commandError(const std::string& message) {
    throw UnlhaError(UNLHA_ERROR_COMMAND_LINE, "Unlha: " + message);
}

// Words separated by blanks; double quotes group and are removed.
std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size()) break;
        std::string word;
        bool quoted = false;
        while (i < text.size() && (quoted || !isBlank(text[i]))) {
            if (text[i] == '"')
                quoted = !quoted;
            else
                word += text[i];
            ++i;
        }
        if (quoted) commandError("unterminated quote in the command line");
        words.push_back(word);
    }
    return words;
}

void applySwitch(const std::string& word, CommandLine& command) {
    const std::string s = lower(word.substr(1));
    if (s == "+" || s == "+0" || s == "+1" || s == "n" || s == "n0" || s == "n1" || s == "n2") return;
    if (s == "r0") {
        command.recursion = Recursion::None;
    } else if (s == "r" || s == "r1") {
        command.recursion = Recursion::Patterns;
    } else if (s == "r2") {
        command.recursion = Recursion::Folders;
    } else if (s == "d" || s == "d1") {
        command.storeFolders = true;
    } else if (s == "d0") {
        command.storeFolders = false;
    } else {
        commandError("unknown switch \"" + word + "\"");
    }
}

bool hasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

std::string trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace

std::string SplitSourceName(const std::string& name, std::vector<std::string>& parts) {
    parts.clear();
    if (name.empty()) return "empty name";
    if (name.find('\0') != std::string::npos || name.find('\xFF') != std::string::npos)
        return "holds a byte that cannot be archived";
    if (name.front() == '/' || name.front() == '\\') return "is not relative to its base folder";
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (part == "..") return "leaves its base folder";
        if (!part.empty() && part != ".") parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty()) return "names no file or folder";
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (hasWildcard(parts[i])) return "has a wildcard before its last part";
    return {};
}

CommandLine ParseCommandLine(const std::string& text) {
    std::vector<std::string> words = splitWords(text);
    if (words.empty()) commandError("no command given");
    if (lower(words[0]) != "a")
        commandError("unknown command \"" + words[0] + "\" (only \"a\", create an archive, is supported)");
    CommandLine command;
    bool haveArchive = false;
    std::vector<std::string> parts;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 1 && word[0] == '-') {
            applySwitch(word, command);
        } else if (!haveArchive) {
            if (word.empty() || word == "-") commandError("empty archive name");
            command.archive = word;
            haveArchive = true;
        } else if (word[0] == '@') {
            if (word.size() == 1) commandError("\"@\" without a response file name");
            command.responseFiles.push_back(word.substr(1));
        } else {
            std::string why = SplitSourceName(word, parts);
            if (!why.empty()) commandError("name \"" + word + "\" " + why);
            command.names.push_back(word);
        }
    }
    if (!haveArchive) commandError("no archive name given");
    if (command.responseFiles.empty() && command.names.empty())
        commandError("nothing to archive: no response file or names given");
    return command;
}

std::vector<SourceGroup> ParseResponseText(const std::string& text, const std::string& fileName) {
    std::vector<SourceGroup> groups;
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
    int lineNumber = 0;
    std::vector<std::string> parts;
    auto fail = [&](const std::string& why) {
        throw UnlhaError(UNLHA_ERROR_RESPONSE_FILE, "Unlha: response file \"" + fileName + "\", line " +
                                                        std::to_string(lineNumber) + ": " + why);
    };
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line.find('\0') != std::string::npos) fail("holds a zero byte");
        if (line[0] == '"') {
            if (line.size() < 2 || line.back() != '"') fail("unterminated quote");
            std::string base = line.substr(1, line.size() - 2);
            if (base.find('"') != std::string::npos) fail("a base folder line holds one quoted path only");
            if (base.empty()) fail("empty base folder");
            groups.push_back({base, {}});
            continue;
        }
        std::string why = SplitSourceName(line, parts);
        if (!why.empty()) fail("\"" + line + "\" " + why);
        if (groups.empty()) groups.push_back({});
        groups.back().names.push_back(line);
    }
    return groups;
}

std::string ReadResponseFile(const std::string& path) {
    auto fail = [&](const std::string& why) {
        throw UnlhaError(UNLHA_ERROR_RESPONSE_FILE,
                         "Unlha: cannot read response file \"" + path + "\": " + why);
    };
    // Non-blocking, so a pipe or device named by mistake is refused instead of waited on.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fail("not a regular file");
    }
    if (static_cast<uint64_t>(info.st_size) > kMaxResponseSize) {
        ::close(fd);
        fail("larger than 16 MiB");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            fail(std::strerror(err));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > kMaxResponseSize) {
            ::close(fd);
            fail("larger than 16 MiB");
        }
    }
    ::close(fd);
    return text;
}

} // namespace tarvel::unlha
