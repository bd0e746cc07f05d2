#pragma once

#include <QFileDevice>
#include <QString>
#include <functional>
#include <optional>

namespace tarvel {

// Copies a file over the destination through a temporary file beside it and a rename, so the
// destination is either the whole copy or as it was. The copy takes the source's permissions, or
// the given ones. progress is told the bytes copied so far (after every block) and may stop the
// copy by returning false; the destination is then left as it was. Returns false when stopped;
// raises EFileError (naming the file) when the source cannot be read or the copy cannot be
// written.
bool CopyFileReplacing(const QString& from, const QString& to,
                       std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                       const std::function<bool(qint64 copied)>& progress = {});

// The permissions of a copy whose file attributes are the archive attribute alone: readable and
// writable by its owner, readable by others, never executable.
QFileDevice::Permissions PlainFilePermissions();

} // namespace tarvel
