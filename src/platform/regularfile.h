#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

// The whole content of a file that must be a regular file. Nothing else is
// read: a named pipe, a device or a folder in its place is refused without
// waiting (opening a pipe for reading would wait for a writer, and a device
// such as /dev/zero never ends), and a regular file is read in time and
// memory proportional to its size.
struct RegularFileContent
{
    enum class Outcome {
        Read,
        Missing, // nothing at the path, or a link that leads nowhere
        NotRegular,
        TooLarge,
        Failed,
    };

    Outcome outcome = Outcome::Failed;
    QByteArray bytes; // when Read
    qint64 size = 0; // the size found, when Read or TooLarge
    int errorNumber = 0; // errno, when Missing, NotRegular, TooLarge or Failed
};

// Reads the file at `path`, following links. A file larger than `maxBytes`,
// also one that grows past it while it is read, is not read.
RegularFileContent readRegularFile(
    const QString &path, qint64 maxBytes = std::numeric_limits<qint64>::max());
