#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include "SampleRecords.h"
#include "platform/QtClipboard.h"

using namespace tarvel;

TEST(QtClipboard, PrivateFormatsTravelAsTheirOwnMimeType) {
    QtClipboard clipboard;
    SetClipboardPort(&clipboard);
    tarvel::test::SampleRecord record;
    record.Name = "Slime";
    record.CopyToClipboard(ClipboardFormat::Monsters);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat("application/x-tarvel-577"));
    QByteArray block = data->data("application/x-tarvel-577");
    std::vector<uint8_t> bytes = record.SaveToBytes();
    ASSERT_EQ(static_cast<size_t>(block.size()), bytes.size() + 8);
    EXPECT_EQ(block.mid(8), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));

    EXPECT_TRUE(clipboard.has(ClipboardFormat::Monsters));
    EXPECT_FALSE(clipboard.has(ClipboardFormat::Items));
    tarvel::test::SampleRecord pasted;
    EXPECT_TRUE(pasted.PasteFromClipboard(ClipboardFormat::Monsters));
    EXPECT_EQ(pasted.Name, "Slime");

    QGuiApplication::clipboard()->setText("plain");
    EXPECT_FALSE(pasted.PasteFromClipboard(ClipboardFormat::Monsters));
    SetClipboardPort(nullptr);
}
