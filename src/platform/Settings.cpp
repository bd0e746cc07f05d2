#include "Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "IniFile.h"
#include "Paths.h"

namespace tarvel {

namespace {

QSettings& store() {
    static QSettings settings("Ostel", "Tarvel");
    return settings;
}

// Booleans are stored as true/false; a value that is neither reads as the default instead of
// Qt's "any non-empty text is true".
bool readBool(const QString& name, bool defaultValue) {
    QVariant v = store().value(name);
    if (!v.isValid()) return defaultValue;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    QString s = v.toString().trimmed().toLower();
    if (s == "true" || s == "1") return true;
    if (s == "false" || s == "0") return false;
    return defaultValue;
}

QString readString(const QString& name) {
    QVariant v = store().value(name);
    if (!v.isValid() || !v.canConvert<QString>()) return {};
    return v.toString();
}

QString configFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Ostel";
}

const char* const kEditorSection = "Tarvel";
const char* const kProjectSection = "QUORIN";

std::string utf8(const QString& s) { return s.toStdString(); }

} // namespace

namespace UserSettings {

QString RuntimePackagePath() {
    QString path = readString("RuntimePackagePath");
    return path.isEmpty() ? path : IncludeTrailingPathDelimiter(path);
}

void SetRuntimePackagePath(const QString& path) { store().setValue("RuntimePackagePath", path); }
bool FullScreenFlag() { return readBool("FullScreenFlag", true); }
void SetFullScreenFlag(bool value) { store().setValue("FullScreenFlag", value); }
bool ShowTitleFlag() { return readBool("ShowTitleFlag", false); }
void SetShowTitleFlag(bool value) { store().setValue("ShowTitleFlag", value); }
QString MaterialPath() { return readString("MaterialPath"); }
void SetMaterialPath(const QString& path) { store().setValue("MaterialPath", path); }
bool IncludeRtpOption() { return readBool("IncludeRtpOption", false); }
void SetIncludeRtpOption(bool value) { store().setValue("IncludeRtpOption", value); }
int UndoSteps() {
    bool ok = false;
    const int steps = store().value("UndoSteps", 100).toInt(&ok);
    return ok ? std::clamp(steps, 3, 1000) : 100;
}
void SetUndoSteps(int steps) { store().setValue("UndoSteps", std::clamp(steps, 3, 1000)); }
void SetApplicationPath(const QString& path) { store().setValue("ApplicationPath", path); }

QByteArray FormPlacement(const QString& formName) {
    QVariant v = store().value(formName + "_Placement");
    return v.canConvert<QByteArray>() ? v.toByteArray() : QByteArray();
}

void SetFormPlacement(const QString& formName, const QByteArray& placement) {
    store().setValue(formName + "_Placement", placement);
}

QString ReadString(const QString& name, const QString& defaultValue) {
    QVariant v = store().value(name);
    return v.isValid() && v.canConvert<QString>() ? v.toString() : defaultValue;
}

void WriteString(const QString& name, const QString& value) { store().setValue(name, value); }

void Sync() { store().sync(); }

} // namespace UserSettings

namespace EditorIni {

QString Path() { return configFolder() + "/Tarvel.ini"; }

QString ProjectBasePath() {
    IniFile ini(utf8(Path()));
    QString path = QString::fromStdString(ini.readString(kEditorSection, "ProjectBasePath", ""));
    if (path.isEmpty()) path = QDir::homePath() + "/TarvelProjects";
    return IncludeTrailingPathDelimiter(path);
}

void SetProjectBasePath(const QString& path) {
    QDir().mkpath(configFolder());
    IniFile ini(utf8(Path()));
    ini.writeString(kEditorSection, "ProjectBasePath", utf8(IncludeTrailingPathDelimiter(path)));
    ini.save();
}

QString OpenedProjectFolder() {
    IniFile ini(utf8(Path()));
    return QString::fromStdString(ini.readString(kEditorSection, "OpenedProjectFolder", ""));
}

void SetOpenedProjectFolder(const QString& folderName) {
    QDir().mkpath(configFolder());
    IniFile ini(utf8(Path()));
    ini.writeString(kEditorSection, "OpenedProjectFolder", utf8(folderName));
    ini.save();
}

} // namespace EditorIni

namespace ProjectIni {

QString Path(const QString& projectFolder) { return IncludeTrailingPathDelimiter(projectFolder) + "QUORIN.ini"; }

QString GameTitle(const QString& projectFolder) {
    IniFile ini(utf8(Path(projectFolder)));
    return QString::fromStdString(ini.readString(kProjectSection, "GameTitle", "Untitled"));
}

void SetGameTitle(const QString& projectFolder, const QString& title) {
    IniFile ini(utf8(Path(projectFolder)));
    ini.writeString(kProjectSection, "GameTitle", utf8(title));
    ini.save();
}

int MapEditMode(const QString& projectFolder) {
    IniFile ini(utf8(Path(projectFolder)));
    int mode = ini.readInteger(kProjectSection, "MapEditMode", 0);
    return mode >= 0 && mode <= 2 ? mode : 0;
}

int MapEditZoom(const QString& projectFolder) {
    IniFile ini(utf8(Path(projectFolder)));
    int zoom = ini.readInteger(kProjectSection, "MapEditZoom", 0);
    return zoom >= 0 && zoom <= 3 ? zoom : 0;
}

void SetMapEditModeAndZoom(const QString& projectFolder, int mode, int zoom) {
    IniFile ini(utf8(Path(projectFolder)));
    ini.writeInteger(kProjectSection, "MapEditMode", mode);
    ini.writeInteger(kProjectSection, "MapEditZoom", zoom);
    ini.save();
}

void SetFullPackageFlag(const QString& projectFolder, bool present) {
    IniFile ini(utf8(Path(projectFolder)));
    if (present)
        ini.writeBool(kProjectSection, "FullPackageFlag", true);
    else
        ini.deleteKey(kProjectSection, "FullPackageFlag");
    ini.save();
}

bool HasFullPackageFlag(const QString& projectFolder) {
    IniFile ini(utf8(Path(projectFolder)));
    return ini.hasKey(kProjectSection, "FullPackageFlag");
}

} // namespace ProjectIni

} // namespace tarvel
