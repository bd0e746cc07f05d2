#include "HeadlessProject.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include "TestEnvironment.h"

namespace tarvel::test {

namespace {

void Build(const QJsonObject& json, const QString& out) {
    const QString file = out + ".json";
    WriteFile(file, QJsonDocument(json).toJson());
    ProcessResult r = RunProgram(BuildBinFolder() + "/tarvel-cli", {"build", file, out});
    if (!r.finished || r.exitCode != 0)
        ADD_FAILURE() << "build " << out.toStdString() << ": " << r.err.toStdString();
    QFile::remove(file);
}

QJsonArray Repeated(int value, int count) {
    QJsonArray a;
    for (int i = 0; i < count; ++i)
        a.append(value);
    return a;
}

QJsonArray Records(int count) {
    QJsonArray a;
    for (int i = 0; i < count; ++i)
        a.append(QJsonObject());
    return a;
}

} // namespace

QJsonObject TestChipSet() {
    QJsonArray lower = Repeated(15, 162);
    lower[18 + 1] = 0; // the wall
    lower[18 + 2] = 1; // the ledge: only its bottom side
    QJsonArray upper = Repeated(15, 144);
    upper[0] = 31;
    upper[1] = 0x40; // the counter
    return {{"LowerPass", lower}, {"UpperPass", upper}};
}

QJsonObject TestDataBase(QJsonArray commonEvents, int switches, int variables, int items) {
    QJsonObject db{{"kind", "database"},
                   {"heroes", QJsonArray{QJsonObject{{"Name", "Aren"}}}},
                   {"chipsets", QJsonArray{TestChipSet()}},
                   {"switches", Records(switches)},
                   {"variables", Records(variables)},
                   {"items", Records(items)}};
    if (!commonEvents.isEmpty()) db["commonEvents"] = commonEvents;
    return db;
}

QJsonObject TestMap(int width, int height, const QJsonArray& events, const QList<std::array<int, 3>>& chips) {
    QJsonArray lower = Repeated(kOpenChip, width * height), upper = Repeated(10000, width * height);
    for (const auto& c : chips)
        (c[2] >= 10000 ? upper : lower)[c[1] * width + c[0]] = c[2];
    return {{"kind", "map"},       {"ChipSetID", 1},      {"Width", width},  {"Height", height},
            {"LowerLayer", lower}, {"UpperLayer", upper}, {"Events", events}};
}

QJsonObject TestEvent(int id, int x, int y, QJsonObject page) {
    return TestEvent(id, x, y, QJsonArray{page});
}

QJsonObject TestEvent(int id, int x, int y, QJsonArray pages) {
    return {{"ID", id},
            {"Name", QString("EV%1").arg(id, 4, 10, QChar('0'))},
            {"X", x},
            {"Y", y},
            {"Pages", pages}};
}

QJsonObject ScriptLine(int code, QJsonArray params, const QString& text, int indent) {
    return {{"Code", code}, {"Indent", indent}, {"Text", text}, {"Params", params}};
}

QJsonArray Script(QJsonArray lines) {
    lines.append(ScriptLine(0));
    return lines;
}

THeadlessProject::THeadlessProject(const QString& name, const QJsonObject& database,
                                   const std::map<int, QJsonObject>& maps, int startMap, int startX,
                                   int startY) {
    mFolder = MakeTempFolder(name) + "/";
    Build(database, mFolder + "QUORIN.qdb");
    QJsonArray items{QJsonObject{{"ID", 0}, {"Name", name}, {"NodeKind", 0}}};
    QJsonArray order{0};
    for (const auto& [id, map] : maps) {
        items.append(QJsonObject{{"ID", id},
                                 {"Name", QString("MAP%1").arg(id, 4, 10, QChar('0'))},
                                 {"Depth", 1},
                                 {"NodeKind", 1},
                                 {"MusicMode", 1},
                                 {"TeleportMode", 1},
                                 {"EscapeMode", 1},
                                 {"SaveMode", 2}});
        order.append(id);
        Build(map, mFolder + QString("Map%1.qmu").arg(id, 4, 10, QChar('0')));
    }
    Build({{"kind", "maptree"},
           {"Items", items},
           {"Order", order},
           {"ActiveID", startMap},
           {"StartPositions", QJsonObject{{"PartyMapID", startMap}, {"PartyX", startX}, {"PartyY", startY}}}},
          mFolder + "QUORIN.qmt");
    QFile::copy(BuildBinFolder() + "/QUORIN.exe.dat", mFolder + "QUORIN.exe");
}

THeadlessRun THeadlessProject::Run(const QString& keys, int frames, const QStringList& words,
                                   const QString& shot) const {
    static int runs = 0;
    const QString keyFile = TestHome() + QString("/keys%1.txt").arg(++runs);
    const QString stateFile = TestHome() + QString("/state%1.json").arg(runs);
    WriteFile(keyFile, keys.toUtf8());
    QStringList arguments = words;
    arguments << "--headless"
              << "--input" << keyFile << "--frames" << QString::number(frames) << "--state" << stateFile;
    if (!shot.isEmpty()) arguments << "--shot" << shot;
    ProcessResult r = RunProgram(mFolder + "QUORIN.exe", arguments, 60000);
    THeadlessRun run;
    run.exitCode = r.finished ? r.exitCode : -1;
    run.err = QString::fromUtf8(r.err);
    run.state = QJsonDocument::fromJson(ReadFile(stateFile)).object();
    return run;
}

} // namespace tarvel::test
