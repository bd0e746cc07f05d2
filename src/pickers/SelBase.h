#pragma once

// The shape all material pickers share: a list of the names of one material folder (the
// project's own first, then the runtime package's marked " <RTP>"), the chosen name, and for
// image pickers a sheet of the chosen picture composed on a board for the preview. The caller
// puts the current value in, shows the dialog modally and reads the value back after OK.

#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "controls/BusyCursor.h"
#include "controls/FormQelBase.h"
#include "graphics/PrismSheet.h"

class QListWidget;

namespace Ui {
class TFormSelImage;
}

namespace tarvel {

class BoardView;

// The list half of a material picker.
class TFormSelBase : public TFormQelBase {
    Q_OBJECT
public:
    // The chosen name: a material name without folder, extension or " <RTP>" mark. Set it before
    // showing the dialog: showing builds the list and selects the name's row.
    QString FileName() const { return mFileName; }
    void SetFileName(const QString& name) { mFileName = name; }
    QString Folder() const { return mFolder; }
    QListWidget* DataList() const { return mList; }

    // Fills the list again and selects the chosen name's row (showing the dialog does this).
    void RebuildList();
    // The row of a name: the name itself, else the name with the runtime package's mark; an
    // exact match first, then one that differs only in case (a name typed in another case still
    // finds its file, so it must find its row too). -1 when absent.
    int FindNameRow(const QString& name) const;

protected:
    // scrollRows: how far below the top of the list the selected row stands after a rebuild.
    TFormSelBase(QWidget* parent, const QString& folder, const QStringList& extensions, int scrollRows = 6);
    // The derived form hands over its list once its controls exist.
    void AttachList(QListWidget* list);

    // Rows that stand before the folder's names ("(OFF)", the chip pages).
    virtual QStringList LeadingRows() const { return {}; }
    // The row selected by a rebuild: the chosen name's, else row 0.
    virtual int InitialRow() const;
    // The selected row changed (-1: none): stores the row's name, then NameChosen.
    virtual void DataListClick(int row);
    // Reaction of a derived picker to a newly chosen name.
    virtual void NameChosen() {}
    // Double-click on the list: OK, unless the picker says otherwise.
    virtual void DataListDoubleClick() { accept(); }

    void showEvent(QShowEvent* event) override;

    QString mFileName;

private:
    QString mFolder;
    QStringList mExtensions;
    int mScrollRows;
    QListWidget* mList = nullptr;
};

// A material picker with a picture preview: one sheet loaded from the chosen file, composed on a
// board of the preview's size and shown through a board view.
class TFormSelImageBase : public TFormSelBase {
    Q_OBJECT
public:
    ~TFormSelImageBase() override;
    TPrismSheet& Sheet() { return *mSheet; }
    const TPrismBoard& PreviewBoard() const { return mBoard; }
    BoardView* Preview() const { return mView; }

protected:
    // sheetSize: the picker's fixed sheet size; an empty size takes each picture's own size.
    TFormSelImageBase(QWidget* parent, const QString& folder, QSize sheetSize);
    void AttachPreview(BoardView* view, QSize previewSize);

    void NameChosen() override;
    // Loads the chosen name's picture into the sheet (blank when there is none).
    virtual void LoadSheet();
    // Draws the preview. By default the whole picture, scaled down to fit and centred.
    virtual void ComposePreview(TPrismBoard& board);
    // A left click on the preview, in board pixels.
    virtual void PreviewClick(QPoint at) {}
    // Composes the board again and shows it.
    void RepaintPreview();
    QSize PreviewSize() const { return mPreviewSize; }

    // The one-pixel white outline of a chosen cell.
    static void OutlineCell(TPrismBoard& board, const TRect& cell);
    // The picture drawn whole into the area, scaled down when larger, centred.
    static void DrawFitted(TPrismBoard& board, const TRect& area, TPrismSheet& sheet);

private:
    std::unique_ptr<TPrismSheet> mSheet;
    TPrismBoard mBoard;
    BoardView* mView = nullptr;
    QSize mSheetSize;
    QSize mPreviewSize;
};

// The plain layout of an image picker: the list, the preview, OK and Cancel. The whole-image
// pickers are this form with their caption and folder; the cell pickers add their cell rules.
class TFormSelImage : public TFormSelImageBase {
    Q_OBJECT
public:
    ~TFormSelImage() override;
    Ui::TFormSelImage* form() const { return ui.get(); }

protected:
    TFormSelImage(QWidget* parent, const QString& caption, const QString& folder, QSize sheetSize,
                  QSize previewSize);

private:
    std::unique_ptr<Ui::TFormSelImage> ui;
};

} // namespace tarvel
