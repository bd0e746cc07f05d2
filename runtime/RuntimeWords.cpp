#include "RuntimeWords.h"

namespace tarvel::runtime {

RuntimeWords ParseRuntimeWords(const QStringList& words) {
    RuntimeWords r;
    r.received = words;
    bool titleSaid = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        bool number = false;
        const int value = w.toInt(&number);
        const bool hasValue = i + 1 < words.size();
        if (w == "TestPlay") {
            r.mode = RuntimeWords::Mode::TestPlay;
        } else if (w == "BattleTest") {
            r.mode = RuntimeWords::Mode::BattleTest;
        } else if (w == "ShowTitle" || w == "HideTitle") {
            r.showTitle = w == "ShowTitle";
            titleSaid = true;
        } else if (w == "FullScreen" || w == "Window") {
            r.fullScreen = w == "FullScreen";
        } else if (w == "--headless") {
            r.headless = true;
        } else if (w == "--input" || w == "--state" || w == "--shot" || w == "--grab") {
            if (!hasValue) {
                r.usageError = w + " needs a file name";
                continue;
            }
            const QString& file = words[++i];
            (w == "--input"   ? r.inputFile
             : w == "--state" ? r.stateFile
             : w == "--shot"  ? r.shotFile
                              : r.grabFile) = file;
        } else if (w == "--frames") {
            if (!hasValue) {
                r.usageError = "--frames needs a number of frames";
                continue;
            }
            bool ok = false;
            r.frames = words[++i].toLongLong(&ok);
            if (!ok || r.frames < 0) {
                r.usageError = "--frames needs a number of frames (0 or more), not \"" + words[i] + "\"";
                r.frames = -1;
            }
        } else if (w == "--quit-after" && hasValue) {
            r.quitAfterMs = words[++i].toInt(&number);
            if (!number || r.quitAfterMs < 0) {
                r.quitAfterMs = -1;
                r.unexpected << words[i];
            }
        } else if (number && value > 0 && r.mode == RuntimeWords::Mode::BattleTest && !r.monsterGroup) {
            r.monsterGroup = value;
        } else {
            r.unexpected << w;
        }
    }
    // Words of test play without a title word keep the title hidden, as the editor's default is.
    if (!titleSaid && words.contains("TestPlay")) r.showTitle = false;
    // The title screen belongs to test play only; a battle test goes straight into battle.
    if (r.mode == RuntimeWords::Mode::BattleTest) r.showTitle = false;
    if (r.headless && r.usageError.isEmpty()) {
        if (r.inputFile.isEmpty())
            r.usageError = "--headless needs --input KEYS.txt";
        else if (r.frames < 0)
            r.usageError = "--headless needs --frames N";
        else if (r.stateFile.isEmpty())
            r.usageError = "--headless needs --state OUT.json";
    }
    return r;
}

} // namespace tarvel::runtime
