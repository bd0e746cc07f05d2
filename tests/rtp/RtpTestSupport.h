#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "IndexedImage.h"

namespace tarvel::test::rtp {

// The package generated once for the whole test run by the built tarvel-rtpgen.
const QString& PackageFolder();
QString PackageFile(const QString& folder, const QString& name, const QString& extension);
QStringList PackageNames(const QString& folder, const QString& extension);

// A picture of the package read back as indices and palette; fails the test when it is missing
// or not an 8-bit paletted PNG.
tarvel::rtp::IndexedImage LoadPicture(const QString& path);
// The PNG chunks of a file: type and data length, in order.
std::vector<std::pair<std::string, uint32_t>> PngChunks(const QByteArray& bytes);

// Counts index-0 pixels in a rectangle.
int CountZero(const tarvel::rtp::IndexedImage& img, int x, int y, int w, int h);
// True when two rectangles hold the same indices.
bool SameCells(const tarvel::rtp::IndexedImage& a, int ax, int ay, const tarvel::rtp::IndexedImage& b, int bx,
               int by, int w, int h);

} // namespace tarvel::test::rtp
