#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
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

// The status label has one line: it names the file, not its whole path.
QString displayName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

QString toQString(const std::u16string& text) { return QString::fromStdU16String(text); }

QString saveFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not save %1: %2.").arg(displayName(path), reason);
}

QString loadFailure(const QString& path, const QString& reason) {
    return QStringLiteral("Could not load %1: %2.").arg(displayName(path), reason);
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
    const auto encoded = encodeSettingsFile(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&encoded)) {
        txtMsg_->setText(QStringLiteral("Could not save %1. %2").arg(displayName(path), toQString(refused->message)));
        return false;
    }
    const std::string& bytes = std::get<std::string>(encoded);
    const auto size = static_cast<qint64>(bytes.size());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit()) {
        txtMsg_->setText(saveFailure(path, file.errorString()));
        return false;
    }
    txtMsg_->setText(QStringLiteral("Saved settings to %1.").arg(displayName(path)));
    return true;
}

// All or nothing: the whole file is read and checked before any control changes.
bool frmMain::LoadSettingsFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        txtMsg_->setText(loadFailure(path, QStringLiteral("no such file")));
        return false;
    }
    if (!info.isFile()) {
        txtMsg_->setText(loadFailure(path, QStringLiteral("not a regular file")));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        txtMsg_->setText(loadFailure(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(kMostBytesRead);
    if (file.error() != QFileDevice::NoError) {
        txtMsg_->setText(loadFailure(path, file.errorString()));
        return false;
    }
    if (!file.atEnd() && !holdsAllLines(bytes)) {
        txtMsg_->setText(loadFailure(path, QStringLiteral("too large for a settings file")));
        return false;
    }
    const auto decoded =
        decodeSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        txtMsg_->setText(QStringLiteral("Could not load %1. %2").arg(displayName(path), toQString(error->message)));
        return false;
    }
    applySettings(std::get<ReaderSettings>(decoded));
    txtMsg_->setText(QStringLiteral("Loaded settings from %1.").arg(displayName(path)));
    return true;
}

}  // namespace cdr
