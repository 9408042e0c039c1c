#pragma once

#include "result.h"

#include <QHash>
#include <QString>
#include <QStringView>

// The per-user store of the defaults: the section "Defaults" of the file
// <folder>/<name>/<name>.conf, where the folder is the user's configuration
// folder ($XDG_CONFIG_HOME, ~/.config) and the name the application name.
// Values are texts. The file is read once, when the store is made, and
// again after each save; it is read only when it is a regular file, without
// ever waiting on it, and in time proportional to its size. A file that is
// anything else, cannot be read or is not in the expected form is reported
// (readProblem) and reads as empty.
class SettingsStore final
{
public:
    // The store of `applicationName`; an empty name stands for the
    // executable's file name without extension, so that a renamed copy of
    // the program keeps settings of its own. An empty folder stands for the
    // user's configuration folder.
    explicit SettingsStore(
        const QString &applicationName = QString(), const QString &folder = QString());

    // The stored text, or `defaultText` when the key is absent or the store
    // could not be read.
    QString get(QStringView key, const QString &defaultText) const;
    // Writes the text at once. Fails, naming the store's file and the
    // reason, when it cannot be written.
    Status save(QStringView key, const QString &text);

    // The full path of the file that holds the store.
    QString location() const { return m_location; }
    QString applicationName() const { return m_applicationName; }
    // Why the stored values could not be read, empty when they could. The
    // values of an unreadable store read as absent.
    QString readProblem() const { return m_readProblem; }

    static QString executableName();

private:
    void read();

    QString m_applicationName;
    QString m_location;
    QString m_readProblem;
    QHash<QString, QString> m_values;
};
