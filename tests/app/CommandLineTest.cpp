#include "app/CommandLine.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace velk::app {
namespace {

// The built program answers --help and --version on standard output and
// quits at once, before it needs a display (none is given here, so a
// program that went on to start would fail).
TEST(CommandLine, HelpAndVersionPrintAndQuitWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const auto run = [&](const QString& option) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VELK_PROGRAM), { option });
        EXPECT_TRUE(program.waitForFinished(30000)) << qPrintable(option);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << qPrintable(option);
        EXPECT_EQ(program.exitCode(), 0) << qPrintable(option) << program.readAllStandardError().constData();
        return QString::fromLocal8Bit(program.readAllStandardOutput());
    };
    for (const QString& option : { QStringLiteral("--help"), QStringLiteral("-h") }) {
        const QString help = run(option);
        EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: velkclean [options]\n"))) << qPrintable(help);
        for (const char* listed : { "--section <name>", "processes", "--sort <key>", "memory", "--screenshot <file>",
                                    "--screenshot-delay <ms>", "--version" })
            EXPECT_TRUE(help.contains(QLatin1String(listed))) << listed << "\n" << qPrintable(help);
    }
    EXPECT_EQ(run(QStringLiteral("--version")), QStringLiteral("VelkClean " VELK_VERSION "\n"));
}

TEST(CommandLine, ReadsItsOptionsAndLeavesOthersAlone)
{
    const auto parse = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("/opt/velk/velkclean"));
        return parseCommandLine(arguments);
    };
    CommandLine plain = parse({});
    EXPECT_EQ(plain.action, CommandLine::Action::Start);
    EXPECT_FALSE(plain.options.section);
    EXPECT_FALSE(plain.options.processSort);
    EXPECT_TRUE(plain.screenshot.isEmpty());

    const CommandLine full = parse({ "--section", "processes", "--sort=memory", "--screenshot", "shot.png",
                                     "--screenshot-delay", "1500" });
    EXPECT_EQ(full.action, CommandLine::Action::Start);
    EXPECT_EQ(full.options.section, std::optional<design::AppSection>(design::AppSection::processes));
    EXPECT_TRUE(full.options.processSort == monitor::ProcSort::mem);
    EXPECT_EQ(full.screenshot, "shot.png");
    EXPECT_EQ(full.screenshotDelayMs, 1500);

    // Qt's own options and the update preview switch are words, not runs
    // of one-letter options (which would hold the v of --version).
    EXPECT_EQ(parse({ "-UpdateUIPreview", "-platform", "offscreen", "-reverse" }).action, CommandLine::Action::Start);

    for (const QStringList& wrong : { QStringList{ "--section", "nowhere" }, QStringList{ "--sort", "size" } }) {
        const CommandLine line = parse(wrong);
        EXPECT_EQ(line.action, CommandLine::Action::Fail) << qPrintable(wrong.join(' '));
        EXPECT_TRUE(line.text.contains(wrong.last())) << qPrintable(line.text);
    }
}

} // namespace
} // namespace velk::app
