#pragma once

#include <QString>
#include <QStringList>

namespace tarvel::runtime {

// What the editor asks of the runtime, from the words after the program path: test play
// ("TestPlay", "ShowTitle" or "HideTitle", "FullScreen" or "Window") or a battle test
// ("BattleTest", "HideTitle", "FullScreen" or "Window", the monster group ID). Two words of the
// viewer's own, never passed by the editor, drive it from scripts and tests: "--quit-after MS"
// closes the window after MS milliseconds, "--grab FILE" writes the window's picture to FILE as it
// closes.
struct RuntimeWords {
    enum class Mode { TestPlay, BattleTest };
    Mode mode = Mode::TestPlay;
    bool showTitle = false;
    bool fullScreen = false;
    int monsterGroup = 0; // battle test: the group's ID; 0 when none was given
    int quitAfterMs = -1;
    QString grabFile;
    QStringList received;   // every word, as it came
    QStringList unexpected; // words the viewer does not know
};

// Reads the words; unknown ones are kept in `unexpected`, never an error (a player who starts
// the program by hand, without words, gets the test-play view).
RuntimeWords ParseRuntimeWords(const QStringList& words);

} // namespace tarvel::runtime
