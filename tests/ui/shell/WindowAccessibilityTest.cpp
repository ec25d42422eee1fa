#include "WindowFixture.h"
#include "ui/shell/SectionNames.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

namespace velk::shell {
namespace {

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

class WindowAccessibilityTest : public WindowFixture {
protected:
    void TearDown() override { QAccessible::setActive(false); }

    // Without a bridge (offscreen) an item keeps no accessible state, so a
    // hidden one is told by the item.
    static void collect(QAccessibleInterface* iface, const QString& dialog, QList<Node>& into)
    {
        const auto* item = iface ? qobject_cast<const QQuickItem*>(iface->object()) : nullptr;
        if (!iface || iface->state().invisible || (item && (!item->isVisible() || qFuzzyIsNull(item->opacity()))))
            return;
        Node node { iface, iface->text(QAccessible::Name), dialog, {} };
        if (iface->actionInterface())
            node.actions = iface->actionInterface()->actionNames();
        node.actions.removeAll(QAccessibleActionInterface::setFocusAction());
        node.actions.removeDuplicates();
        into.append(node);
        for (int i = 0; i < iface->childCount(); ++i)
            collect(iface->child(i), iface->role() == QAccessible::Dialog ? node.name : dialog, into);
    }

    // The window's shown elements, once the controls made so far have heard
    // that a screen reader came. Every one that answers an action (scroll
    // bars are the style's) has a name and a role, carries its actions out
    // and is there once in its dialog; the sidebar's rows are among them.
    QList<Node> walk(const QString& where)
    {
        QAccessible::setActive(true);
        QList<Node> nodes;
        collect(QAccessible::queryAccessibleInterface(&window), {}, nodes);
        QSet<QString> inDialogs;
        qsizetype rows = 0;
        for (const Node& node : nodes) {
            if (node.actions.isEmpty() || node.iface->role() == QAccessible::ScrollBar)
                continue;
            const std::string what = (where + ": " + node.name + " " + node.iface->object()->objectName()).toStdString();
            EXPECT_FALSE(node.name.trimmed().isEmpty()) << what;
            EXPECT_NE(node.iface->role(), QAccessible::Client) << what;
            for (const QString& action : node.actions)
                EXPECT_TRUE(handles(node.iface->object(), action)) << action.toStdString() << " " << what;
            EXPECT_TRUE(node.dialog.isEmpty() || !inDialogs.contains(node.dialog + '/' + node.name)) << "twice " << what;
            inDialogs.insert(node.dialog + '/' + node.name);
            rows += node.iface->object()->objectName() == "sidebar.row";
        }
        EXPECT_EQ(rows, allCaseNames().size()) << where.toStdString();
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
};

TEST_F(WindowAccessibilityTest, EverySectionAndTheTerminateAlertAreUsableThroughAccessibleActionsInBothLanguages)
{
    sources->nextProcesses = { test::proc(812, 1, 5000, "/usr/sbin/nginx") };
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
            ASSERT_TRUE(test::waitFor([&] {
                return std::ranges::all_of(allCaseNames(), [&](const QString& other) {
                    return find(("section." + other).toLatin1())->isVisible() == (other == section);
                });
            })) << section.toStdString();
            settle();
            walk(texts.language + ('/' + section));
        }
        // On Processes, a row opens its detail, Terminate its alert (a
        // dialog named by its title), and the alert's Cancel closes it.
        press(driver().find("processes.row[812]"));
        ASSERT_TRUE(test::waitFor([&] { return monitor.selectedPid() == 812; }));
        settle();
        press(named(walk(texts.language), texts.terminate, QAccessible::Button));
        ASSERT_TRUE(test::waitFor([&] { return !alertTitle().isEmpty(); })) << texts.language;
        settle();
        const QList<Node> withAlert = walk(texts.language + QStringLiteral("/alert"));
        ASSERT_TRUE(named(withAlert, texts.title, QAccessible::Dialog));
        press(named(withAlert, texts.cancel, QAccessible::Button, texts.title));
        EXPECT_TRUE(test::waitFor([&] { return alertTitle().isEmpty(); })) << texts.language;
        monitor.setSelectedPid(std::nullopt);
    }
    language::LanguageManager::shared().setCurrent("zh-Hans");
}

} // namespace
} // namespace velk::shell
