// Renders views of the program headless to PNG files.
//
//   velk-shot --gallery [--theme classic|cyber] [--lang zh-Hans|en] --out DIR
//   velk-shot --item TYPE [--props JSON] [--size WxH] [--margin PX] [--theme ...] [--lang ...] --out DIR
//   velk-shot --qml FILE [--size WxH] [--theme ...] [--lang ...] --out DIR
//
// --item renders one type of the Velk.Design module with the given
// properties. Settings are kept in memory only; nothing is written to the
// user's configuration. Runs on the offscreen platform with the software
// renderer, so effects that need shaders are not drawn.

#include "engine/cleaning/LanguageManager.h"
#include "platform/ServiceRegistry.h"
#include "support/MemoryDefaults.h"
#include "ui/design/DesignModule.h"
#include "ui/design/ThemeManager.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
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

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2)
        return {};
    return { parts[0].toInt(), parts[1].toInt() };
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

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
        { "gallery", "Render the component gallery." },
        { "item", "Render one Velk.Design type.", "type" },
        { "qml", "Render a QML file.", "file" },
        { "props", "Properties of the item, as a JSON object.", "json", "{}" },
        { "size", "Window size WxH (default: the item's implicit size).", "size" },
        { "theme", "classic or cyber.", "theme", "classic" },
        { "lang", "zh-Hans or en.", "lang", "zh-Hans" },
        { "out", "Output folder.", "dir", "." },
        { "wait", "Milliseconds to let animations settle.", "ms", "1200" },
        { "margin", "Space around the item, in pixels (default 8 with --item).", "px" },
        { "crop", "Also write the part X,Y,W,H of the picture as NAME-crop.png.", "rect" },
    });
    parser.process(app);

    const QString theme = parser.value("theme");
    const QString lang = parser.value("lang");
    if (theme != "classic" && theme != "cyber")
        return fail("unknown theme " + theme);
    if (lang != "zh-Hans" && lang != "en")
        return fail("unknown language " + lang);

    velk::platform::ScopedService<velk::platform::UserDefaults> defaults(std::make_shared<velk::test::MemoryDefaults>());
    velk::ThemeManager::shared().setCurrentRawValue(theme);
    velk::LanguageManager::shared().setCurrent(lang);

    QQmlEngine engine;
    velk::design::prepareQmlEngine(engine);
    QQmlComponent component(&engine);
    QString name;
    QVariantMap props;
    if (parser.isSet("gallery")) {
        name = "gallery";
        component.setData("import QtQuick\nimport Velk.Design\nGallery {}\n", QUrl("qrc:/velk-shot/Gallery.qml"));
    } else if (parser.isSet("item")) {
        name = parser.value("item");
        component.setData("import QtQuick\nimport Velk.Design\n" + name.toUtf8() + " {}\n", QUrl("qrc:/velk-shot/Item.qml"));
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

    QQuickWindow window;
    window.setColor(velk::ThemeManager::shared().palette().bg0);
    std::unique_ptr<QObject> object(component.createWithInitialProperties(props));
    auto* item = qobject_cast<QQuickItem*>(object.get());
    if (!item)
        return fail("the root object is not an item: " + component.errorString());
    item->setParentItem(window.contentItem());
    const int margin = parser.isSet("margin") ? parser.value("margin").toInt() : (parser.isSet("item") ? 8 : 0);
    item->setPosition(QPointF(margin, margin));
    const QSize margins(2 * margin, 2 * margin);

    QSize size = parseSize(parser.value("size"));
    if (!size.isValid() || size.isEmpty())
        size = QSize(qCeil(std::max(item->implicitWidth(), item->width())), qCeil(std::max(item->implicitHeight(), item->height())));
    if (size.isEmpty())
        return fail("the item has no size; give --size");
    item->setSize(size);
    window.resize(size + margins);
    window.show();
    settle(parser.value("wait").toInt());
    // Sizes may have grown once everything was laid out.
    if (!parser.isSet("size")) {
        const QSize grown(qCeil(item->implicitWidth()), qCeil(item->implicitHeight()));
        if (grown.isValid() && !grown.isEmpty() && grown != size) {
            item->setSize(grown);
            window.resize(grown + margins);
            settle(200);
        }
    }

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
