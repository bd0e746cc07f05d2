#pragma once

#include <QString>
#include <QStringList>

namespace tarvel::runtime {

// What the editor asks of the runtime, from the words after the program path: test play
// ("TestPlay", "ShowTitle" or "HideTitle", "FullScreen" or "Window") or a battle test
// ("BattleTest", "HideTitle", "FullScreen" or "Window", the monster group ID).
//
// The headless mode plays without a window and without real time, for tests and scripts:
// "--headless --input KEYS.txt --frames N --state OUT.json [--shot OUT.png]", after the words of
// test play or alone. Two more words of the runtime's own drive a window from scripts: "--quit-after
// MS" closes it after MS milliseconds, "--grab FILE" writes its picture to FILE as it closes.
struct RuntimeWords {
    enum class Mode { TestPlay, BattleTest };
    Mode mode = Mode::TestPlay;
    // A game started without words (from a game disk) shows its title; test play says.
    bool showTitle = true;
    bool fullScreen = false;
    int monsterGroup = 0; // battle test: the group's ID; 0 when none was given
    int quitAfterMs = -1;
    QString grabFile;

    bool headless = false;
    QString inputFile;
    qint64 frames = -1;
    QString stateFile;
    QString shotFile;

    QStringList received;   // every word, as it came
    QStringList unexpected; // words the runtime does not know
    // What is wrong with the headless words (a missing value, a bad number), empty when nothing.
    QString usageError;
};

// Reads the words; unknown ones are kept in `unexpected`, never an error (a player who starts
// the program by hand gets the game).
RuntimeWords ParseRuntimeWords(const QStringList& words);

} // namespace tarvel::runtime
