#include "FileCopy.h"

#include <QFile>
#include <QSaveFile>

#include "records/Stream.h"

namespace tarvel {

namespace {

[[noreturn]] void fail(const QString& what, const QString& file, const QString& reason) {
    throw EFileError((what + " \"" + file + "\": " + reason).toStdString());
}

} // namespace

bool CopyFileReplacing(const QString& from, const QString& to,
                       std::optional<QFileDevice::Permissions> permissions,
                       const std::function<bool(qint64)>& progress) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) fail("Cannot open file", from, source.errorString());
    const QFileDevice::Permissions wanted = permissions ? *permissions : source.permissions();
    QSaveFile target(to);
    // A link at the destination is replaced, not followed.
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly)) fail("Cannot create file", to, target.errorString());
    QByteArray block(256 * 1024, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        qint64 got = source.read(block.data(), block.size());
        if (got < 0) fail("Cannot read file", from, source.errorString());
        if (got == 0) break;
        if (target.write(block.constData(), got) != got) fail("Cannot write file", to, target.errorString());
        copied += got;
        if (progress && !progress(copied)) {
            target.cancelWriting();
            return false;
        }
    }
    if (!target.commit()) fail("Cannot write file", to, target.errorString());
    QFile::setPermissions(to, wanted);
    return true;
}

QFileDevice::Permissions PlainFilePermissions() {
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser |
           QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

} // namespace tarvel
