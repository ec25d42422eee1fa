#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>
#include <gtest/gtest.h>
#include <mutex>

namespace velk::test {

// Fails the running test with every warning Qt and QML report from its
// making until its ending, whatever thread reports it: a screen whose QML
// does not load, binds to something missing or loops fails a test, not only
// a start of the program. A test that provokes a warning on purpose names
// it with expect(), and fails if it never comes. The messages still reach
// the handler installed before.
class WarningsFailTheTest {
public:
    // One nested in another (a fixture's and a test's own) shares its
    // record, which the outer one reports.
    WarningsFailTheTest()
    {
        std::lock_guard lock(mutex());
        if (depth++ > 0)
            return;
        state() = {};
        previous = qInstallMessageHandler(&record);
    }
    ~WarningsFailTheTest()
    {
        std::lock_guard lock(mutex());
        if (--depth > 0)
            return;
        qInstallMessageHandler(previous);
        for (const QString& warning : state().unexpected)
            ADD_FAILURE() << "Qt warned: " << warning.toStdString();
        for (const Expected& e : state().expected)
            if (!e.seen)
                ADD_FAILURE() << "no warning matched " << e.pattern.pattern().toStdString();
    }
    WarningsFailTheTest(const WarningsFailTheTest&) = delete;
    WarningsFailTheTest& operator=(const WarningsFailTheTest&) = delete;

    // Warnings matching `pattern` are part of the test; one must come.
    void expect(const QString& pattern)
    {
        std::lock_guard lock(mutex());
        state().expected.append({QRegularExpression(pattern), false});
    }

private:
    struct Expected {
        QRegularExpression pattern;
        bool seen = false;
    };
    struct State {
        QList<Expected> expected;
        QStringList unexpected;
    };

    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && !isOffscreenPlatformLimit(message)) {
            std::lock_guard lock(mutex());
            bool wanted = false;
            for (Expected& e : state().expected) {
                if (e.pattern.match(message).hasMatch())
                    wanted = e.seen = true;
            }
            if (!wanted)
                state().unexpected.append(message);
        }
        previous(type, context, message);
    }
    // What the offscreen platform the tests draw with cannot do for a window
    // (pass its size limits on, raise it) and a real one does.
    static bool isOffscreenPlatformLimit(const QString& message)
    {
        static const QRegularExpression limit(QStringLiteral("^This plugin does not support \\w+\\(\\)$"));
        return limit.match(message).hasMatch();
    }
    static State& state()
    {
        static State s;
        return s;
    }
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    inline static QtMessageHandler previous = nullptr;
    inline static int depth = 0;
};

} // namespace velk::test
