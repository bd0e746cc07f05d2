#pragma once

// What the tests of the drawn database pages share: pictures made for the test and found by name,
// a check that a mark of a sheet shows on a board, mouse events with buttons held, and a picture
// chosen in a page's picker.

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "DataBaseFixture.h"
#include "TestEnvironment.h"
#include "graphics/GraphicsPorts.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismSheet.h"
#include "pickers/SelBase.h"
#include "platform/Paths.h"

namespace tarvel::test {

// Pictures written for one test, found by their material name in any folder.
class TestPictures : public MaterialLocatorPort {
public:
    TestPictures() : mFolder(MakeTempFolder("pictures")) { mPrevious = SetMaterialLocator(this); }
    ~TestPictures() override { SetMaterialLocator(mPrevious); }

    std::string Locate(const std::string& name, const std::string&) override {
        auto it = mFiles.find(name);
        return it == mFiles.end() ? name : it->second;
    }
    // An 8-bit picture of the size, all index 0, with palette entry i = colours[i]; paint fills
    // rectangles with indices before it is written.
    TBitmap Blank(int width, int height, const std::vector<TRGB>& colours) const {
        TBitmap b;
        b.Reset(TPixelFormat::pf8bit, width, height);
        for (size_t i = 0; i < colours.size(); ++i)
            b.Palette()[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
        return b;
    }
    static void Fill(TBitmap& b, const TRect& r, uint8_t index) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                b.ScanLine(y)[x] = index;
    }
    void Add(const std::string& name, const TBitmap& picture) {
        const std::string path = (mFolder + "/" + QString::fromStdString(name) + ".png").toStdString();
        WritePngFile(picture, path);
        mFiles[name] = path;
    }

private:
    QString mFolder;
    std::map<std::string, std::string> mFiles;
    MaterialLocatorPort* mPrevious = nullptr;
};

// True when every pixel of the sheet's rectangle that is not transparent shows on the board at
// (x, y) in the sheet's colour.
inline bool ShowsSheetPart(const TPrismBoard& board, int x, int y, const TPrismSheet& sheet,
                           const TRect& part) {
    for (int dy = 0; dy < part.Height(); ++dy)
        for (int dx = 0; dx < part.Width(); ++dx) {
            const uint8_t index = sheet.Row(part.top + dy)[part.left + dx];
            if (index == 0) continue;
            if (board.Pixel(x + dx, y + dy) != sheet.ColorTable()[index]) return false;
        }
    return true;
}

// A mouse event with the buttons held, as a drag sends it.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

// Writes a picture into a folder of the open project, where the pickers list it.
inline void WriteProjectPicture(const QString& folder, const QString& name, const TBitmap& picture) {
    QDir().mkpath(ProjectPath() + folder);
    WritePngFile(picture, (ProjectPath() + folder + "/" + name + ".png").toStdString());
}

// Clicks a page's picture field and, in the picker it opens, checks the caption and the name
// chosen at the start, chooses another name and closes the picker with OK or Cancel.
inline void PickPicture(QAbstractButton* field, const QString& caption, const QString& shown,
                        const QString& choice, bool ok) {
    OnNextModal<TFormSelImage>([=](TFormSelImage* picker) {
        EXPECT_EQ(picker->windowTitle(), caption);
        EXPECT_EQ(picker->FileName(), shown);
        picker->DataList()->setCurrentRow(picker->FindNameRow(choice));
        if (ok)
            picker->accept();
        else
            picker->reject();
    });
    field->click();
}

} // namespace tarvel::test
