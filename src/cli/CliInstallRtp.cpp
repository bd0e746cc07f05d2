// tarvel-cli install-rtp [DIR]: makes the runtime package folder with its fourteen material
// folders (beside the program when no folder is given) and points the user's settings at it
// when they name no existing runtime package yet.
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "CliCommon.h"
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
    QString current = UserSettings::RuntimePackagePath();
    if (current.isEmpty() || !QFileInfo(current).isDir()) {
        UserSettings::SetRuntimePackagePath(IncludeTrailingPathDelimiter(folder));
        UserSettings::Sync();
        std::printf("RuntimePackagePath set to %s\n",
                    IncludeTrailingPathDelimiter(folder).toUtf8().constData());
    } else {
        std::printf("RuntimePackagePath stays %s\n", current.toUtf8().constData());
    }
    return 0;
}

namespace {
const Command kInstallRtpCommand{"install-rtp", kUsage, RunInstallRtp};

const RegisterCommand kRegistered{kInstallRtpCommand};
} // namespace

} // namespace tarvel::cli
