#pragma once

#include "platform/desktop/AppBundle.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeAppBundle.h"
#include "support/FakeFileRemover.h"
#include "support/TempTree.h"
#include "support/QtPrinters.h"
#include "support/TreeSnapshot.h"

#include <QDir>
#include <gtest/gtest.h>

namespace velk::test {

// A macOS layout over a temporary root: application bundles in both
// application folders, leftovers in the nine Library folders, and an
// "outside" folder beside the root that the engines must never change.
class UninstallFixture : public testing::Test {
protected:
    UninstallFixture()
        : root(tree.dir("root"))
        , home(tree.dir("root/Users/alice"))
        , outside(tree.dir("outside"))
        , locations(platform::locations::Locations::macProfile(root, home))
        , remover(std::make_shared<FakeFileRemover>(true))
        , bundle(std::make_shared<FakeAppBundle>(root + "/Applications/VelkClean.app", "org.velk.VelkClean"))
        , locationService(locations)
        , removerService(remover)
        , bundleService(bundle)
    {
        tree.file("outside/Linked.app/Contents/MacOS/linked", 700);
        tree.fileWithContent("outside/Linked.app/Contents/Info.plist", infoXml("com.example.linked", "1"));
        tree.file("outside/keep/data.bin", 64);
        outsideBefore = snapshotTree(outside);
    }

    ~UninstallFixture() override { EXPECT_EQ(snapshotTree(outside), outsideBefore) << "outside the root changed"; }

    static QByteArray infoXml(const QString& identifier, const QString& version = {})
    {
        QByteArray body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
        if (!identifier.isNull())
            body += "<key>CFBundleIdentifier</key><string>" + identifier.toUtf8() + "</string>";
        if (!version.isEmpty())
            body += "<key>CFBundleShortVersionString</key><string>" + version.toUtf8() + "</string>";
        return body + "<key>CFBundleIconFile</key><string>AppIcon</string></dict></plist>";
    }

    // A binary list holding one dictionary {"CFBundleIdentifier": identifier}.
    static QByteArray infoBinary(const QByteArray& identifier)
    {
        const QByteArray key = "CFBundleIdentifier";
        QByteArray out = "bplist00";
        const int dictAt = int(out.size());
        out += char(0xD1);
        out += char(1);
        out += char(2);
        const int keyAt = int(out.size());
        out += char(0x5F);
        out += char(0x10);
        out += char(key.size());
        out += key;
        const int valueAt = int(out.size());
        out += char(0x5F);
        out += char(0x10);
        out += char(identifier.size());
        out += identifier;
        const int table = int(out.size());
        out += char(dictAt);
        out += char(keyAt);
        out += char(valueAt);
        out += QByteArray(6, '\0');
        out += char(1);
        out += char(1);
        out += QByteArray(7, '\0') + char(3);
        out += QByteArray(8, '\0');
        out += QByteArray(7, '\0') + char(table);
        return out;
    }

    // A bundle `relative` (to the root or, with "~/", to the home) whose
    // executable has `size` bytes.
    QString app(const QString& relative, qint64 size, const QByteArray& info = {})
    {
        const QString base = relative.startsWith("~/") ? "root/Users/alice/" + relative.mid(2) : "root/" + relative;
        tree.file(base + "/Contents/MacOS/main", size);
        if (!info.isEmpty())
            tree.fileWithContent(base + "/Contents/Info.plist", info);
        return tree.path(base);
    }

    QString leftover(const QString& relative, qint64 size, bool folder)
    {
        const QString base = relative.startsWith("~/") ? "root/Users/alice/" + relative.mid(2) : "root/" + relative;
        if (folder) {
            tree.file(base + "/data", size);
            return tree.path(base);
        }
        return tree.file(base, size);
    }

    static bool exists(const QString& path) { return QFileInfo(path).exists() || QFileInfo(path).isSymLink(); }

    TempTree tree;
    QString root;
    QString home;
    QString outside;
    std::shared_ptr<platform::locations::Locations> locations;
    std::shared_ptr<FakeFileRemover> remover;
    std::shared_ptr<FakeAppBundle> bundle;
    platform::core::ScopedService<platform::locations::Locations> locationService;
    platform::core::ScopedService<platform::files::FileRemover> removerService;
    platform::core::ScopedService<platform::desktop::AppBundle> bundleService;
    QMap<QString, QString> outsideBefore;
};

} // namespace velk::test
