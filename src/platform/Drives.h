#pragma once

#include <QString>

namespace tarvel {

// Removable media as the game-disk dialogs see them. A "drive" is the mounted volume that holds
// a path; a floppy is a volume on /dev/fd*, a CD-ROM one on /dev/sr* or with an iso9660 or udf
// file system.

// The root of the path's volume exists.
bool IsDriveReady(const QString& path);
// Ready, and at least one entry is found at the volume's root.
bool IsDriveLoaded(const QString& path);
bool IsFloppyDrive(const QString& path);
bool IsCdRomDrive(const QString& path);
// The root folder of the first mounted floppy volume, or empty.
QString FindFloppyDrive();

} // namespace tarvel
