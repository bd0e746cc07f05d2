// tarvel-cli diff-setup [REPO]: makes git show database, map-tree and map files as their JSON, so
// a project kept in git has readable diffs. It sets a textconv driver "tarvel" that runs this
// program's dump, and marks the three kinds of file with it in the repository's .gitattributes.
#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "CliCommon.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "diff-setup [REPO]";
const char* const kPatterns[] = {"*.qdb", "*.qmt", "*.qmu"};

std::string runGit(const QStringList& arguments) {
    QProcess git;
    git.start("git", arguments);
    if (!git.waitForStarted(10000)) throw CommandError("diff-setup", "cannot run git");
    git.waitForFinished(30000);
    if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0)
        throw CommandError("diff-setup",
                           "git " + arguments.join(' ').toStdString() + ": " +
                               QString::fromLocal8Bit(git.readAllStandardError()).trimmed().toStdString());
    return QString::fromLocal8Bit(git.readAllStandardOutput()).trimmed().toStdString();
}

// The shell word for a path: git runs the textconv command through the shell.
std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

int runDiffSetup(Arguments& args) {
    auto words = args.positionalAtLeast(0);
    if (words.size() > 1) throw UsageError(kUsage);
    QString repo = words.empty() ? QString(".") : QString::fromStdString(words[0]);
    std::string top = runGit({"-C", repo, "rev-parse", "--show-toplevel"});
    std::string program = QCoreApplication::applicationFilePath().toStdString();
    runGit({"-C", QString::fromStdString(top), "config", "diff.tarvel.textconv",
            QString::fromStdString(shellQuoted(program) + " dump")});

    std::string attributesPath = top + "/.gitattributes";
    std::string existing;
    {
        std::ifstream in(attributesPath);
        std::stringstream text;
        text << in.rdbuf();
        existing = text.str();
    }
    std::string added;
    for (const char* pattern : kPatterns) {
        std::string line = std::string(pattern) + " diff=tarvel";
        if (("\n" + existing).find("\n" + line + "\n") == std::string::npos &&
            !(existing.size() >= line.size() &&
              existing.compare(existing.size() - line.size(), line.size(), line) == 0))
            added += line + "\n";
    }
    if (!added.empty()) {
        std::ofstream out(attributesPath, std::ios::app);
        if (!existing.empty() && existing.back() != '\n') out << "\n";
        out << added;
        if (!out) throw CommandError("diff-setup", "cannot write " + attributesPath);
    }
    std::printf("git in %s now shows *.qdb, *.qmt and *.qmu files as JSON (textconv \"%s dump\")\n",
                top.c_str(), program.c_str());
    return 0;
}

const Command kDiffSetupCommand{"diff-setup", kUsage, runDiffSetup};
const RegisterCommand kRegistered{kDiffSetupCommand};

} // namespace

} // namespace tarvel::cli
