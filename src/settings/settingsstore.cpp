#include "settingsstore.h"

#include "settingkeys.h"
#include "settingstexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

// The application name doubles as the organisation, so the native store
// on Linux is <config>/<name>/<name>.conf rather than a file shared by
// several programs.
QSettings openStore(const QString &applicationName)
{
    return QSettings(
        QSettings::NativeFormat, QSettings::UserScope, applicationName, applicationName);
}

QString fullKey(QStringView key)
{
    return SettingKeys::Section.toString() + u'/' + key.toString();
}

QString displayPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why the file cannot be written, found by looking at the file and the
// folders above it, since the settings object only says that it failed.
Failure writeFailure(QStringView key, const QString &location)
{
    const auto failure = [&](int number, const QString &reason) {
        return Failure{number, SettingsTexts::cannotSave(key, displayPath(location), reason)};
    };

    const QFileInfo file(location);
    if (file.isDir())
        return failure(EISDIR, u"a folder stands in place of the file"_s);
    if (file.exists() && !file.isWritable())
        return failure(EACCES, u"the file is write-protected"_s);

    QString folder = file.absolutePath();
    while (!QFileInfo::exists(folder) && QFileInfo(folder).absolutePath() != folder)
        folder = QFileInfo(folder).absolutePath();
    const QFileInfo existing(folder);
    if (!existing.isDir())
        return failure(
            ENOTDIR, u"'%1' is a file, so no folder can be made there"_s.arg(displayPath(folder)));
    if (!existing.isWritable())
        return failure(EACCES, u"the folder '%1' is write-protected"_s.arg(displayPath(folder)));
    return failure(EIO, u"the file could not be written"_s);
}

} // namespace

SettingsStore::SettingsStore(const QString &applicationName)
    : m_applicationName(applicationName.isEmpty() ? executableName() : applicationName)
{
    QSettings settings = openStore(m_applicationName);
    m_location = settings.fileName();
    // Sections are parsed when first used, so a malformed file shows only
    // once its keys are asked for.
    settings.beginGroup(SettingKeys::Section);
    settings.childKeys();
    settings.endGroup();
    switch (settings.status()) {
    case QSettings::NoError:
        break;
    case QSettings::AccessError:
        m_readProblem = SettingsTexts::storeNotReadable(displayPath(m_location));
        break;
    case QSettings::FormatError:
        m_readProblem = SettingsTexts::storeMalformed(displayPath(m_location));
        break;
    }
}

QString SettingsStore::executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString SettingsStore::get(QStringView key, const QString &defaultText) const
{
    if (!m_readProblem.isEmpty())
        return defaultText;
    const QSettings settings = openStore(m_applicationName);
    const QVariant value = settings.value(fullKey(key));
    if (!value.isValid())
        return defaultText;
    // The native format reads an unquoted text with commas as a list; a
    // value typed by hand that way still means the text with its commas.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

Status SettingsStore::save(QStringView key, const QString &text)
{
    QSettings settings = openStore(m_applicationName);
    settings.setValue(fullKey(key), text);
    settings.sync();
    // A format error found while merging does not stop the write; only a
    // refused write does, and the file must be there afterwards.
    const QFileInfo file(m_location);
    if (settings.status() == QSettings::AccessError || !file.isFile() || !file.isWritable())
        return writeFailure(key, m_location);
    return Status::success();
}

QString SettingsStore::location() const
{
    return m_location;
}
