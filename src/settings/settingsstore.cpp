#include "settingsstore.h"

#include "filename.h"
#include "oserror.h"
#include "regularfile.h"
#include "settingkeys.h"
#include "settingstexts.h"
#include "storetext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

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
    if (file.exists() && !file.isFile())
        return failure(EINVAL, SettingsTexts::notRegularFile());
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

SettingsStore::SettingsStore(const QString &applicationName, const QString &folder)
    : m_applicationName(applicationName.isEmpty() ? executableName() : applicationName)
{
    const QString base = folder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : folder;
    m_location = QDir::cleanPath(
        joinedPath(joinedPath(base, m_applicationName), m_applicationName + u".conf"_s));
    read();
}

void SettingsStore::read()
{
    m_values.clear();
    m_readProblem.clear();
    const RegularFileContent file = readRegularFile(m_location);
    switch (file.outcome) {
    case RegularFileContent::Outcome::Read:
        if (std::optional<QHash<QString, QString>> values
            = StoreText::section(file.bytes, SettingKeys::Section))
            m_values = std::move(*values);
        else
            m_readProblem = SettingsTexts::storeMalformed(displayPath(m_location));
        break;
    case RegularFileContent::Outcome::Missing: // the first run
        break;
    case RegularFileContent::Outcome::NotRegular:
        m_readProblem = SettingsTexts::storeNotReadable(
            displayPath(m_location), SettingsTexts::notRegularFile());
        break;
    case RegularFileContent::Outcome::TooLarge:
    case RegularFileContent::Outcome::Failed:
        m_readProblem = SettingsTexts::storeNotReadable(
            displayPath(m_location), systemReason(file.errorNumber));
        break;
    }
}

QString SettingsStore::executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString SettingsStore::get(QStringView key, const QString &defaultText) const
{
    return m_values.value(key.toString(), defaultText);
}

Status SettingsStore::save(QStringView key, const QString &text)
{
    // The settings object reads the file before writing it, and would wait
    // for ever on a named pipe put in its place.
    if (const QFileInfo file(m_location); file.exists() && !file.isFile())
        return writeFailure(key, m_location);
    {
        QSettings settings(m_location, QSettings::IniFormat);
        settings.setValue(fullKey(key), text);
        settings.sync();
        // A format error found while merging does not stop the write; only
        // a refused write does, and the file must be there afterwards.
        const QFileInfo file(m_location);
        if (settings.status() == QSettings::AccessError || !file.isFile() || !file.isWritable())
            return writeFailure(key, m_location);
    }
    read();
    return Status::success();
}
