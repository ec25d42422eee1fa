// Renders views of the program headless to PNG files.
//
//   velk-shot --gallery [--theme classic|cyber] [--lang zh-Hans|en] --out DIR
//   velk-shot --item TYPE [--import URI] [--props JSON] [--size WxH] [--margin PX] [--theme ...] [--lang ...]
//             [--name NAME] --out DIR
//   velk-shot --qml FILE [--size WxH] [--theme ...] [--lang ...] --out DIR
//   velk-shot --app [--fixture DIR] [--section NAME] [--size WxH] [--theme ...] [--lang ...]
//             [--default KEY=VALUE ...] [--preview] [--script FILE] --out DIR
//
// --item renders one type of the Velk.Design module (or of the module
// --import names) with the given properties (a width and height among them
// size the picture). A view that takes the update controller (`updates`)
// or an offered update (`offer`) gets a controller in preview mode, which
// offers the sample update and never reaches the network. Animations
// run on a clock of their own that moves in fixed steps, so two runs give
// the same pixels. Settings are kept in memory only; nothing is written to the
// user's configuration. Runs on the offscreen platform with the software
// renderer, so effects that need shaders are not drawn.
//
// --app runs the program's own start-up code and writes the main window as
// app-SECTION-THEME-LANG.png. With --script it runs a script instead, one
// step a line ('#' starts a comment line); a step that fails stops the run
// with a message naming its line and velk-shot exits with status 1:
//   click NAME          clicks the shown item NAME; fails when it lies under
//                       an open sheet
//   hover NAME          rests the pointer on the shown item NAME (not under
//                       an open sheet)
//   scroll NAME N       turns the mouse wheel N notches over NAME (N < 0: up)
//   type NAME TEXT      focuses NAME and types TEXT (the rest of the line)
//   key KEYS            presses a key combination: Escape, Return, Ctrl+Shift+S
//                       (in the window on top, made the focus window first,
//                       so its shortcuts fire); KEYS joins the modifiers Ctrl,
//                       Shift, Alt and Meta to one key by "+": a printable
//                       character (A, 7, /, Space), Esc or Escape, Tab,
//                       Backtab, Backspace, Return, Enter, Ins, Del, Home,
//                       End, Left, Up, Right, Down, PgUp, PgDown or F1 to F12;
//                       any other name fails the step
//   alert TEXT          presses the shown alert's button labelled TEXT
//   waitFor NAME [MS]   waits until NAME is shown (10 s unless MS is given)
//   wait MS             lets MS milliseconds of animation time pass
//   shot [NAME]         writes the window on top as NAME.png into --out (the
//                       sheet when one is open, else the main window);
//                       app-SECTION-THEME-LANG.png without NAME
//   dump [FILE]         lists the named items shown, as JSON, into FILE in
//                       --out (standard output without FILE or with "-")
// Items are named by objectName; "sidebar.row[processes]" picks the row whose
// `key` (or `section`) is "processes". Names reach the main window, open
// sheets (modal windows of their own) and open alerts, the topmost first.
// Of several items of one name, steps take one that is shown: visible, not
// faded out, its centre inside its window and inside whatever clips it (not
// a list's row that left it or lies scrolled away). Steps and dumps see the
// windows as a frame lays them out. A dump lists, window by window from the
// bottom: name, text, enabled, checked, key, geometry in its window and
// identity (the item's address); items of a sheet name it under "window". Every step but wait, shot and
// dump lets 300 ms pass afterwards; shot lets 600 ms pass first.
//
// --fixture DIR reads the machine from a folder in the macOS layout instead
// of this one, with settings in memory: the home is the first folder in
// DIR/Users (else DIR/Users/me), "/Applications", "/Library", ... lie in
// DIR, a tool answers with DIR/tools/<tool>.out whatever its arguments,
// DIR/sys stands for /sys (battery, sensors), DIR/proc for /proc when it
// exists (processes, memory), DIR/etc and DIR/sys give the machine's facts.
// The run works on a copy of DIR in which every entry keeps its mode, so a
// script that removes files leaves the fixture as it was, and keeps the
// user's data, cache and configuration folders (the Trash among them) below
// the copy's home.
// tests/fixtures/mac-laptop is such a machine: applications with leftovers,
// startup items, privacy targets and a charging battery (its contents are
// listed in tests/fixtures/README.md).
//
// Example: the update prompt (a sheet) in English over the fixture laptop,
// as prompt.png
//   printf 'click sidebar.version\nwaitFor updatePrompt.install\nshot prompt\n' > s.txt
//   velk-shot --app --preview --fixture tests/fixtures/mac-laptop --lang en --script s.txt --out /tmp/shots

#include "app/QmlModules.h"
#include "engine/language/LanguageManager.h"
#include "platform/core/Clock.h"
#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"
#include "services/update/UpdateController.h"
#include "support/MemoryDefaults.h"
#include "AppShot.h"
#include "SampleBattery.h"
#include "SteppedAnimation.h"
#include "ui/design/ThemeManager.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <cstdio>
#include <memory>

namespace {

using velk::shot::settle;
using velk::shot::SteppedAnimationDriver;

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2)
        return {};
    return { parts[0].toInt(), parts[1].toInt() };
}

// An update controller in preview mode: the sample update is pending and
// offered; checks answer at once with nothing and installs never start.
std::unique_ptr<velk::UpdateController> previewUpdates(std::shared_ptr<velk::platform::settings::UserDefaults> defaults)
{
    velk::UpdateController::Dependencies deps;
    deps.defaults = std::move(defaults);
    deps.clock = velk::platform::core::service<velk::platform::core::Clock>();
    deps.executor = velk::platform::core::service<velk::platform::core::Executor>();
    deps.language = &velk::language::LanguageManager::shared();
    deps.arguments = { QStringLiteral("-UpdateUIPreview") };
    deps.fetch = [](QObject*, velk::UpdateCheck::OfferHandler handler, velk::UpdateCheck::Priority) { handler(std::nullopt); };
    deps.install = [](const velk::AppUpdate&, QObject*, velk::UpdateCheck::InstallHandler) { return false; };
    auto updates = std::make_unique<velk::UpdateController>(std::move(deps));
    updates->presentPendingIfNeeded();
    return updates;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "velk-shot: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    SteppedAnimationDriver driver;
    driver.install();

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
        { "gallery", "Render the component gallery." },
        { "item", "Render one Velk.Design type.", "type" },
        { "import", "The module of the --item type.", "uri", "Velk.Design" },
        { "name", "Name of the picture (default: the type or file name).", "name" },
        { "qml", "Render a QML file.", "file" },
        { "props", "Properties of the item, as a JSON object.", "json", "{}" },
        { "size", "Window size WxH (default: the item's implicit size).", "size" },
        { "theme", "classic or cyber.", "theme", "classic" },
        { "lang", "zh-Hans or en.", "lang", "zh-Hans" },
        { "out", "Output folder.", "dir", "." },
        { "wait", "Milliseconds of animation time to let pass before the picture.", "ms", "3000" },
        { "margin", "Space around the item, in pixels (default 8 with --item).", "px" },
        { "crop", "Also write the part X,Y,W,H of the picture as NAME-crop.png.", "rect" },
    });
    velk::shot::addAppOptions(parser);
    parser.process(app);

    const QString theme = parser.value("theme");
    const QString lang = parser.value("lang");
    if (theme != "classic" && theme != "cyber")
        return fail("unknown theme " + theme);
    if (lang != "zh-Hans" && lang != "en")
        return fail("unknown language " + lang);

    if (parser.isSet("app"))
        return velk::shot::runApp(parser, driver);

    velk::platform::core::ScopedService<velk::platform::settings::UserDefaults> defaults(std::make_shared<velk::test::MemoryDefaults>());
    velk::design::ThemeManager::shared().setCurrentRawValue(theme);
    velk::language::LanguageManager::shared().setCurrent(lang);
    const std::unique_ptr<velk::UpdateController> updates = previewUpdates(defaults.get());

    velk::platform::core::ScopedService<velk::platform::sensors::BatteryRegistry> battery(std::make_shared<velk::gallery::SampleBattery>());
    QQmlEngine engine;
    velk::app::prepareQmlEngine(engine);
    QQmlComponent component(&engine);
    QString name;
    QVariantMap props;
    if (parser.isSet("gallery")) {
        name = "gallery";
        component.setData("import QtQuick\nimport Velk.Gallery\nGallery {}\n", QUrl("qrc:/velk-shot/Gallery.qml"));
    } else if (parser.isSet("item")) {
        name = parser.value("item");
        const QByteArray module = parser.value("import").toUtf8();
        component.setData("import QtQuick\nimport Velk.Design\nimport " + module + "\n" + name.toUtf8() + " {}\n",
                          QUrl("qrc:/velk-shot/Item.qml"));
        const QJsonDocument json = QJsonDocument::fromJson(parser.value("props").toUtf8());
        if (!json.isObject())
            return fail("--props is not a JSON object");
        props = json.object().toVariantMap();
    } else if (parser.isSet("qml")) {
        const QFileInfo file(parser.value("qml"));
        name = file.completeBaseName();
        component.loadUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
    } else {
        return fail("give --gallery, --item or --qml");
    }
    if (component.isError())
        return fail(component.errorString());
    if (parser.isSet("name"))
        name = parser.value("name");

    QQuickWindow window;
    window.setColor(velk::design::ThemeManager::shared().palette().bg0);
    std::unique_ptr<QObject> object(component.beginCreate(engine.rootContext()));
    if (object) {
        const QMetaObject* type = object->metaObject();
        if (type->indexOfProperty("updates") >= 0 && !props.contains("updates"))
            props.insert("updates", QVariant::fromValue(updates.get()));
        if (type->indexOfProperty("offer") >= 0 && !props.contains("offer") && updates->promptUpdate())
            props.insert("offer", QVariant::fromValue(*updates->promptUpdate()));
        component.setInitialProperties(object.get(), props);
        component.completeCreate();
    }
    auto* item = qobject_cast<QQuickItem*>(object.get());
    if (!item)
        return fail("the root object is not an item: " + component.errorString());
    item->setParentItem(window.contentItem());
    const int margin = parser.isSet("margin") ? parser.value("margin").toInt() : (parser.isSet("item") ? 8 : 0);
    item->setPosition(QPointF(margin, margin));
    const QSize margins(2 * margin, 2 * margin);

    // The size: --size, else the width and height among --props, else the
    // item's implicit size, taken again after layout and polish have run
    // (some items learn their size only then) until it no longer changes.
    const QSize given = parseSize(parser.value("size"));
    const bool sizeGiven = given.isValid() && !given.isEmpty();
    const auto wanted = [&] {
        const auto side = [&](const char* key, int fromSize, double implicit) {
            if (sizeGiven)
                return fromSize;
            if (props.contains(key))
                return qCeil(props.value(key).toDouble());
            return qCeil(implicit);
        };
        return QSize(side("width", given.width(), item->implicitWidth()),
                     side("height", given.height(), item->implicitHeight()));
    };
    QSize size = wanted();
    item->setSize(size);
    window.resize(size + margins);
    window.show();
    settle(driver, parser.value("wait").toInt());
    for (int round = 0; round < 5 && wanted() != size; ++round) {
        size = wanted();
        item->setSize(size);
        window.resize(size + margins);
        settle(driver, 500);
    }
    if (size.isEmpty())
        return fail("the item has no size; give --size");

    const QImage image = window.grabWindow();
    if (image.isNull())
        return fail("could not grab the window");
    QDir().mkpath(parser.value("out"));
    const QString path = QDir(parser.value("out")).filePath(QString("%1-%2-%3.png").arg(name, theme, lang));
    if (!image.save(path))
        return fail("could not write " + path);
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    if (parser.isSet("crop")) {
        const QStringList r = parser.value("crop").split(u',');
        if (r.size() != 4)
            return fail("--crop needs X,Y,W,H");
        const QImage part = image.copy(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
        const QString partPath = QString(path).replace(".png", "-crop.png");
        if (!part.save(partPath))
            return fail("could not write " + partPath);
        std::printf("%s %dx%d\n", qPrintable(partPath), part.width(), part.height());
    }
    return 0;
}
