#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

// The machine's registry of settings, reached through the three calls that
// reading one value needs. Result codes, value types and the access mask keep
// the operating system's numbers, so that a native implementation passes them
// through unchanged; 0 is success and every other code means "not found".
class Registry
{
public:
    using Key = quintptr;

    static constexpr quint32 LocalMachine = 0x80000002;
    // Standard read rights (0x20000) with query value, enumerate sub-keys and
    // notify (0x19): all that reading needs, and all that a user without
    // administrator rights is granted below LocalMachine.
    static constexpr quint32 ReadAccess = 0x20019;

    static constexpr qint32 Success = 0;
    static constexpr qint32 FileNotFound = 2;
    static constexpr qint32 AccessDenied = 5;
    static constexpr qint32 InvalidHandle = 6;
    static constexpr qint32 MoreData = 234;

    static constexpr quint32 TextType = 1; // REG_SZ
    static constexpr quint32 DwordType = 4; // REG_DWORD, least significant byte first

    struct Opened
    {
        qint32 result = FileNotFound;
        Key key = 0;
    };

    struct Queried
    {
        qint32 result = FileNotFound;
        quint32 type = 0;
        // Bytes stored in the buffer; a text's count includes its closing NUL.
        // When the value does not fit (MoreData), the size it would need.
        quint32 byteCount = 0;
    };

    virtual ~Registry() = default;

    // Key paths use backslashes and, like value names, ignore letter case.
    virtual Opened openKey(Key root, const QString &path, quint32 access) = 0;
    // Reads the named value into the buffer, which keeps its size; a value
    // larger than the buffer is not read and reports MoreData.
    virtual Queried queryValue(Key key, const QString &valueName, QByteArray &buffer) = 0;
    virtual void closeKey(Key key) = 0;
};

// The registry of the machine the program runs on.
std::unique_ptr<Registry> createSystemRegistry();
