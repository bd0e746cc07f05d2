// The material manager: the size rules and filters, the colour swap that makes a picture's
// transparent colour index 0, and "RAW Materials Settings" with "Material Base" driven through
// their controls offscreen (the file dialogs answered by the test), down to the files written and
// the messages shown; and the main window's reload of the map's pictures afterwards.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

#include "TestEnvironment.h"
#include "app/MaterialForm.h"
#include "controls/BoardView.h"
#include "controls/MessageBoxes.h"
#include "data/LD_DataBase.h"
#include "data/LD_Event.h"
#include "data/LD_Map.h"
#include "graphics/PictureFile.h"
#include "mapedit_core/MapGraphics.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"
#include "project/MaterialBase.h"
#include "ui_MaterialBase.h"
#include "ui_MaterialBase2.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::ReadFile;
using tarvel::test::WriteFile;

namespace {

// An 8-bit picture whose pixel (x, y) has index (x + y) mod colours, palette entry i = (i*10,
// 255 - i*10, i*3).
TBitmap Indexed(int width, int height, int colours = 8) {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf8bit, width, height);
    for (int i = 0; i < 256; ++i)
        picture.Palette()[size_t(i)] = {uint8_t(i * 10), uint8_t(255 - i * 10), uint8_t(i * 3), 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.ScanLine(y)[x] = uint8_t((x + y) % colours);
    return picture;
}

// A true-colour picture with far more than 256 colours.
TBitmap TrueColour(int width, int height) {
    TBitmap picture;
    picture.Reset(TPixelFormat::pf24bit, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = picture.ScanLine(y) + x * 3;
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = uint8_t(x ^ y);
        }
    return picture;
}

QString SavePicture(const QString& path, const TBitmap& picture) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    SavePictureFile(picture, path.toStdString());
    return path;
}

TBitmap LoadPicture(const QString& path) {
    TBitmap picture;
    LoadPictureFile(picture, path.toStdString());
    return picture;
}

QStringList Rows(QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

int KindRow(const QString& kind) {
    for (size_t i = 0; i < MaterialFolders().size(); ++i)
        if (kind == MaterialFolders()[i].name) return int(i);
    return -1;
}

// A project (the current directory, as when the main window opens the manager), a runtime package
// and a folder of the user's files outside both.
struct MaterialProject {
    QString previous = QDir::currentPath();
    QString project = MakeTempFolder("Quest");
    QString rtp = MakeTempFolder("rtp") + "/";
    QString outside = MakeTempFolder("outside");
    MaterialProject() {
        for (const MaterialFolderInfo& folder : MaterialFolders()) {
            QDir().mkpath(project + "/" + folder.name);
            QDir().mkpath(rtp + folder.name);
        }
        SetProjectPath(project + "/");
        SetRuntimePackagePath(rtp);
        QDir::setCurrent(project);
        RememberedMaterialOptions() = {};
        UserSettings::SetMaterialPath(outside);
        ClearShownMessages();
    }
    ~MaterialProject() {
        SetHeadlessAnswer(QMessageBox::NoButton);
        SetProjectPath({});
        SetRuntimePackagePath({});
        QDir::setCurrent(previous);
    }
};

// The manager with its file dialogs and colour choice answered by the test.
struct Manager {
    TFormMaterialBase form;
    QString importFile;
    QString exportFile;
    QStringList exportAsked; // kind | material file | name
    int colourChoices = 0;
    bool colourAnswer = true;
    std::function<void(TBitmap&)> chooseColour;
    Manager() {
        form.chooseImportFile = [this](const QString&) { return importFile; };
        form.chooseExportFile = [this](const QString& kind, const QString& file, const QString& name) {
            exportAsked = {kind, file, name};
            return exportFile;
        };
        form.chooseTransparentColor = [this](TBitmap& picture) {
            ++colourChoices;
            EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf8bit);
            if (chooseColour) chooseColour(picture);
            return colourAnswer;
        };
        form.show();
    }
    void selectKind(const QString& kind) { form.form()->KindList->setCurrentRow(KindRow(kind)); }
    void selectEntry(const QString& entry) {
        auto found = form.form()->DataList->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry.toStdString();
        form.form()->DataList->setCurrentItem(found.first());
    }
    QString current() const {
        auto* item = form.form()->DataList->currentItem();
        return item ? item->text() : QString();
    }
    void import(const QString& file) {
        importFile = file;
        QTest::mouseClick(form.form()->ButtonImport, Qt::LeftButton);
    }
};

} // namespace

TEST(MaterialRules, SizeOfEachImageKind) {
    struct Case {
        const char* kind;
        int width, height;
        bool fits;
    } cases[] = {
        {"Backdrop", 320, 160, true}, {"Backdrop", 321, 160, false}, {"Backdrop", 320, 159, false},
        {"Battle", 480, 480, true},   {"Battle", 1, 1, true},        {"Battle", 481, 10, false},
        {"CharSet", 288, 256, true},  {"CharSet", 288, 255, false},  {"ChipSet", 480, 256, true},
        {"ChipSet", 480, 257, false}, {"FaceSet", 192, 192, true},   {"FaceSet", 191, 192, false},
        {"GameOver", 320, 240, true}, {"GameOver", 240, 320, false}, {"Monster", 15, 40, false},
        {"Monster", 16, 16, true},    {"Monster", 320, 160, true},   {"Monster", 16, 15, false},
        {"Monster", 321, 160, false}, {"Panorama", 80, 80, true},    {"Panorama", 79, 80, false},
        {"Panorama", 640, 480, true}, {"Panorama", 640, 481, false}, {"Picture", 640, 480, true},
        {"Picture", 641, 1, false},   {"System", 160, 80, true},     {"System", 160, 81, false},
        {"Title", 320, 240, true},    {"Title", 320, 241, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        TBitmap picture = Indexed(c.width, c.height);
        if (c.fits) {
            EXPECT_NO_THROW(CheckImportSize(c.kind, picture));
        } else {
            try {
                CheckImportSize(c.kind, picture);
                ADD_FAILURE() << "accepted";
            } catch (const EMaterialError& e) {
                // The message, then on a line of its own the sizes the kind takes.
                EXPECT_EQ(QString(e.what()),
                          QString("Bad bitmap size\n") + ImportSizeRule(c.kind)->NeededSize());
            }
        }
    }
    QStringList transparent, plain;
    for (const MaterialFolderInfo& folder : MaterialFolders()) {
        const MaterialSizeRule* rule = ImportSizeRule(folder.name);
        if (rule) (rule->transparent ? transparent : plain) << folder.name;
    }
    EXPECT_EQ(transparent,
              (QStringList{"Battle", "CharSet", "ChipSet", "FaceSet", "Monster", "Picture", "System"}));
    EXPECT_EQ(plain, (QStringList{"Backdrop", "GameOver", "Panorama", "Title"}));
    for (const char* kind : {"Movie", "Music", "Sound"})
        EXPECT_FALSE(IsImageKind(kind)) << kind;
}

TEST(MaterialRules, ChosenColourBecomesIndexZero) {
    TBitmap picture = Indexed(20, 10, 12);
    const TBitmap before = picture;
    MoveColorToIndexZero(picture, 7);
    EXPECT_EQ(picture.Palette()[0], before.Palette()[7]);
    EXPECT_EQ(picture.Palette()[7], before.Palette()[0]);
    for (int i : {1, 6, 8, 255})
        EXPECT_EQ(picture.Palette()[size_t(i)], before.Palette()[size_t(i)]);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const int old = before.PixelIndex(x, y);
            const int now = picture.PixelIndex(x, y);
            EXPECT_EQ(now, old == 7 ? 0 : old == 0 ? 7 : old);
            // The picture looks the same.
            uint8_t r1, g1, b1, r2, g2, b2;
            before.PixelColor(x, y, r1, g1, b1);
            picture.PixelColor(x, y, r2, g2, b2);
            EXPECT_TRUE(r1 == r2 && g1 == g2 && b1 == b2);
        }
    TBitmap unchanged = before;
    MoveColorToIndexZero(unchanged, 0);
    EXPECT_EQ(unchanged.Palette(), before.Palette());
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(std::memcmp(unchanged.ScanLine(y), before.ScanLine(y), 20), 0);
}

TEST(MaterialRules, DialogFiltersAndExtensions) {
    EXPECT_EQ(DialogFilters(ImportFilterText("CharSet")),
              QStringList{"Image files (*.bmp *.png *.xyz *.gif *.jpg *.jpeg)"});
    EXPECT_EQ(DialogFilters(ImportFilterText("Music")),
              (QStringList{"MIDI file (*.mid)", "WAVE file (*.wav)"}));
    EXPECT_EQ(DialogFilters(ImportFilterText("Movie")), QStringList{"Movie files (*.avi *.mpg)"});
    EXPECT_EQ(ImportFilterText("Movie"), "Movie files (*.avi;*.mpg)|*.avi;*.mpg|");
    EXPECT_EQ(DialogFilters(ExportFilterText("Title", "/p/Title/A.png")),
              (QStringList{"BMP file (*.bmp)", "PNG file (*.png)", "XYZ file (*.xyz)"}));
    struct Case {
        const char* kind;
        const char* file;
        const char* filter;
        const char* extension;
    } cases[] = {
        {"Movie", "/r/Movie/Opening.AVI", "AVI file (*.avi)|*.avi|", "avi"},
        {"Movie", "/r/Movie/Opening.mpg", "MPEG file (*.mpg)|*.mpg|", "mpg"},
        {"Music", "/r/Music/Town.mid", "MIDI file (*.mid)|*.mid|", "mid"},
        {"Music", "/r/Music/Town.wav", "WAVE file (*.wav)|*.wav|", "wav"},
        {"Sound", "/r/Sound/Bell.wav", "WAVE file (*.wav)|*.wav|", "wav"},
        {"ChipSet", "/r/ChipSet/World.xyz",
         "BMP file (*.bmp)|*.bmp|PNG file (*.png)|*.png|XYZ file (*.xyz)|*.xyz|", "bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(ExportFilterText(c.kind, c.file), c.filter);
        EXPECT_EQ(ExportDefaultExtension(c.kind, c.file), c.extension);
    }
    EXPECT_EQ(FilterExtension("PNG file (*.png)"), "png");
    EXPECT_EQ(ImportedMaterialName("/x/Hero.v2.png"), "Hero.v2");
}

TEST(MaterialManager, ImportsPicturesByTheSizeRuleOfTheirKind) {
    MaterialProject p;
    Manager m;
    m.selectKind("Backdrop");
    EXPECT_TRUE(m.form.form()->GroupImportFrom->isEnabled());

    m.import(SavePicture(p.outside + "/Wide.png", Indexed(321, 160)));
    EXPECT_EQ(ShownMessages(),
              QStringList{"Bad bitmap size\nThe picture must be 320 pixels wide and 160 pixels high."});
    EXPECT_TRUE(QDir(p.project + "/Backdrop").isEmpty());

    ClearShownMessages();
    m.import(SavePicture(p.outside + "/Sky.bmp", Indexed(320, 160)));
    EXPECT_TRUE(ShownMessages().isEmpty());
    EXPECT_EQ(m.colourChoices, 0); // backdrops have no transparent colour
    EXPECT_EQ(QDir(p.project + "/Backdrop").entryList(QDir::Files), QStringList{"Sky.png"});
    EXPECT_TRUE(ReadFile(p.project + "/Backdrop/Sky.png").startsWith("\x89PNG"));
    EXPECT_EQ(m.current(), "Sky");

    m.selectKind("Monster");
    const QString monsterSize =
        "Bad bitmap size\nThe picture must be 16 to 320 pixels wide and 16 to 160 pixels high.";
    m.import(SavePicture(p.outside + "/Tiny.png", Indexed(15, 40)));
    EXPECT_EQ(ShownMessages(), QStringList{monsterSize});
    m.form.form()->RadioXyz->setChecked(true);
    m.import(SavePicture(p.outside + "/Bat.png", Indexed(16, 16)));
    m.import(SavePicture(p.outside + "/Dragon.png", Indexed(320, 160)));
    EXPECT_EQ(ShownMessages(), QStringList{monsterSize});
    EXPECT_EQ(m.colourChoices, 2);
    EXPECT_EQ(QDir(p.project + "/Monster").entryList(QDir::Files), (QStringList{"Bat.xyz", "Dragon.xyz"}));
    EXPECT_TRUE(ReadFile(p.project + "/Monster/Bat.xyz").startsWith("XYZ1"));

    // Cancel in "Material Base" writes nothing.
    m.colourAnswer = false;
    m.import(SavePicture(p.outside + "/Golem.png", Indexed(64, 64)));
    EXPECT_FALSE(QFileInfo::exists(p.project + "/Monster/Golem.xyz"));

    // An unreadable picture: the reader's message.
    ClearShownMessages();
    WriteFile(p.outside + "/Broken.png", "\x89PNG\r\n\x1a\n broken");
    m.import(p.outside + "/Broken.png");
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(p.project + "/Monster/Broken.xyz"));
}

TEST(MaterialManager, TrueColourPicturesAreReducedBeforeTheColourChoice) {
    MaterialProject p;
    Manager m;
    m.selectKind("CharSet");
    int seenColours = 0;
    m.chooseColour = [&](TBitmap& picture) {
        EXPECT_EQ(picture.Width(), 288);
        std::set<int> used;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                used.insert(picture.PixelIndex(x, y));
        seenColours = int(used.size());
    };
    const QString source = SavePicture(p.outside + "/Hero.png", TrueColour(288, 256));
    ASSERT_EQ(LoadPicture(source).PixelFormat(), TPixelFormat::pf24bit);
    m.import(source);
    EXPECT_EQ(m.colourChoices, 1);
    EXPECT_GT(seenColours, 16);
    EXPECT_LE(seenColours, 256);
    TBitmap stored = LoadPicture(p.project + "/CharSet/Hero.png");
    EXPECT_EQ(stored.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(stored.Width(), 288);
    EXPECT_EQ(stored.Height(), 256);
}

TEST(MaterialManager, MaterialBasePicksTheClickedColourAtEveryZoom) {
    MaterialProject p;
    Manager m;
    m.selectKind("FaceSet");
    TBitmap face = Indexed(192, 192, 12);
    face.ScanLine(50)[40] = 7;
    face.Palette()[7] = {200, 50, 10, 0};
    TBitmap seen;
    m.chooseColour = [&](TBitmap& picture) {
        TFormMaterialBase2 dialog(&m.form, picture);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Material Base");
        EXPECT_EQ(dialog.zoom(), 1);
        EXPECT_FALSE(dialog.form()->ButtonZoomOut->isEnabled());
        QTest::mouseClick(dialog.form()->ButtonZoomIn, Qt::LeftButton);
        EXPECT_EQ(dialog.zoom(), 2);
        EXPECT_EQ(dialog.board().Width(), 384);
        // Pixel (40, 50) at zoom 2.
        QTest::mouseClick(dialog.form()->PaintBox, Qt::LeftButton, {}, QPoint(81, 101));
        EXPECT_EQ(dialog.selectedIndex(), 7);
        // Every other blink phase lifts the colour: (max(0, c - 100) + 80) per channel.
        const uint16_t normal = dialog.board().Pixel(80, 100);
        dialog.Blink();
        const uint16_t lifted = dialog.board().Pixel(80, 100);
        EXPECT_EQ(lifted, ((180 >> 3) << 11) | ((80 >> 2) << 5) | (80 >> 3));
        dialog.Blink();
        EXPECT_EQ(dialog.board().Pixel(80, 100), normal);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(dialog.form()->ButtonZoomIn, Qt::LeftButton);
        EXPECT_EQ(dialog.zoom(), 4);
        EXPECT_FALSE(dialog.form()->ButtonZoomIn->isEnabled());
        QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        picture = dialog.picture();
    };
    m.import(SavePicture(p.outside + "/Faces.png", face));
    TBitmap stored = LoadPicture(p.project + "/FaceSet/Faces.png");
    EXPECT_EQ(stored.Palette()[0].red, 200);
    EXPECT_EQ(stored.Palette()[0].green, 50);
    EXPECT_EQ(stored.Palette()[0].blue, 10);
    EXPECT_EQ(stored.PixelIndex(40, 50), 0);
    EXPECT_EQ(stored.PixelIndex(0, 0), 7); // was index 0
    EXPECT_EQ(stored.PixelIndex(1, 0), 1); // untouched
    EXPECT_EQ(stored.PixelIndex(7, 0), 0); // was index 7
}

TEST(MaterialManager, SoundsAndMusicAreCopiedWritable) {
    MaterialProject p;
    Manager m;
    m.selectKind("Sound");
    EXPECT_FALSE(m.form.form()->GroupImportFrom->isEnabled());
    WriteFile(p.outside + "/Bell.wav", "RIFF bell");
    QFile::setPermissions(p.outside + "/Bell.wav", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    m.import(p.outside + "/Bell.wav");
    EXPECT_EQ(ReadFile(p.project + "/Sound/Bell.wav"), "RIFF bell");
    EXPECT_TRUE(QFile::permissions(p.project + "/Sound/Bell.wav") & QFile::WriteOwner);
    EXPECT_FALSE(QFile::permissions(p.outside + "/Bell.wav") & QFile::WriteOwner);
    EXPECT_EQ(m.current(), "Bell");

    m.selectKind("Music");
    WriteFile(p.project + "/Music/Town.mid", "old");
    WriteFile(p.outside + "/Town.mid", "MThd new");
    m.import(p.outside + "/Town.mid");
    EXPECT_EQ(ReadFile(p.project + "/Music/Town.mid"), "MThd new");
    EXPECT_TRUE(ShownMessages().isEmpty());
}

TEST(MaterialManager, ExportsProjectAndPackageMaterial) {
    MaterialProject p;
    WriteFile(p.rtp + "Music/Field1.mid", "MThd field");
    QFile::setPermissions(p.rtp + "Music/Field1.mid", QFile::ReadOwner | QFile::ReadOther);
    SavePicture(p.project + "/CharSet/Hero.png", Indexed(288, 256));
    Manager m;
    m.selectKind("Music");
    EXPECT_FALSE(m.form.form()->ButtonExport->isEnabled());
    m.selectEntry("Field1 <RTP>");
    EXPECT_TRUE(m.form.form()->ButtonExport->isEnabled());
    EXPECT_FALSE(m.form.form()->ButtonDelete->isEnabled());
    m.exportFile = p.outside + "/Field.mid";
    QTest::mouseClick(m.form.form()->ButtonExport, Qt::LeftButton);
    EXPECT_EQ(m.exportAsked, (QStringList{"Music", p.rtp + "Music/Field1.mid", "Field1"}));
    EXPECT_EQ(ReadFile(p.outside + "/Field.mid"), "MThd field");
    EXPECT_TRUE(QFile::permissions(p.outside + "/Field.mid") & QFile::WriteOwner);

    // Another kind starts with nothing selected.
    m.selectKind("CharSet");
    EXPECT_EQ(m.current(), "");
    EXPECT_FALSE(m.form.form()->ButtonExport->isEnabled());
    m.selectEntry("Hero");
    EXPECT_TRUE(m.form.form()->ButtonDelete->isEnabled());
    struct Case {
        const char* name;
        const char* magic;
    } cases[] = {{"/Hero.xyz", "XYZ1"}, {"/Hero.bmp", "BM"}, {"/Hero.PNG", "\x89PNG"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m.exportFile = p.outside + c.name;
        QTest::mouseClick(m.form.form()->ButtonExport, Qt::LeftButton);
        EXPECT_TRUE(ReadFile(m.exportFile).startsWith(c.magic));
        TBitmap copy = LoadPicture(m.exportFile);
        EXPECT_EQ(copy.Width(), 288);
        EXPECT_EQ(copy.PixelIndex(5, 3), 0);
    }
    EXPECT_TRUE(ShownMessages().isEmpty());
}

TEST(MaterialManager, DeletesProjectMaterialAfterAsking) {
    MaterialProject p;
    SavePicture(p.project + "/CharSet/Hero.png", Indexed(288, 256));
    SavePicture(p.rtp + "CharSet/Hero.png", Indexed(288, 256));
    SavePicture(p.rtp + "CharSet/People.png", Indexed(288, 256));
    Manager m;
    m.selectKind("CharSet");
    EXPECT_EQ(Rows(m.form.form()->DataList), (QStringList{"Hero", "People <RTP>"}));
    m.selectEntry("Hero");

    SetHeadlessAnswer(QMessageBox::No);
    QTest::mouseClick(m.form.form()->ButtonDelete, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), QStringList{"Erase Hero.png. Ok?"});
    EXPECT_TRUE(QFileInfo::exists(p.project + "/CharSet/Hero.png"));

    SetHeadlessAnswer(QMessageBox::Yes);
    QTest::mouseClick(m.form.form()->ButtonDelete, Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(p.project + "/CharSet/Hero.png"));
    // The package's picture of the same name shows now.
    EXPECT_EQ(Rows(m.form.form()->DataList), (QStringList{"Hero <RTP>", "People <RTP>"}));
    EXPECT_TRUE(QFileInfo::exists(p.rtp + "CharSet/Hero.png"));

    // The runtime package's files are never deleted, and a name whose file went away names
    // nothing to delete (never a file of that bare name elsewhere).
    MaterialRoots roots{p.project + "/", p.rtp};
    EXPECT_EQ(DeletableMaterialFile("CharSet", "People <RTP>", roots), "");
    EXPECT_EQ(DeletableMaterialFile("CharSet", "People", roots), "");
    WriteFile(p.outside + "/Gone", "a file that only shares the name");
    QDir::setCurrent(p.outside);
    EXPECT_EQ(DeletableMaterialFile("CharSet", "Gone", roots), "");
    EXPECT_EQ(ShownMessages(), (QStringList{"Erase Hero.png. Ok?", "Erase Hero.png. Ok?"}));
}

TEST(MaterialManager, KeepsTheUsersFolderKindAndFormat) {
    MaterialProject p;
    const QString other = MakeTempFolder("other");
    {
        Manager m;
        // The dialogs start in MaterialPath.
        EXPECT_EQ(QDir::currentPath(), p.outside);
        EXPECT_EQ(m.form.projectFolder(), p.project);
        m.selectKind("Sound");
        m.form.form()->RadioXyz->setChecked(true);
        WriteFile(other + "/Bell.wav", "RIFF");
        m.import(other + "/Bell.wav");
        EXPECT_EQ(QDir::currentPath(), other);
        QTest::mouseClick(m.form.form()->ButtonClose, Qt::LeftButton);
        EXPECT_EQ(QDir::currentPath(), p.project);
        EXPECT_EQ(UserSettings::MaterialPath(), other);
    }
    {
        Manager m;
        EXPECT_EQ(m.form.kind(), "Sound");
        EXPECT_TRUE(m.form.form()->RadioXyz->isChecked());
        EXPECT_EQ(Rows(m.form.form()->DataList), QStringList{"Bell"});
        m.form.reject();
    }
    UserSettings::SetMaterialPath(p.project + "/no such folder");
    {
        Manager m;
        // A remembered folder that is gone: the dialogs start at home, never at the root.
        EXPECT_EQ(QDir::currentPath(), QDir::homePath());
        m.form.reject();
    }
    EXPECT_EQ(QDir::currentPath(), p.project);
}

TEST(MaterialManager, MapPicturesAreReloadedAfterwards) {
    MaterialProject p;
    InstallPlatformPorts();
    TQelDataBase db;
    TQelDataBase::ResetList(db.ChipSets(), 1);
    db.ChipSets().Find(1)->GraphicName = "World";
    TBitmap first = Indexed(480, 256);
    SavePicture(p.project + "/ChipSet/World.png", first);
    SavePicture(p.project + "/CharSet/Hero.png", Indexed(288, 256));

    TQelMap map(1);
    map.Reset();
    TMapGraphics& graphics = AttachMapGraphics(map);
    map.ChipSetID = 1;
    auto* event = map.Events.FindOrCreate(1);
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(1))->CharName = "Hero";
    map.ReloadChipSet();
    graphics.CollectCharSet("Hero");
    graphics.CollectCharSet("Unused");
    ASSERT_EQ(graphics.ChipSet().Sheet().Palette()[3].red, 30);

    // The chipset picture is replaced under the same name while the manager is open.
    TBitmap second = first;
    second.Palette()[3] = {1, 2, 3, 0};
    SavePicture(p.project + "/ChipSet/World.png", second);
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* manager = qobject_cast<TFormMaterialBase*>(widget); manager && manager->isVisible())
                manager->reject();
    });
    RunMaterialManager(nullptr, map);
    EXPECT_EQ(graphics.ChipSet().Sheet().Palette()[3].red, 1);
    EXPECT_EQ(graphics.CharSets().Count(), 1);
    EXPECT_GE(graphics.CharSets().IndexOf("Hero"), 0);
    EXPECT_EQ(QDir::currentPath(), p.project);
}

namespace {

class RecordingSound : public SoundLibraryPort {
public:
    QStringList played;
    void Create() override {}
    void InitWave() override {}
    void Release() override {}
    void InitMidi() override {}
    void TermMidi() override {}
    void PlayMusic(const QString& file) override { played << "music " + QFileInfo(file).fileName(); }
    void FadeInMusic(int) override {}
    void SetMusicVolume(int) override {}
    void SetMusicSpeed(int) override {}
    void SetMusicPanpot(int) override {}
    void FadeOutMusic(int) override {}
    void StopMusic() override {}
    void PlaySoundEx(const QString& file, int, int, int) override { played << "sound " + QFileInfo(file).fileName(); }
    void StopSound() override {}
};

} // namespace

TEST(MaterialManager, PreviewShowsTheSelectedPictureAndADoubleClickPlays) {
    MaterialProject p;
    const QString sun = SavePicture(p.project + "/Picture/Sun.png", Indexed(40, 20));
    // Scaled by the largest whole factor that fits, every pixel square; entry 0 is drawn as a
    // checkerboard only where the kind keeps a transparent colour.
    for (const auto& [transparent, box, width] :
         {std::tuple{false, QSize(240, 240), 240}, std::tuple{true, QSize(100, 100), 80}, std::tuple{false, QSize(30, 30), 20}}) {
        const QImage image = MaterialPreview(sun, transparent, box).toImage();
        ASSERT_EQ(image.width(), width);
        EXPECT_EQ(image.height(), width / 2);
        const int factor = width >= 40 ? width / 40 : 1;
        const QRgb corner = image.pixel(0, 0); // index 0: (0, 255, 0)
        EXPECT_EQ(corner == qRgb(0, 255, 0), !transparent);
        if (width >= 40) EXPECT_EQ(image.pixel(factor, 0), qRgb(10, 245, 3)); // index 1, one picture pixel on
    }
    EXPECT_TRUE(MaterialPreview(p.project + "/Picture/None.png", false, {240, 240}).isNull());

    RecordingSound sound;
    SetSoundLibraryPort(&sound);
    WriteFile(p.project + "/Sound/Bell.wav", "RIFF");
    {
        Manager m;
        m.selectKind("Picture");
        m.selectEntry("Sun");
        ASSERT_FALSE(m.form.Preview()->pixmap().isNull());
        EXPECT_EQ(m.form.Preview()->pixmap().width() % 40, 0);
        if (const QString shots = qEnvironmentVariable("TARVEL_SHOTS"); !shots.isEmpty())
            m.form.grab().save(shots + "/material-manager-preview.png");
        m.selectKind("Sound");
        m.selectEntry("Bell");
        EXPECT_TRUE(m.form.Preview()->pixmap().isNull());
        auto* item = m.form.form()->DataList->currentItem();
        const QPoint at = m.form.form()->DataList->visualItemRect(item).center();
        QTest::mouseClick(m.form.form()->DataList->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m.form.form()->DataList->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(sound.played, QStringList{"sound Bell.wav"});
        m.form.reject();
    }
    SetSoundLibraryPort(nullptr);
}
