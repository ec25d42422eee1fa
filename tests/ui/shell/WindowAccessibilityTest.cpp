#include "WindowFixture.h"
#include "engine/inspection/LaunchdFixture.h"
#include "support/QtPrinters.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/Symbols.h"
#include "ui/shell/SectionNames.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QQmlComponent>
#include <QRegularExpression>

namespace velk::shell {
namespace {

// The machine's own layout, with a user launch-agents folder of the test's
// holding three agents, so the Startup screen lists them.
class WithLaunchAgents final : public platform::locations::Locations {
public:
    explicit WithLaunchAgents(std::shared_ptr<Locations> base)
        : m_base(std::move(base))
        , m_agents(m_tree.dir(QStringLiteral("LaunchAgents")))
    {
        for (const char* name : { "notes", "sync", "backup" })
            m_tree.fileWithContent(QStringLiteral("LaunchAgents/%1.plist").arg(name),
                test::LaunchdFixture::agent(QByteArray("com.example.") + name, QByteArray("/opt/example/") + name));
    }

    Layout layout() const override { return m_base->layout(); }
    QStringList resolveAll(const QString& location) const override
    {
        return location == u"~/Library/LaunchAgents" ? QStringList { m_agents } : m_base->resolveAll(location);
    }
    QString locationFor(const QString& path) const override { return m_base->locationFor(path); }
    QString home() const override { return m_base->home(); }
    QList<UserFolder> userFolders() const override { return m_base->userFolders(); }
    bool isSystemPath(const QString& path) const override { return m_base->isSystemPath(path); }
    bool isOperatingSystemPath(const QString& path) const override { return m_base->isOperatingSystemPath(path); }
    bool isPseudoFileSystem(const QString& path) const override { return m_base->isPseudoFileSystem(path); }
    QString trashInfoFolder() const override { return m_base->trashInfoFolder(); }

private:
    std::shared_ptr<Locations> m_base;
    test::TempTree m_tree;
    QString m_agents;
};

// One shown element of the window as a screen reader finds it.
struct Node {
    QAccessibleInterface* iface;
    QString name, dialog;  // the name of the dialog it lies in, if any
    QStringList actions;
};

// Whether the `Accessible` attached object of `object` carries `action`
// ("Press") out: Qt 6.4's buttons announce Press and act only through a
// connected handler.
bool handles(QObject* object, const QString& action)
{
    struct Peek : QObject {
        static bool connected(const QObject* o, const QMetaMethod& m) { return (o->*(&Peek::isSignalConnected))(m); }
    };
    for (QObject* child : object->children())
        if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0) {
            const int index = child->metaObject()->indexOfSignal((action.left(1).toLower() + action.mid(1) + "Action()").toLatin1());
            return index >= 0 && Peek::connected(child, child->metaObject()->method(index));
        }
    return false;
}

// `text` without the marks that isolate a name's direction, which are not
// read.
QString withoutIsolates(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("[\u2066-\u2069]")));
}

// Whether `item` and every item it lies in are drawn.
bool drawn(const QQuickItem* item)
{
    for (; item; item = item->parentItem())
        if (!item->isVisible() || qFuzzyIsNull(item->opacity()))
            return false;
    return true;
}

class WindowAccessibilityTest : public WindowFixture {
protected:
    platform::core::ScopedService<platform::locations::Locations> locations {
        std::make_shared<WithLaunchAgents>(platform::core::service<platform::locations::Locations>())
    };

    void TearDown() override { QAccessible::setActive(false); }

    // Without a bridge (offscreen) an item keeps no accessible state, so a
    // hidden one is told by the item. A hidden static text still in the tree
    // goes to `hiddenTexts`.
    static void collect(QAccessibleInterface* iface, const QString& dialog, QList<Node>& into, QStringList& hiddenTexts)
    {
        if (!iface)
            return;
        const auto* item = qobject_cast<const QQuickItem*>(iface->object());
        if (iface->state().invisible || (item && !drawn(item))) {
            if (iface->role() == QAccessible::StaticText)
                hiddenTexts.append(iface->text(QAccessible::Name) + " " + iface->object()->objectName() + " "
                                   + iface->object()->metaObject()->className());
            for (int i = 0; i < iface->childCount(); ++i)
                collect(iface->child(i), dialog, into, hiddenTexts);
            return;
        }
        Node node { iface, iface->text(QAccessible::Name), dialog, {} };
        if (iface->actionInterface())
            node.actions = iface->actionInterface()->actionNames();
        node.actions.removeAll(QAccessibleActionInterface::setFocusAction());
        node.actions.removeDuplicates();
        into.append(node);
        for (int i = 0; i < iface->childCount(); ++i)
            collect(iface->child(i), iface->role() == QAccessible::Dialog ? node.name : dialog, into, hiddenTexts);
    }

    // Every text item drawn in the window, selectable ones among them,
    // symbols aside.
    static void shownTexts(QQuickItem* item, QList<QQuickItem*>& into)
    {
        if (!item->isVisible() || qFuzzyIsNull(item->opacity()))
            return;
        if ((item->inherits("QQuickText") || item->inherits("QQuickTextEdit"))
            && !item->property("text").toString().trimmed().isEmpty()
            && item->property("font").value<QFont>().family() != design::SymbolTable::fontFamily())
            into.append(item);
        for (QQuickItem* child : item->childItems())
            shownTexts(child, into);
    }

    // The shown elements of `in` (the window by default, else the Settings
    // window or a sheet), once the controls made so far have heard that a
    // screen reader came. Every one that answers an action (scroll bars are
    // the style's) has a name and a role, carries its actions out and is
    // there once in its dialog; the window's sidebar rows are among them.
    // Text fields and sliders are named, sliders with their range. What the
    // window shows as text, selectable text too, is read: each text item is
    // a static text named by its text, or lies in an element whose name
    // holds it; no hidden text is left in the tree.
    QList<Node> walk(const QString& where) { return walk(window, where); }
    QList<Node> walk(QQuickWindow& in, const QString& where)
    {
        QAccessible::setActive(true);
        QList<Node> nodes;
        QStringList hiddenTexts;
        collect(QAccessible::queryAccessibleInterface(&in), {}, nodes, hiddenTexts);
        EXPECT_EQ(hiddenTexts, QStringList()) << where.toStdString();
        QSet<QString> inDialogs;
        QHash<const QObject*, const Node*> byObject;
        qsizetype rows = 0;
        for (const Node& node : nodes) {
            byObject.insert(node.iface->object(), &node);
            const std::string what = (where + ": " + node.name + " " + node.iface->object()->objectName()).toStdString();
            const bool mayBeUnnamed = node.iface->role() != QAccessible::EditableText && node.iface->role() != QAccessible::Slider;
            EXPECT_TRUE(mayBeUnnamed || !node.name.trimmed().isEmpty()) << what;
            if (QAccessibleValueInterface* value = node.iface->role() == QAccessible::Slider ? node.iface->valueInterface() : nullptr) {
                EXPECT_GT(value->maximumValue().toDouble(), value->minimumValue().toDouble()) << what;
                EXPECT_GT(value->minimumStepSize().toDouble(), 0.0) << what;
                ++sliders;
            }
            if (node.actions.isEmpty() || node.iface->role() == QAccessible::ScrollBar)
                continue;
            EXPECT_FALSE(node.name.trimmed().isEmpty()) << what;
            EXPECT_NE(node.iface->role(), QAccessible::Client) << what;
            for (const QString& action : node.actions)
                EXPECT_TRUE(handles(node.iface->object(), action)) << action.toStdString() << " " << what;
            EXPECT_TRUE(node.dialog.isEmpty() || !inDialogs.contains(node.dialog + '/' + node.name)) << "twice " << what;
            inDialogs.insert(node.dialog + '/' + node.name);
            rows += node.iface->object()->objectName() == "sidebar.row";
        }
        EXPECT_EQ(rows, &in == &window ? allCaseNames().size() : 0) << where.toStdString();
        QList<QQuickItem*> texts;
        shownTexts(in.contentItem(), texts);
        for (QQuickItem* text : texts) {
            const QString shown = withoutIsolates(text->property("text").toString());
            const QQuickItem* holder = text;
            while (holder && !byObject.contains(holder))
                holder = holder->parentItem();
            const Node* node = holder ? byObject.value(holder) : nullptr;
            EXPECT_TRUE(node
                && (holder == text ? node->iface->role() == QAccessible::StaticText && withoutIsolates(node->name) == shown
                                   : withoutIsolates(node->name).contains(shown.trimmed())))
                << where.toStdString() << ": unread " << shown.toStdString() << " " << text->objectName().toStdString();
        }
        return nodes;
    }

    static QObject* named(const QList<Node>& nodes, const QString& name, QAccessible::Role role, const QString& dialog = {})
    {
        for (const Node& node : nodes)
            if (node.name == name && node.iface->role() == role && (dialog.isEmpty() || node.dialog == dialog))
                return node.iface->object();
        ADD_FAILURE() << "no " << name.toStdString();
        return nullptr;
    }

    static void press(QObject* object)
    {
        if (QAccessibleInterface* iface = object ? QAccessible::queryAccessibleInterface(object) : nullptr)
            iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    // The Settings window over the window's update controller, as the
    // program makes it (hidden until shown).
    std::unique_ptr<QQuickWindow> settingsWindow()
    {
        QQmlComponent component(&engine);
        component.setData("import Velk.App\nSettingsWindow {}\n", QUrl("qrc:/test/Settings.qml"));
        std::unique_ptr<QQuickWindow> made(qobject_cast<QQuickWindow*>(
            component.createWithInitialProperties({ { "updates", QVariant::fromValue(&*updates) } })));
        EXPECT_TRUE(made) << component.errorString().toStdString();
        return made;
    }

    // The sheet `name` of `owner`, once it is shown and laid out.
    static QQuickWindow* shownSheet(QQuickWindow& owner, const char* name)
    {
        QQuickWindow* sheet = test::ItemDriver::sheetWindowOf(owner.findChild<QObject*>(name));
        return sheet && QTest::qWaitForWindowExposed(sheet) && test::laidOut(*sheet) ? sheet : nullptr;
    }

    // Whether `section` is shown, alone.
    bool showsAlone(const QString& section)
    {
        return std::ranges::all_of(allCaseNames(), [&](const QString& other) {
            return find(("section." + other).toLatin1())->isVisible() == (other == section);
        });
    }

    qsizetype sliders = 0;
};

TEST_F(WindowAccessibilityTest, EverySectionAndTheTerminateAlertAreUsableThroughAccessibleActionsInBothLanguages)
{
    sources->nextProcesses = { test::proc(812, 1, 5000, "/usr/sbin/nginx") };
    processes->running.insert(812, { 5000, "/usr/sbin/nginx" });
    ASSERT_TRUE(showRoot());
    monitor.sample();
    ASSERT_TRUE(test::waitFor([&] { return !monitor.processes().empty(); }));
    struct Texts { const char* language; QString terminate, title, cancel; };
    for (const Texts& texts : { Texts { "zh-Hans", QStringLiteral("结束进程"), QStringLiteral("结束进程？"), QStringLiteral("取消") },
             Texts { "en", "Terminate Process", "Terminate Process?", "Cancel" } }) {
        language::LanguageManager::shared().setCurrent(texts.language);
        for (const QString& section : allCaseNames()) {
            // A press on its row shows the section, alone.
            press(row(section));
            ASSERT_TRUE(test::waitFor([&] { return showsAlone(section); })) << section.toStdString();
            ASSERT_TRUE(section != u"startup" || test::waitFor([&] { return findAll("startup.row").size() == 3; }));
            settle();
            const QList<Node> nodes = walk(texts.language + ('/' + section));
            // Each row's switch is named by its item, its help the
            // description; a stat cell is named by its title and carries its
            // figure in its description, so the focus reads both.
            QSet<QString> switches;
            qsizetype figures = 0;
            for (const Node& node : nodes) {
                const QObject* object = node.iface->object();
                if (object->objectName() == u"startup.row.switch") {
                    switches.insert(node.name);
                    EXPECT_FALSE(node.iface->text(QAccessible::Description).isEmpty());
                }
                if (object->objectName().startsWith(u"dashboard.stat.") && node.iface->role() == QAccessible::Button) {
                    EXPECT_EQ(node.name.toStdString(), object->property("title").toString().toStdString());
                    EXPECT_EQ(node.iface->text(QAccessible::Description).toStdString(), object->property("value").toString().toStdString())
                        << node.name.toStdString();
                    figures += !node.iface->text(QAccessible::Description).isEmpty();
                }
            }
            EXPECT_EQ(switches.size(), section == u"startup" ? 3 : 0) << texts.language;
            EXPECT_EQ(figures, section == u"dashboard" ? 3 : 0) << texts.language;
        }
        EXPECT_GT(sliders, 0);
        // On Processes, a row opens its detail, Terminate its alert (a
        // dialog named by its title), and the alert's Cancel closes it.
        press(driver().find("processes.row[812]"));
        ASSERT_TRUE(test::waitFor([&] { return monitor.selectedPid() == 812; }));
        settle();
        press(named(walk(texts.language), texts.terminate, QAccessible::Button));
        ASSERT_TRUE(test::waitFor([&] { return !alertTitle().isEmpty(); })) << texts.language;
        settle();
        const QList<Node> withAlert = walk(texts.language + QStringLiteral("/alert"));
        QObject* dialog = named(withAlert, texts.title, QAccessible::Dialog);
        ASSERT_TRUE(dialog);
        // The dialog is described by its message, which is read inside it.
        const QString message = design::PresentationHost::alertHost(&window)->message();
        EXPECT_FALSE(message.isEmpty());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog)->text(QAccessible::Description), message);
        EXPECT_TRUE(named(withAlert, message, QAccessible::StaticText, texts.title));
        // Nothing behind the alert acts, as no pointer reaches it: the
        // section, the selection and the alert stay, and no other alert
        // waits behind it.
        for (const Node& node : withAlert)
            if (node.dialog.isEmpty() && node.iface->role() != QAccessible::ScrollBar)
                for (const QString& action : node.actions)
                    node.iface->actionInterface()->doAction(action);
        settle();
        EXPECT_TRUE(showsAlone("processes")) << texts.language;
        EXPECT_EQ(monitor.selectedPid(), 812);
        EXPECT_EQ(alertTitle(), texts.title);
        EXPECT_EQ(design::PresentationHost::alertHost(&window)->pendingCount(), 0);
        press(named(withAlert, texts.cancel, QAccessible::Button, texts.title));
        EXPECT_TRUE(test::waitFor([&] { return alertTitle().isEmpty(); })) << texts.language;
        monitor.setSelectedPid(std::nullopt);
    }
    language::LanguageManager::shared().setCurrent("zh-Hans");
}

// The Settings window is read as the main window is: its page, the answer
// to a check asked for there, the legal reader with each document and the
// update prompt, in both languages.
TEST_F(WindowAccessibilityTest, TheSettingsWindowAndItsSheetsAreReadInBothLanguages)
{
    updates.turn();
    ASSERT_TRUE(updates.answer(std::nullopt));
    const std::unique_ptr<QQuickWindow> settings = settingsWindow();
    ASSERT_TRUE(settings);
    settings->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(settings.get()));
    struct Texts { const char* language; QString check, failed, ok, privacy, terms, close; };
    for (const Texts& texts : { Texts { "zh-Hans", QStringLiteral("检查更新"), QStringLiteral("检查失败"), QStringLiteral("好"),
                                    QStringLiteral("隐私政策"), QStringLiteral("使用条款"), QStringLiteral("关闭") },
             Texts { "en", "Check for Updates", "Check Failed", "OK", "Privacy policy", "Terms of use", "Close" } }) {
        language::LanguageManager::shared().setCurrent(texts.language);
        const QString where = texts.language + QStringLiteral("/settings");
        ASSERT_TRUE(test::laidOut(*settings));
        const QList<Node> page = walk(*settings, where);
        EXPECT_GT(sliders, 0);

        // What a check asked for here found is read in its alert there.
        press(named(page, texts.check, QAccessible::Button));
        ASSERT_TRUE(updates.answer(std::nullopt));
        ASSERT_TRUE(test::waitFor([&] { return test::ItemDriver(*settings).alertTitle() == texts.failed; }));
        ASSERT_TRUE(test::laidOut(*settings));
        const QList<Node> answered = walk(*settings, where + "/answer");
        press(named(answered, texts.ok, QAccessible::Button, texts.failed));
        ASSERT_TRUE(test::waitFor([&] { return test::ItemDriver(*settings).alertTitle().isEmpty(); }));

        // The legal reader reads each document whole.
        for (const QString& document : { texts.privacy, texts.terms }) {
            press(named(page, document, QAccessible::Button));
            QQuickWindow* reader = shownSheet(*settings, "settings.legalSheet");
            ASSERT_TRUE(reader) << document.toStdString();
            press(named(walk(*reader, where + '/' + document), texts.close, QAccessible::Button, document));
            ASSERT_TRUE(test::waitFor([&] { return !reader->isVisible(); })) << document.toStdString();
        }
    }
    // The update prompt reads both versions and the notes, in either
    // language while it is open.
    press(named(walk(*settings, "settings"), QStringLiteral("Check for Updates"), QAccessible::Button));
    AppUpdate offer = test::UpdateDouble::newer();
    offer.notes = QStringLiteral("Faster scans.\nFewer clicks.");
    ASSERT_TRUE(updates.answer(offer));
    QQuickWindow* prompt = shownSheet(*settings, "updatePrompt.sheet");
    ASSERT_TRUE(prompt);
    for (const char* language : { "en", "zh-Hans" }) {
        language::LanguageManager::shared().setCurrent(language);
        ASSERT_TRUE(test::laidOut(*prompt));
        walk(*prompt, language + QStringLiteral("/prompt"));
    }
    language::LanguageManager::shared().setCurrent("zh-Hans");
}

} // namespace
} // namespace velk::shell
