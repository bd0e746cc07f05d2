#pragma once

// The material manager "RAW Materials Settings" and "Material Base", where the transparent colour
// of an imported picture is chosen.

#include <QPixmap>
#include <QSize>
#include <QTimer>
#include <functional>
#include <memory>

#include "controls/FormQelBase.h"
#include "graphics/Bitmap.h"
#include "graphics/PrismSheet.h"

class QLabel;

namespace Ui {
class TFormMaterialBase;
class TFormMaterialBase2;
} // namespace Ui

namespace tarvel {

class TQelMap;

// "Material Base": the picture at zoom 1 to 4; a left click picks the palette index under the
// pointer, which blinks; "&Ok" makes it palette index 0, the transparent colour.
class TFormMaterialBase2 : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int BlinkMilliseconds = 500;
    // picture: an 8-bit picture; the dialog works on its own copy.
    TFormMaterialBase2(QWidget* parent, const TBitmap& picture);
    ~TFormMaterialBase2() override;
    Ui::TFormMaterialBase2* form() const { return ui.get(); }

    int zoom() const { return mZoom; }
    int selectedIndex() const { return mSelected; }
    // After "&Ok": the picture with the chosen colour at palette index 0.
    const TBitmap& picture() const { return mPicture; }
    const TPrismBoard& board() const { return mBoard; }
    // One blink step (the timer's), so tests need not wait for it.
    void Blink();

private:
    void setZoom(int zoom);
    void redraw();
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button);
    void ButtonOkClick();

    std::unique_ptr<Ui::TFormMaterialBase2> ui;
    TBitmap mPicture;
    TPrismSheet mSheet;
    TPrismBoard mBoard;
    QTimer mTimer;
    int mZoom = 1;
    int mSelected = 0;
    bool mBlinkOn = false;
};

// "RAW Materials Settings": the 14 kinds, the material of the selected kind (the project's, then
// the runtime package's marked " <RTP>"), and import, export and delete. It works in the current
// directory's project and leaves the current directory where the user last chose a file while it
// is open; closing stores that folder as MaterialPath and goes back to the project folder.
class TFormMaterialBase : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int HelpContext = 177;

    explicit TFormMaterialBase(QWidget* parent = nullptr);
    ~TFormMaterialBase() override;
    Ui::TFormMaterialBase* form() const { return ui.get(); }

    QString kind() const;
    // The project folder + "/" + kind + "/".
    QString kindFolder() const;
    QString projectFolder() const { return mProjectFolder; }

    // The file dialogs and the colour choice, replaceable so tests can answer them. Each returns
    // the chosen file (empty: cancelled) or whether the choice was made.
    std::function<QString(const QString& kind)> chooseImportFile;
    std::function<QString(const QString& kind, const QString& materialFile, const QString& name)>
        chooseExportFile;
    std::function<bool(TBitmap& picture)> chooseTransparentColor;

    // The commands of the buttons.
    void ButtonImportClick();
    void ButtonExportClick();
    void ButtonDeleteClick();
    // Music and sounds play on a double click.
    void DataListDoubleClick();
    // The preview of the selected picture.
    QLabel* Preview() const { return mPreview; }
    // Lists the kind's material again, selecting the row of the name (the selected row's index
    // when the name is empty or gone), standing six rows below the top.
    void RebuildList(const QString& selectName = {});

    void done(int result) override;

private:
    void KindListClick(int row);
    void updateButtons();
    QString selectedEntry() const;
    // The file of the selected entry, project first; empty when none or gone.
    QString selectedFile() const;
    void showPreview();
    void closeDown();

    std::unique_ptr<Ui::TFormMaterialBase> ui;
    QLabel* mPreview = nullptr;
    QString mProjectFolder;
    bool mClosed = false;
};

// "RAW &Material Editor...": the material manager, modal, centred on the owner; afterwards the
// map's chipset picture and character sets are loaded again, since their files may have changed.
void RunMaterialManager(QWidget* owner, TQelMap& map);

// The side of the material manager's square preview.
constexpr int kMaterialPreviewSize = 240;
// A picture file as the preview shows it: scaled by a whole factor (up or down) to fit the size,
// with palette entry 0 drawn as a grey checkerboard when the kind is drawn with transparency.
// Empty when the file cannot be read.
QPixmap MaterialPreview(const QString& file, bool transparent, QSize size);

} // namespace tarvel
