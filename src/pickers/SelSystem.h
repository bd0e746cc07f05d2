#pragma once

#include "SelBase.h"

namespace Ui {
class TFormSelSystem;
}

namespace tarvel {

// Chooses the system graphic (a 160 x 128 sheet of window parts) with the way its wallpaper
// fills a window and the message font.
class TFormSelSystem : public TFormSelImageBase {
    Q_OBJECT
public:
    explicit TFormSelSystem(QWidget* parent = nullptr);
    ~TFormSelSystem() override;
    Ui::TFormSelSystem* form() const { return ui.get(); }

    // 0 "Enlarge to Display", 1 "Tile Display".
    int WallpaperMode() const { return mWallpaperMode; }
    void SetWallpaperMode(int mode);
    // 0 the first game font, 1 the second.
    int GameFont() const { return mGameFont; }
    void SetGameFont(int font);

private:
    std::unique_ptr<Ui::TFormSelSystem> ui;
    int mWallpaperMode = 0;
    int mGameFont = 0;
};

} // namespace tarvel
