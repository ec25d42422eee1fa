#pragma once

#include "engine/cleaning/AppListModel.h"
#include "engine/cleaning/AppUninstallViewModel.h"
#include "engine/cleaning/FileItemListModel.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "engine/cleaning/PrivacyViewModel.h"
#include "engine/cleaning/ScanCategoryListModel.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "engine/inspection/StartupItemListModel.h"
#include "engine/inspection/StartupViewModel.h"
#include "engine/monitor/ProcessListModel.h"
#include "engine/monitor/SystemMonitor.h"
#include "common/lists/ListModel.h"
#include "services/update/AppUpdate.h"
#include "services/update/UpdateController.h"

#include <QtQml/qqml.h>

// The engine types the views are handed, known to QML by name so that
// `required property SystemJunkViewModel viewModel` is checked. They are made
// in C++ (by the window's composition root) and never from QML; the engines
// themselves stay free of QML. (No type registered here is `final`: the
// registration may derive from it.)
namespace velk::models {

struct ListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::lists::ListModel)
    QML_NAMED_ELEMENT(ListModel)
    QML_UNCREATABLE("Lists are made by the engines.")
};

struct ProcessListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::monitor::ProcessListModel)
    QML_NAMED_ELEMENT(ProcessListModel)
    QML_UNCREATABLE("The monitor owns the process list.")
};

struct ScanCategoryListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::ScanCategoryListModel)
    QML_NAMED_ELEMENT(ScanCategoryListModel)
    QML_UNCREATABLE("The junk view model owns its category list.")
};

struct SystemMonitorForeign {
    Q_GADGET
    QML_FOREIGN(velk::monitor::SystemMonitor)
    QML_NAMED_ELEMENT(SystemMonitor)
    QML_UNCREATABLE("Views are handed the monitor by the window.")
};

struct SystemJunkViewModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::SystemJunkViewModel)
    QML_NAMED_ELEMENT(SystemJunkViewModel)
    QML_UNCREATABLE("Views are handed the junk view model by the window.")
};

struct FileItemListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::FileItemListModel)
    QML_NAMED_ELEMENT(FileItemListModel)
    QML_UNCREATABLE("The large-file view model owns its lists.")
};

struct FileItemSearchModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::FileItemSearchModel)
    QML_NAMED_ELEMENT(FileItemSearchModel)
    QML_UNCREATABLE("The large-file view model owns its lists.")
};

struct LargeFilesViewModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::LargeFilesViewModel)
    QML_NAMED_ELEMENT(LargeFilesViewModel)
    QML_UNCREATABLE("Views are handed the large-file view model by the window.")
};

struct AppListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::AppListModel)
    QML_NAMED_ELEMENT(AppListModel)
    QML_UNCREATABLE("The uninstall view model owns its application list.")
};

struct AppUninstallViewModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::AppUninstallViewModel)
    QML_NAMED_ELEMENT(AppUninstallViewModel)
    QML_UNCREATABLE("Views are handed the uninstall view model by the window.")
};

struct PrivacyViewModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::cleaning::PrivacyViewModel)
    QML_NAMED_ELEMENT(PrivacyViewModel)
    QML_UNCREATABLE("Views are handed the privacy view model by the window.")
};

struct StartupItemListModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::inspection::StartupItemListModel)
    QML_NAMED_ELEMENT(StartupItemListModel)
    QML_UNCREATABLE("The startup view model owns its lists.")
};

struct StartupViewModelForeign {
    Q_GADGET
    QML_FOREIGN(velk::inspection::StartupViewModel)
    QML_NAMED_ELEMENT(StartupViewModel)
    QML_UNCREATABLE("Views are handed the startup view model by the window.")
};

struct UpdateControllerForeign {
    Q_GADGET
    QML_FOREIGN(velk::UpdateController)
    QML_NAMED_ELEMENT(UpdateController)
    QML_UNCREATABLE("Views are handed the update controller by the window.")
};

struct AppUpdateForeign {
    Q_GADGET
    QML_FOREIGN(velk::AppUpdate)
    QML_VALUE_TYPE(appUpdate)
};

struct UpdateStatusAlertForeign {
    Q_GADGET
    QML_FOREIGN(velk::UpdateStatusAlert)
    QML_VALUE_TYPE(updateStatusAlert)
};

} // namespace velk::models
