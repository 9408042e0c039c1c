#include "systeminfolookup.h"

#include "enginetexts.h"
#include "textconversions.h"

#include <QDir>
#include <QFileInfo>

#include <QCoreApplication>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype ValueBufferSize = 1024;

const QString ToolPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ToolPathValue = QStringLiteral("PATH");
const QString ToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString ToolFolderValue = QStringLiteral("MSINFO");
const QString ToolFileName = QStringLiteral("MSINFO32.EXE");

QString unavailableMessage()
{
    return QCoreApplication::translate(
        "SystemInfoLookup", "System Information Is Unavailable At This Time");
}

// The registry stores a number least significant byte first. Decimal rather
// than a hexadecimal literal: nothing reads the text back as a number, and
// decimal is what a person recognises.
QString dwordText(QByteArrayView bytes)
{
    quint32 value = 0;
    const qsizetype used = std::min<qsizetype>(bytes.size(), 4);
    for (qsizetype i = used - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[i]);
    return TextConversions::numberText(value);
}

} // namespace

SystemInfoLookup::SystemInfoLookup(Registry &registry, ProgramStarter &starter, TellUser tellUser)
    : m_registry(registry)
    , m_starter(starter)
    , m_tellUser(std::move(tellUser))
{ }

void SystemInfoLookup::StartSysInfo()
{
    const std::optional<QString> program = registeredTool();
    if (!program || !m_starter.start(*program).ok())
        m_tellUser(unavailableMessage());
}

std::optional<QString> SystemInfoLookup::registeredTool()
{
    // The registered path is used unchanged; only the folder of the second
    // place is checked for the file, as nothing else names the program there.
    QString path;
    const Result<bool> registered
        = GetKeyValue(Registry::LocalMachine, ToolPathKey, ToolPathValue, path);
    if (!registered.ok())
        return std::nullopt;
    if (registered.value())
        return path;

    const Result<bool> located
        = GetKeyValue(Registry::LocalMachine, ToolFolderKey, ToolFolderValue, path);
    if (!located.ok() || !located.value())
        return std::nullopt;
    const QString program = path + QDir::separator() + ToolFileName;
    if (!QFileInfo(program).isFile())
        return std::nullopt;
    return program;
}

Result<bool> SystemInfoLookup::GetKeyValue(
    quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    const Registry::Opened opened = m_registry.openKey(KeyRoot, KeyName, Registry::ReadAccess);
    if (opened.result != Registry::Success) {
        KeyVal.clear();
        return false;
    }

    QByteArray buffer(ValueBufferSize, '\0');
    const Registry::Queried queried = m_registry.queryValue(opened.key, SubKeyRef, buffer);
    // Closed before the value is looked at, so that no outcome below leaves
    // the key open.
    m_registry.closeKey(opened.key);
    if (queried.result != Registry::Success) {
        KeyVal.clear();
        return false;
    }
    if (queried.byteCount == 0) {
        return Failure{EngineTexts::InvalidArgumentNumber,
            QCoreApplication::translate(
                "SystemInfoLookup", "The registry value '%1' of '%2' holds no bytes")
                .arg(SubKeyRef, KeyName)};
    }

    QByteArrayView stored
        = QByteArrayView(buffer).first(std::min<qsizetype>(queried.byteCount, buffer.size()));
    if (stored.endsWith('\0'))
        stored.chop(1);

    switch (queried.type) {
    case Registry::TextType:
        KeyVal = QString::fromLocal8Bit(stored);
        break;
    case Registry::DwordType:
        KeyVal = dwordText(stored);
        break;
    default:
        break;
    }
    return true;
}
