#pragma once

// Projects for the runtime's headless mode, built by tarvel-cli from JSON that each test writes:
// a database with one hero and a chipset without a picture, a map tree with the party's start,
// and maps of open ground with the test's chips and events. The project gets the runtime as
// "QUORIN.exe", as a new project does.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <map>

namespace tarvel::test {

// Plain lower chips of the test chipset and their passability.
constexpr int kOpenChip = 5000;     // every side open
constexpr int kWallChip = 5001;     // no side open
constexpr int kLedgeChip = 5002;    // open only on its bottom side
constexpr int kCounterChip = 10001; // an upper chip: a counter
// A chipset record with those chips.
QJsonObject TestChipSet();
// A reset database with one hero "Aren", the test chipset, the switches, variables and items, and
// the common events given.
QJsonObject TestDataBase(QJsonArray commonEvents = {}, int switches = 10, int variables = 10, int items = 5);
// A map of open ground; chips set by (x, y, chip) entries of the lower layer or (with an upper
// chip number) the upper layer.
QJsonObject TestMap(int width, int height, const QJsonArray& events,
                    const QList<std::array<int, 3>>& chips = {});
// An event with one page (the page's keys given).
QJsonObject TestEvent(int id, int x, int y, QJsonObject page);
QJsonObject TestEvent(int id, int x, int y, QJsonArray pages);
// A script line.
QJsonObject ScriptLine(int code, QJsonArray params = {}, const QString& text = {}, int indent = 0);
// A script: the lines and the end line.
QJsonArray Script(QJsonArray lines);

struct THeadlessRun {
    int exitCode = -1;
    QJsonObject state;
    QString err;
};

class THeadlessProject {
public:
    // Makes the project folder under the test home; maps by ID, the party starting on the first.
    THeadlessProject(const QString& name, const QJsonObject& database, const std::map<int, QJsonObject>& maps,
                     int startMap, int startX, int startY);
    const QString& Folder() const { return mFolder; }
    // Runs the game headless with a key file; the words of test play come first unless others
    // are given.
    THeadlessRun Run(const QString& keys, int frames,
                     const QStringList& words = {"TestPlay", "HideTitle", "Window"},
                     const QString& shot = {}) const;

private:
    QString mFolder;
};

} // namespace tarvel::test
