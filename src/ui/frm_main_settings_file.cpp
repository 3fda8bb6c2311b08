#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <variant>

#include "settings/settings_file.h"
#include "ui/frm_main.h"
#include "ui/settings_file_dialog.h"

namespace cdr {

namespace {

// A settings file is 60 bytes or so; reading stops here, so a huge or endless file cannot stall the window.
constexpr qint64 kMostBytesRead = 64 * 1024;

// The status texts name the file, not its whole path; "%1" stands for the name.
QString fileName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

QString toQString(const std::u16string& text) { return QString::fromStdU16String(text); }

QString notSaved(const QString& reason) {
    return QStringLiteral("Not saved, %1: %2").arg(reason, QStringLiteral("%1"));
}

QString notLoaded(const QString& reason) {
    return QStringLiteral("Not loaded, %1: %2").arg(reason, QStringLiteral("%1"));
}

// Whether the first bytes of a longer file already hold the settings file's lines, each ended by CR.
bool holdsAllLines(const QByteArray& bytes) {
    return std::count(bytes.begin(), bytes.end(), '\r') >= kSettingsFileLineCount;
}

}  // namespace

void frmMain::setFileDialogs(std::unique_ptr<FileDialogs> dialogs) { fileDialogs_ = std::move(dialogs); }

FileDialogs& frmMain::fileDialogs() {
    if (!fileDialogs_) {
        fileDialogs_ = std::make_unique<SettingsFileDialogs>(this);
    }
    return *fileDialogs_;
}

void frmMain::cmdSave_Click() {
    const QString path = fileDialogs().chooseFileToSave();
    if (!path.isEmpty()) {
        SaveSettingsFile(path);
    }
}

void frmMain::cmdLoad_Click() {
    const QString path = fileDialogs().chooseFileToLoad();
    if (!path.isEmpty()) {
        LoadSettingsFile(path);
    }
}

// The new content is written beside the file and replaces it in one step, so a failure leaves the old file whole.
bool frmMain::SaveSettingsFile(const QString& path) {
    const QString name = fileName(path);
    const auto encoded = encodeSettingsFile(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
        showMessage(refused->message);
        return false;
    }
    const std::string& bytes = std::get<std::string>(encoded);
    const auto size = static_cast<qint64>(bytes.size());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit()) {
        showFileMessage(notSaved(file.errorString()), name);
        return false;
    }
    showFileMessage(QStringLiteral("Saved %1"), name);
    return true;
}

// All or nothing: the whole file is read and checked before any control changes.
bool frmMain::LoadSettingsFile(const QString& path) {
    const QString name = fileName(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        showFileMessage(notLoaded(QStringLiteral("no such file")), name);
        return false;
    }
    if (!info.isFile()) {
        showFileMessage(notLoaded(QStringLiteral("not a file")), name);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        showFileMessage(notLoaded(file.errorString()), name);
        return false;
    }
    QByteArray bytes(kMostBytesRead, Qt::Uninitialized);
    const qint64 count = file.read(bytes.data(), kMostBytesRead);
    if (count < 0) {
        showFileMessage(notLoaded(QStringLiteral("read error (%1)").arg(file.errorString())), name);
        return false;
    }
    bytes.truncate(count);
    if (!file.atEnd() && !holdsAllLines(bytes)) {
        showFileMessage(notLoaded(QStringLiteral("too large")), name);
        return false;
    }
    const auto decoded =
        decodeSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        showFileMessage(notLoaded(toQString(error->message)), name);
        return false;
    }
    applySettings(std::get<ReaderSettings>(decoded));
    showFileMessage(QStringLiteral("Loaded %1"), name);
    return true;
}

}  // namespace cdr
