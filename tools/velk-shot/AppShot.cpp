#include "AppShot.h"

#include "SteppedAnimation.h"
#include "TreeCopy.h"
#include "app/VelkCleanApp.h"
#include "engine/language/LanguageManager.h"
#include "platform/sensors/BatteryRegistry.h"
#include "platform/host/HostProbe.h"
#include "platform/locations/Locations.h"
#include "platform/host/MachineFacts.h"
#include "platform/processes/ProcessProbe.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/sensors/SmcTransport.h"
#include "platform/tools/ToolRunner.h"
#include "services/update/UpdateController.h"
#include "support/MemoryDefaults.h"
#include "support/ui/ItemDriver.h"
#include "ui/design/AppSection.h"
#include "ui/design/ThemeManager.h"
#include "ui/shell/SectionNames.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace velk::shot {
namespace {

using platform::core::ScopedService;

int fail(const QString& message)
{
    std::fprintf(stderr, "velk-shot: %s\n", qPrintable(message));
    return 1;
}

// Answers each tool with DIR/tools/<its file name>.out (exit status 0), in
// which "@MACHINE@" stands for the machine's folder (so a listing can name
// its files); a tool without such a file is not present.
class CannedTools final : public platform::tools::ToolRunner {
public:
    CannedTools(QString machine, QString folder)
        : m_machine(QFile::encodeName(machine))
        , m_folder(std::move(folder))
    {
    }

    platform::tools::ToolResult run(const platform::tools::ToolRequest& request) override
    {
        platform::tools::ToolResult result;
        QFile canned(QDir(m_folder).filePath(QFileInfo(request.tool).fileName() + ".out"));
        if (!canned.open(QIODevice::ReadOnly))
            return result;
        result.launched = true;
        result.exitStatus = 0;
        result.output = canned.readAll().replace("@MACHINE@", m_machine);
        return result;
    }

    bool launchDetached(const platform::tools::ToolRequest&) override { return false; }

private:
    QByteArray m_machine;
    QString m_folder;
};

// The services a fixture folder stands in for, bound while it lives:
// the macOS location profile over DIR (the home is the first folder in
// DIR/Users, else DIR/Users/me), canned tool output from DIR/tools, the
// battery and sensors from DIR/sys, processes and memory from DIR/proc when
// it exists, and the machine's facts from DIR/etc and DIR/sys.
struct Fixture {
    explicit Fixture(const QString& root)
        : locations(platform::locations::Locations::macProfile(root, home(root)))
        , tools(std::make_shared<CannedTools>(root, QDir(root).filePath("tools")))
        , battery(platform::sensors::BatteryRegistry::fromSysfs(QDir(root).filePath("sys")))
        , smc(platform::sensors::SmcTransport::fromSysfs(QDir(root).filePath("sys")))
        , facts(platform::host::MachineFacts::fromRoot(root))
    {
        if (QDir(root).exists("proc")) {
            host.emplace(platform::host::HostProbe::fromProc(QDir(root).filePath("proc")));
            processes.emplace(platform::processes::ProcessProbe::fromProc(QDir(root).filePath("proc")));
        }
    }

    // What the program keeps in the user's data, cache and configuration
    // folders (the Trash among them) goes below the fixture's home.
    static void keepUserFoldersIn(const QString& home)
    {
        for (const auto& [variable, folder] : {std::pair{"XDG_DATA_HOME", ".local/share"},
                                               std::pair{"XDG_CACHE_HOME", ".cache"},
                                               std::pair{"XDG_CONFIG_HOME", ".config"}})
            qputenv(variable, QFile::encodeName(QDir(home).filePath(QLatin1String(folder))));
    }

    static QString home(const QString& root)
    {
        const QDir users(QDir(root).filePath("Users"));
        const QStringList names = users.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        return users.filePath(names.isEmpty() ? QStringLiteral("me") : names.first());
    }

    ScopedService<platform::locations::Locations> locations;
    ScopedService<platform::tools::ToolRunner> tools;
    ScopedService<platform::sensors::BatteryRegistry> battery;
    ScopedService<platform::sensors::SmcTransport> smc;
    ScopedService<platform::host::MachineFacts> facts;
    std::optional<ScopedService<platform::host::HostProbe>> host;
    std::optional<ScopedService<platform::processes::ProcessProbe>> processes;
};

// "true"/"false", a number, a JSON array or object, or else the text.
QVariant parseValue(const QString& text)
{
    if (text == "true" || text == "false")
        return text == "true";
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    if (isNumber)
        return number;
    const QJsonDocument json = QJsonDocument::fromJson(text.toUtf8());
    if (json.isArray() || json.isObject())
        return json.toVariant();
    return text;
}

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2)
        return {};
    return { parts[0].toInt(), parts[1].toInt() };
}

// Runs one window through the steps of a script.
class ScriptRunner {
public:
    ScriptRunner(QQuickWindow& window, SteppedAnimationDriver& driver, QString out, QString prefix)
        : m_driver(driver)
        , m_items(window)
        , m_out(std::move(out))
        , m_prefix(std::move(prefix))
    {
    }

    // A picture of the window on top (an open sheet, else the main window)
    // as NAME.png in the output folder; <prefix>.png without a name.
    bool shot(const QString& name)
    {
        const QImage image = m_items.topWindow().grabWindow();
        const QString path = QDir(m_out).filePath((name.isEmpty() ? m_prefix : name) + ".png");
        if (image.isNull() || !image.save(path)) {
            fail("could not write " + path);
            return false;
        }
        std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
        return true;
    }

    // One line of a script; false (with a message) when it failed.
    bool step(const QString& line, int number)
    {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            return true;
        const qsizetype space = trimmed.indexOf(u' ');
        const QString command = trimmed.left(space < 0 ? trimmed.size() : space);
        const QString rest = space < 0 ? QString() : trimmed.mid(space + 1).trimmed();
        const auto error = [&](const QString& why) {
            fail(QString("script line %1: %2").arg(number).arg(why));
            return false;
        };

        if (command == "click" || command == "hover" || command == "scroll" || command == "type") {
            const QString name = command == "click" || command == "hover" ? rest : rest.section(u' ', 0, 0);
            layOut();
            QQuickItem* target = m_items.find(name);
            if (!target || !target->isVisible())
                return error("nothing shown is named " + name);
            if (!test::ItemDriver::isShown(target))
                return error(name + " lies outside its window or is cut off");
            if (command != "type" && target->window() != &m_items.topWindow())
                return error(name + " lies under an open sheet");
            if (command == "click")
                m_items.click(target);
            else if (command == "hover")
                m_items.hover(target);
            else if (command == "scroll")
                m_items.scroll(target, rest.section(u' ', 1).toInt());
            else
                m_items.type(target, rest.section(u' ', 1));
        } else if (command == "alert") {
            // alert LABEL: presses the shown alert's button of that text.
            if (!m_items.pressAlert(rest))
                return error("no alert button " + rest);
        } else if (command == "key") {
            if (!m_items.keys(rest))
                return error("not a key: " + rest);
        } else if (command == "waitFor") {
            // waitFor NAME [MS]: until an item of that name is shown.
            const QString name = rest.section(u' ', 0, 0);
            const int limit = rest.section(u' ', 1).isEmpty() ? 10000 : rest.section(u' ', 1).toInt();
            QElapsedTimer timer;
            timer.start();
            while (!shown(name)) {
                if (timer.elapsed() > limit)
                    return error("nothing named " + name + " appeared");
                settle(m_driver, 48);
            }
        } else if (command == "wait") {
            settle(m_driver, rest.toInt());
            return true;
        } else if (command == "shot") {
            settle(m_driver, 600);
            return shot(rest);
        } else if (command == "dump") {
            // One item a line.
            layOut();
            QByteArray json = "[\n";
            const QJsonArray items = m_items.dump();
            for (qsizetype i = 0; i < items.size(); ++i)
                json += "  " + QJsonDocument(items[i].toObject()).toJson(QJsonDocument::Compact)
                    + (i + 1 < items.size() ? ",\n" : "\n");
            json += "]\n";
            if (rest.isEmpty() || rest == "-") {
                std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
                return true;
            }
            QFile file(QDir(m_out).filePath(rest));
            if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size())
                return error("could not write " + file.fileName());
            std::printf("%s\n", qPrintable(file.fileName()));
            return true;
        } else {
            return error("unknown step " + command);
        }
        settle(m_driver, 300);
        return true;
    }

private:
    // Animation time passes without a frame, so what the step before changed
    // (an item made to appear or moved, a list's rows after a search) has its
    // place only once a frame has laid the windows out.
    void layOut() const
    {
        for (QQuickWindow* window : m_items.windows())
            window->grabWindow();
    }

    bool shown(const QString& name) const
    {
        layOut();
        QQuickItem* item = m_items.find(name);
        return item && test::ItemDriver::isShown(item);
    }

    SteppedAnimationDriver& m_driver;
    test::ItemDriver m_items;
    QString m_out;
    QString m_prefix;
};

} // namespace

void addAppOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        { "app", "Run the application's start-up code and render its main window." },
        { "fixture", "With --app: read the machine from (a copy of) DIR instead of this one.", "dir" },
        { "section", "With --app: the section shown first (dashboard, systemInfo, ...).", "name" },
        { "script", "With --app: steps to run (click, type, key, alert, waitFor, wait, shot, dump).", "file" },
        { "default", "With --app: a setting KEY=VALUE to start with (repeatable).", "pair" },
        { "preview", "With --app: the update preview (a sample update waits)." },
    });
}

int runApp(const QCommandLineParser& parser, SteppedAnimationDriver& driver)
{
    const QString theme = parser.value("theme");
    const QString lang = parser.value("lang");
    auto defaults = std::make_shared<test::MemoryDefaults>();
    for (const QString& pair : parser.values("default")) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals <= 0)
            return fail("--default needs KEY=VALUE: " + pair);
        defaults->seed(pair.left(equals), parseValue(pair.mid(equals + 1)));
    }
    ScopedService<platform::settings::UserDefaults> defaultsService(defaults);
    // The fixture runs from a copy: a script may remove files. The copy
    // keeps the fixture's modes, so it goes by removeTree, which empties its
    // read-only folders too.
    QTemporaryDir machine;
    machine.setAutoRemove(false);
    const auto removeMachine = qScopeGuard([&machine] {
        if (machine.isValid())
            removeTree(machine.path());
    });
    std::optional<Fixture> fixture;
    if (parser.isSet("fixture")) {
        const QString root = QDir(parser.value("fixture")).absolutePath();
        if (!QDir(root).exists())
            return fail("no fixture folder " + root);
        const QString copy = machine.filePath(QStringLiteral("machine"));
        if (!machine.isValid() || !copyTree(root, copy))
            return fail("could not copy the fixture folder " + root);
        Fixture::keepUserFoldersIn(Fixture::home(copy));
        fixture.emplace(copy);
    }

    design::ThemeManager::shared().setCurrentRawValue(theme);
    language::LanguageManager::shared().setCurrent(lang);

    app::StartOptions options;
    QString sectionName = QStringLiteral("dashboard");
    if (parser.isSet("section")) {
        sectionName = parser.value("section");
        const std::optional<design::AppSection> section = shell::sectionFromCaseName(sectionName);
        if (!section)
            return fail("unknown section " + sectionName);
        options.section = section;
    }

    // No update server is asked: a check finds nothing, or the sample
    // update in preview mode.
    UpdateController::Dependencies updateDeps = UpdateController::Dependencies::fromServices();
    updateDeps.fetch = [](QObject*, UpdateCheck::OfferHandler handler, UpdateCheck::Priority) { handler(std::nullopt); };
    updateDeps.install = [](const AppUpdate&, QObject*, UpdateCheck::InstallHandler) { return false; };
    updateDeps.arguments = parser.isSet("preview") ? QStringList { QStringLiteral("-UpdateUIPreview") } : QStringList();
    UpdateController updates(std::move(updateDeps));
    options.updates = &updates;

    app::VelkCleanApp velkClean(options);
    if (!velkClean.start())
        return fail("the main window could not be built");
    QQuickWindow* window = velkClean.mainWindow();
    const QSize size = parseSize(parser.value("size"));
    if (parser.isSet("size")) {
        if (size.isEmpty())
            return fail("--size needs WxH");
        window->resize(size);
    }
    settle(driver, parser.value("wait").toInt());

    const QString out = parser.value("out");
    QDir().mkpath(out);
    ScriptRunner runner(*window, driver, out, QString("app-%1-%2-%3").arg(sectionName, theme, lang));
    if (!parser.isSet("script"))
        return runner.shot({}) ? 0 : 1;

    QFile script(parser.value("script"));
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail("cannot read " + script.fileName());
    QTextStream lines(&script);
    for (int number = 1; !lines.atEnd(); ++number)
        if (!runner.step(lines.readLine(), number))
            return 1;
    return 0;
}

} // namespace velk::shot
