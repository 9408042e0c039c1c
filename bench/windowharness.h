#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class FileSystem;

// The main window as a user has it, offscreen, opened on one folder with
// every switch on, the limit at its highest and a removal list of its own,
// so that a benchmark can press Execute and time the pass it runs.
class WindowHarness final
{
public:
    WindowHarness(FileSystem &fileSystem, const QString &folder, const QStringList &removals);
    ~WindowHarness();
    WindowHarness(const WindowHarness &) = delete;
    WindowHarness &operator=(const WindowHarness &) = delete;

    // Presses Execute; returns the seconds from the press to "Completed".
    double execute();
    // Chooses File, Preview; the Preview window is modal, so whatever answers
    // it must already be waiting (a timer).
    void preview();
    QString panel(const QString &key) const;

private:
    struct Parts;
    QTemporaryDir m_settings;
    std::unique_ptr<Parts> m_parts;
};
