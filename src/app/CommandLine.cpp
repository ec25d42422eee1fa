#include "app/CommandLine.h"

#include "ui/shell/SectionNames.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <iterator>
#include <utility>

namespace velk::app {
namespace {

struct SortName {
    const char* name;
    monitor::ProcSort sort;
};
constexpr SortName sortNames[] = {
    { "cpu", monitor::ProcSort::cpu },
    { "memory", monitor::ProcSort::mem },
    { "threads", monitor::ProcSort::threads },
    { "pid", monitor::ProcSort::pid },
    { "name", monitor::ProcSort::name },
};

QString sortKeyList()
{
    QStringList names;
    for (const SortName& s : sortNames)
        names.append(QString::fromLatin1(s.name));
    return names.join(QStringLiteral(", "));
}

CommandLine failure(QString text)
{
    CommandLine line;
    line.action = CommandLine::Action::Fail;
    line.text = std::move(text);
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-UpdateUIPreview" is one option, not the letters U, p, d, ... (among
    // them the v of --version).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Cleans the disk and shows what the system is doing."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        { QStringLiteral("section"),
          QStringLiteral("Show this section first: ") + shell::allCaseNames().join(QStringLiteral(", ")) + u'.',
          QStringLiteral("name") },
        { QStringLiteral("sort"), QStringLiteral("Sort the process list by this key first: ") + sortKeyList() + u'.',
          QStringLiteral("key") },
        { QStringLiteral("screenshot"), QStringLiteral("Save a picture of the main window to this file, then quit."),
          QStringLiteral("file") },
        { QStringLiteral("screenshot-delay"), QStringLiteral("Milliseconds to wait before --screenshot (3000)."),
          QStringLiteral("ms"), QStringLiteral("3000") },
    });
    // Errors name unknown options only, which are not ours to judge.
    parser.parse(arguments);

    CommandLine line;
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser cannot name the program.
        QString text = parser.helpText();
        text.remove(0, text.indexOf(u'\n'));
        line.action = CommandLine::Action::Print;
        line.text = QStringLiteral("Usage: ") + QFileInfo(arguments.value(0)).fileName() + QStringLiteral(" [options]")
            + text;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Print;
        line.text = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return line;
    }
    if (parser.isSet(QStringLiteral("section"))) {
        const QString name = parser.value(QStringLiteral("section"));
        line.options.section = shell::sectionFromCaseName(name);
        if (!line.options.section)
            return failure(QStringLiteral("unknown section %1\n").arg(name));
    }
    if (parser.isSet(QStringLiteral("sort"))) {
        const QString key = parser.value(QStringLiteral("sort"));
        const auto found = std::find_if(std::begin(sortNames), std::end(sortNames),
                                        [&](const SortName& s) { return key == QLatin1String(s.name); });
        if (found == std::end(sortNames))
            return failure(QStringLiteral("unknown sort key %1 (%2)\n").arg(key, sortKeyList()));
        line.options.processSort = found->sort;
    }
    line.screenshot = parser.value(QStringLiteral("screenshot"));
    line.screenshotDelayMs = parser.value(QStringLiteral("screenshot-delay")).toInt();
    return line;
}

} // namespace velk::app
