#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tarvel {

QString QtClipboard::MimeType(int format) { return QStringLiteral("application/x-tarvel-%1").arg(format); }

void QtClipboard::set(int format, const std::vector<uint8_t>& bytes) {
    auto* data = new QMimeData;
    data->setData(MimeType(format),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::vector<uint8_t>> QtClipboard::get(int format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(MimeType(format))) return std::nullopt;
    QByteArray bytes = data->data(MimeType(format));
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool QtClipboard::has(int format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MimeType(format));
}

} // namespace tarvel
