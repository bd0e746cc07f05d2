#include "RuntimeWords.h"

namespace tarvel::runtime {

RuntimeWords ParseRuntimeWords(const QStringList& words) {
    RuntimeWords r;
    r.received = words;
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        bool number = false;
        int value = w.toInt(&number);
        if (w == "TestPlay") {
            r.mode = RuntimeWords::Mode::TestPlay;
        } else if (w == "BattleTest") {
            r.mode = RuntimeWords::Mode::BattleTest;
        } else if (w == "ShowTitle" || w == "HideTitle") {
            r.showTitle = w == "ShowTitle";
        } else if (w == "FullScreen" || w == "Window") {
            r.fullScreen = w == "FullScreen";
        } else if ((w == "--quit-after" || w == "--grab") && i + 1 < words.size()) {
            if (w == "--grab") {
                r.grabFile = words[++i];
            } else {
                r.quitAfterMs = words[++i].toInt(&number);
                if (!number || r.quitAfterMs < 0) {
                    r.quitAfterMs = -1;
                    r.unexpected << words[i];
                }
            }
        } else if (number && value > 0 && r.mode == RuntimeWords::Mode::BattleTest && !r.monsterGroup) {
            r.monsterGroup = value;
        } else {
            r.unexpected << w;
        }
    }
    // The title screen belongs to test play only; a battle test goes straight into battle.
    if (r.mode == RuntimeWords::Mode::BattleTest) r.showTitle = false;
    return r;
}

} // namespace tarvel::runtime
