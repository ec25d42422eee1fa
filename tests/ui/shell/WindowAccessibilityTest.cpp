#include "WindowFixture.h"
#include "engine/inspection/LaunchdFixture.h"
#include "support/QtPrinters.h"
#include "ui/design/AlertPresentation.h"
#include "ui/design/Symbols.h"
#include "ui/shell/SectionNames.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
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

    // Every text item drawn in the window, symbols aside.
    static void shownTexts(QQuickItem* item, QList<QQuickItem*>& into)
    {
        if (!item->isVisible() || qFuzzyIsNull(item->opacity()))
            return;
        if (item->inherits("QQuickText") && !item->property("text").toString().trimmed().isEmpty()
            && item->property("font").value<QFont>().family() != design::SymbolTable::fontFamily())
            into.append(item);
        for (QQuickItem* child : item->childItems())
            shownTexts(child, into);
    }

    // The window's shown elements, once the controls made so far have heard
    // that a screen reader came. Every one that answers an action (scroll
    // bars are the style's) has a name and a role, carries its actions out
    // and is there once in its dialog; the sidebar's rows are among them.
    // Text fields and sliders are named, sliders with their range. What the
    // window shows as text is read: each text item is a static text named
    // by its text, or lies in an element whose name holds it; no hidden
    // text is left in the tree.
    QList<Node> walk(const QString& where)
    {
        QAccessible::setActive(true);
        QList<Node> nodes;
        QStringList hiddenTexts;
        collect(QAccessible::queryAccessibleInterface(&window), {}, nodes, hiddenTexts);
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
        EXPECT_EQ(rows, allCaseNames().size()) << where.toStdString();
        QList<QQuickItem*> texts;
        shownTexts(window.contentItem(), texts);
        for (QQuickItem* text : texts) {
            const QString shown = withoutIsolates(text->property("text").toString());
            const QQuickItem* holder = text;
            while (holder && !byObject.contains(holder))
                holder = holder->parentItem();
            const Node* node = holder ? byObject.value(holder) : nullptr;
            EXPECT_TRUE(node && (holder == text ? withoutIsolates(node->name) == shown : withoutIsolates(node->name).contains(shown.trimmed())))
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
            // Each row's switch is named by its item, its help the description.
            QSet<QString> switches;
            for (const Node& node : nodes)
                if (node.iface->object()->objectName() == u"startup.row.switch") {
                    switches.insert(node.name);
                    EXPECT_FALSE(node.iface->text(QAccessible::Description).isEmpty());
                }
            EXPECT_EQ(switches.size(), section == u"startup" ? 3 : 0) << texts.language;
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

} // namespace
} // namespace velk::shell
