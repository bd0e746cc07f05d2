// tarvel-rtpgen: makes the default runtime package (every picture, piece of music and sound made
// by code), and renders contact sheets of it to look at.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "ContactSheet.h"
#include "Describe.h"
#include "Package.h"

int main(int argc, char** argv) {
    using namespace tarvel::rtp;
    std::string usage = "usage: tarvel-rtpgen OUTDIR | tarvel-rtpgen --contact-sheets OUTDIR SHEETDIR | "
                        "tarvel-rtpgen --describe\n";
    try {
        if (argc == 2 && argv[1][0] != '-') {
            RtpPackage package = BuildPackage();
            for (const std::string& rel : WritePackage(package, argv[1])) {
                auto size = std::filesystem::file_size(std::filesystem::path(argv[1]) / rel);
                std::printf("%s %llu\n", rel.c_str(), static_cast<unsigned long long>(size));
            }
            return 0;
        }
        if (argc == 2 && std::string(argv[1]) == "--describe") {
            std::fputs(DescribePackage().c_str(), stdout);
            return 0;
        }
        if (argc == 4 && std::string(argv[1]) == "--contact-sheets") {
            // Labels are drawn with the platform's fonts, which need an application object; no
            // window is ever shown.
            if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
            QGuiApplication app(argc, argv);
            for (const std::string& sheet : WriteContactSheets(argv[2], argv[3]))
                std::printf("%s\n", sheet.c_str());
            return 0;
        }
        std::fputs(usage.c_str(), stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvel-rtpgen: %s\n", e.what());
        return 1;
    }
}
