#pragma once

#include "RecordingMonitorGate.h"
#include "engine/language/LanguageManager.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeMonitorSources.h"
#include "support/FakeProcessProbe.h"
#include "support/FakeWorkspace.h"
#include "support/UpdateDouble.h"
#include "support/ui/ScreenFixture.h"
#include "ui/design/ThemeManager.h"
#include "ui/shell/SectionNavigator.h"
#include "ui/shell/SidebarLayout.h"
#include "ui/shell/WindowModels.h"

namespace velk::shell {

// The window's root view (sidebar and every section) over doubles: a fake
// monitor, process probe, update service and workspace, and a navigator
// whose monitor gate records its switches. No process of this machine is
// held or signalled.
class WindowFixture : public test::ScreenFixture {
protected:
    std::shared_ptr<test::RecordingMonitorGate::Log> log = std::make_shared<test::RecordingMonitorGate::Log>();
    SectionNavigator navigator { std::make_unique<test::RecordingMonitorGate>(log) };
    SidebarLayout layout { defaults };
    test::UpdateDouble updates;
    std::shared_ptr<test::FakeProcessProbe> processes = std::make_shared<test::FakeProcessProbe>();
    platform::core::ScopedService<platform::processes::ProcessProbe> processProbe { processes };
    std::shared_ptr<test::FakeMonitorSources> sources = std::make_shared<test::FakeMonitorSources>();
    monitor::SystemMonitor monitor { sources };
    WindowModels models { monitor, language::LanguageManager::shared(), design::ThemeManager::shared(), *updates,
                          std::make_shared<test::FakeWorkspace>() };

    // The view goes before the objects it shows.
    ~WindowFixture() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QQuickItem* showRoot()
    {
        QQuickItem* root = build("ContentView",
            { { "navigator", QVariant::fromValue(&navigator) }, { "layout", QVariant::fromValue(&layout) },
                { "models", QVariant::fromValue(&models) } });
        if (root)
            QMetaObject::invokeMethod(root, "appear");
        return root;
    }

    // The sidebar row of the section `section` (a case name).
    QQuickItem* row(const QString& section)
    {
        for (QQuickItem* r : findAll("sidebar.row"))
            if (r->property("section").toString() == section)
                return r;
        ADD_FAILURE() << section.toStdString();
        return nullptr;
    }
};

} // namespace velk::shell
