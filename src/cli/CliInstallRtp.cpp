// tarvel-cli install-rtp [DIR]: writes the default runtime package (made by code, the same bytes
// on every run) into its folder with all fourteen material folders, beside the program when no
// folder is given, and points the user's settings at it when they name no existing runtime package
// yet. Files of the package are rewritten; anything else in the folder is left alone.
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "CliCommon.h"
#include "Package.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel::cli {

namespace {
const char* const kUsage = "install-rtp [DIR]";
}

int RunInstallRtp(Arguments& args) {
    auto words = args.positionalAtLeast(0);
    if (words.size() > 1) throw UsageError(kUsage);
    QString folder = words.empty() ? ApplicationFolder() + "RTP" : QString::fromStdString(words[0]);
    folder = QFileInfo(folder).absoluteFilePath();
    for (const auto& info : MaterialFolders()) {
        QString path = folder + "/" + info.name;
        if (!QDir().mkpath(path))
            throw CommandError("install-rtp", "cannot create folder \"" + path.toStdString() + "\"");
    }
    size_t written = 0;
    try {
        written = rtp::WritePackage(rtp::BuildPackage(), folder.toStdString()).size();
    } catch (const std::exception& e) {
        throw CommandError("install-rtp", e.what());
    }
    std::printf("%zu files of the runtime package written to %s\n", written, folder.toUtf8().constData());

    QString current = UserSettings::RuntimePackagePath();
    if (current.isEmpty() || !QFileInfo(current).isDir()) {
        UserSettings::SetRuntimePackagePath(IncludeTrailingPathDelimiter(folder));
        UserSettings::Sync();
        std::printf("RuntimePackagePath set to %s\n",
                    IncludeTrailingPathDelimiter(folder).toUtf8().constData());
    } else {
        std::printf("RuntimePackagePath stays %s\n", current.toUtf8().constData());
    }

    // New projects are made from the two templates the build puts beside the programs.
    for (const char* name : {"QUORIN.exe.dat", "QUORIN.qdb.dat"})
        if (!QFileInfo(ApplicationFolder() + name).isFile())
            std::fprintf(stderr,
                         "tarvel-cli: install-rtp: the template %s is missing beside the program; "
                         "new projects cannot be made until the build makes it\n",
                         name);
    return 0;
}

namespace {
const Command kInstallRtpCommand{"install-rtp", kUsage, RunInstallRtp};

const RegisterCommand kRegistered{kInstallRtpCommand};
} // namespace

} // namespace tarvel::cli
