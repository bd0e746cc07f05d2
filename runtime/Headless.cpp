#include "Headless.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstdio>

#include "FrameImage.h"
#include "GameWindow.h"
#include "MissingMaterial.h"
#include "StateJson.h"
#include "game/Game.h"
#include "game/GameKeys.h"
#include "game/GameRender.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel::runtime {

namespace {

void Fail(const QString& what) {
    std::fprintf(stderr, "QUORIN.exe: %s\n", what.toLocal8Bit().constData());
}

} // namespace

int RunHeadless(const RuntimeWords& words, const QString& gameFolder) {
    QFile keys(words.inputFile);
    if (!keys.open(QIODevice::ReadOnly)) {
        Fail(words.inputFile + ": cannot be read");
        return 1;
    }
    std::vector<game::TKeyChange> changes;
    try {
        changes = game::ParseKeyScript(keys.readAll().toStdString());
    } catch (const game::EKeyScriptError& e) {
        Fail(words.inputFile + ": " + QString::fromStdString(e.what()));
        return 2;
    }

    SetProjectPath(gameFolder);
    SetRuntimePackagePath(UserSettings::RuntimePackagePath());
    game::TGameData data;
    if (!data.Load(gameFolder.toStdString())) {
        Fail(QString::fromStdString(data.Error()));
        return 1;
    }
    game::TSilentSound sound;
    game::TFolderSaveStore saves(gameFolder.toStdString());
    TMissingMaterial materials;
    game::TGame game(data, sound, saves);
    game.Start(words.showTitle);
    game::TKeyScriptPlayer player(std::move(changes));
    size_t printed = 0;
    PrintNewNotices(game, printed);
    for (int64_t frame = 0; frame < words.frames && !game.Ended(); ++frame) {
        game.Step(player.KeysAt(frame));
        PrintNewNotices(game, printed);
    }

    QSaveFile state(words.stateFile);
    if (!state.open(QIODevice::WriteOnly) ||
        state.write(QJsonDocument(GameStateJson(game)).toJson(QJsonDocument::Indented)) < 0 ||
        !state.commit()) {
        Fail(words.stateFile + ": cannot be written");
        return 1;
    }
    if (!words.shotFile.isEmpty()) {
        game::TGameRenderer renderer;
        game::TGameFrame frame;
        renderer.Draw(game, frame);
        // The state holds what the game did; what the picture lacks is told beside it.
        for (const std::string& line : materials.TakeNew())
            Fail(QString::fromStdString(line));
        if (!FrameImage(frame, 1).save(words.shotFile, "PNG")) {
            Fail(words.shotFile + ": cannot be written");
            return 1;
        }
    }
    return 0;
}

} // namespace tarvel::runtime
