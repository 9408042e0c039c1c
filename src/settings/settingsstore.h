#pragma once

#include "result.h"

#include <QString>
#include <QStringView>

// The per-user store of the defaults: the section "Defaults" of the native
// settings of the application name (on Linux
// $XDG_CONFIG_HOME/<name>/<name>.conf). Values are texts. Every call opens
// the store and releases it again, so a failed write leaves nothing behind
// that would spoil the next one.
class SettingsStore final
{
public:
    // The store of `applicationName`; an empty name stands for the
    // executable's file name without extension, so that a renamed copy of
    // the program keeps settings of its own.
    explicit SettingsStore(const QString &applicationName = QString());

    // The stored text, or `defaultText` when the key is absent or the store
    // could not be read.
    QString get(QStringView key, const QString &defaultText) const;
    // Writes the text at once. Fails, naming the store's file and the
    // reason, when it cannot be written.
    Status save(QStringView key, const QString &text);

    // The full path of the file that holds the store.
    QString location() const;
    QString applicationName() const { return m_applicationName; }
    // Why the stored values could not be read, empty when they could. The
    // values of an unreadable store read as absent.
    QString readProblem() const { return m_readProblem; }

    static QString executableName();

private:
    QString m_applicationName;
    QString m_location;
    QString m_readProblem;
};
