#include "registry.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The desktop keeps no registry. This one answers for the single key through
// which the machine names its system-information tool: its "PATH" value is
// the first such tool of the desktop found on the search path. Every other
// key, including the folder-only place some systems use, does not exist.
class DesktopRegistry final : public Registry
{
public:
    Opened openKey(Key root, const QString &path, quint32 access) override
    {
        Q_UNUSED(access);
        if (root == LocalMachine
            && path.compare(u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, Qt::CaseInsensitive)
                == 0) {
            return {Success, SystemInfoKey};
        }
        return {FileNotFound, 0};
    }

    Queried queryValue(Key key, const QString &valueName, QByteArray &buffer) override
    {
        if (key != SystemInfoKey)
            return {InvalidHandle, 0, 0};
        if (valueName.compare(u"PATH"_s, Qt::CaseInsensitive) != 0)
            return {FileNotFound, 0, 0};

        const QString program = installedTool();
        if (program.isEmpty())
            return {FileNotFound, 0, 0};

        QByteArray text = QFile::encodeName(program);
        text.append('\0');
        const auto byteCount = static_cast<quint32>(text.size());
        if (text.size() > buffer.size())
            return {MoreData, TextType, byteCount};
        std::copy(text.cbegin(), text.cend(), buffer.begin());
        return {Success, TextType, byteCount};
    }

    void closeKey(Key key) override { Q_UNUSED(key); }

private:
    static constexpr Key SystemInfoKey = 1;

    static QString installedTool()
    {
        // In order of preference: the fullest hardware and system report first.
        const QStringList tools{u"kinfocenter"_s, u"hardinfo"_s, u"gnome-system-monitor"_s};
        for (const QString &tool : tools) {
            const QString path = QStandardPaths::findExecutable(tool);
            if (!path.isEmpty())
                return path;
        }
        return {};
    }
};

} // namespace

std::unique_ptr<Registry> createSystemRegistry()
{
    return std::make_unique<DesktopRegistry>();
}
