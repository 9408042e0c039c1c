#pragma once

#include <QList>
#include <QString>

class FileSystem;
class PassHost;
struct PassSettings;

// One line of a preview: a file that the pass would rename, a read-only
// file that would only lose the bit, or a failure that it would report.
struct PreviewRow
{
    QString folder; // relative to the start folder; empty for the start folder
    QString name;
    QString newName; // empty for a failure, and for a file that keeps its name
    bool numbered = false; // the cleaned name is taken and gets a number
    bool readOnly = false; // the pass would clear the file's read-only bit
    QString failure; // the failure's description; empty for a rename
};

struct Preview
{
    qint32 read = 0; // files the pass would read
    qint32 renamed = 0; // files it would rename
    qint32 readOnlyCleared = 0; // files that would keep their names and lose the bit
    QList<PreviewRow> rows; // in the order in which the pass would act
    // Set when the pass would not start: the message Execute would show.
    QString inputError;
    bool stopped = false; // the front end stopped it before it was done
};

// What Execute would do to the tree as it stands, computed by the same pass
// over a file system that records renames and attribute changes in memory
// and changes nothing on disk. No question is asked, every failure becomes a
// row. `progress`, when given, is told of every file read and asked whether
// to stop.
Preview previewPass(
    FileSystem &fileSystem, const PassSettings &settings, PassHost *progress = nullptr);
