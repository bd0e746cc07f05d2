#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/DiskSplit.h"
#include "records/Stream.h"

using namespace tarvel;

TEST(SplitFileForDisks, PiecesOfTheFirstAndFurtherSizes) {
    struct Case {
        int size;
        std::vector<int> pieces;
    } cases[] = {
        {2000000, {640000, 1360000}},
        {640000, {640000}},
        {640001, {640000, 1}},
        {3520000, {640000, 1440000, 1440000}},
        {0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        QString folder = tarvel::test::MakeTempFolder("disk");
        QByteArray data(c.size, '\0');
        for (int i = 0; i < c.size; ++i) data[i] = static_cast<char>(i * 7);
        tarvel::test::WriteFile(folder + "/Game.lzh", data);
        int n = SplitFileForDisks((folder + "/Game.lzh").toStdString(), folder.toStdString(), 640000, 1440000);
        ASSERT_EQ(n, static_cast<int>(c.pieces.size()));
        QByteArray joined;
        for (int k = 1; k <= n; ++k) {
            QByteArray piece = tarvel::test::ReadFile(folder + QString("/Game.%1").arg(k, 3, 10, QChar('0')));
            EXPECT_EQ(piece.size(), c.pieces[static_cast<size_t>(k - 1)]);
            joined += piece;
        }
        EXPECT_EQ(joined, data);
    }
    EXPECT_THROW(SplitFileForDisks("/no/such/file.lzh", "/tmp", 640000, 1440000), EFileError);
}
