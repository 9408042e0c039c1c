#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

CommandLine failed(const QString &text)
{
    return {CommandLine::Outcome::Fail, QString(), text};
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("CommandLine",
        "Cleans advertising text, copy tags and extra characters out of file names."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
        QCoreApplication::translate("CommandLine", "The folder to open, for this run only."),
        QStringLiteral("[folder]"));

    const QString program = QFileInfo(arguments.value(0)).fileName();
    const auto withHint = [&](const QString &problem) {
        return QCoreApplication::translate("CommandLine", "%1: %2\nTry '%1 --help' for more.\n")
            .arg(program, problem);
    };

    if (!parser.parse(arguments))
        return failed(withHint(parser.errorText()));
    if (parser.isSet(help))
        return {Outcome::Print, QString(), parser.helpText()};
    if (parser.isSet(version)) {
        return {Outcome::Print, QString(),
            QStringLiteral("%1 %2\n").arg(program, QCoreApplication::applicationVersion())};
    }

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        return failed(
            withHint(QCoreApplication::translate("CommandLine", "Only one folder can be opened.")));
    }
    if (folders.isEmpty())
        return {};

    const QFileInfo folder(folders.front());
    if (!folder.exists()) {
        return failed(withHint(QCoreApplication::translate("CommandLine", "'%1' does not exist.")
                                   .arg(folders.front())));
    }
    if (!folder.isDir()) {
        return failed(withHint(QCoreApplication::translate("CommandLine", "'%1' is not a folder.")
                                   .arg(folders.front())));
    }
    return {Outcome::OpenWindow, QDir::cleanPath(folder.absoluteFilePath()), QString()};
}
