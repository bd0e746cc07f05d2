// tarvel-cli: the headless tool for scripts, version control and checks.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <exception>

#include "CliCommon.h"
#include "platform/PlatformPorts.h"

using namespace tarvel::cli;

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: tarvel-cli COMMAND ...\n");
    for (const Command* c : Commands())
        std::fprintf(out, "  %s\n", c->usage);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tarvel::InstallPlatformPorts();
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "help")) {
        printUsage(stdout);
        return 0;
    }
    for (const Command* command : Commands()) {
        if (std::strcmp(argv[1], command->name) != 0) continue;
        Arguments args(std::vector<std::string>(argv + 2, argv + argc), command->usage);
        try {
            return command->run(args);
        } catch (const UsageError& e) {
            std::fprintf(stderr, "tarvel-cli: usage: tarvel-cli %s\n", e.what());
            return 2;
        } catch (const CommandError& e) {
            std::fprintf(stderr, "tarvel-cli: %s: %s\n", e.what_part().c_str(), e.what());
            return 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tarvel-cli: %s: %s\n", command->name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "tarvel-cli: usage: unknown command \"%s\"\n", argv[1]);
    printUsage(stderr);
    return 2;
}
