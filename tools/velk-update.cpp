// velk-update: checks the two update feeds of a server and prints the offer
// this build would take; with --install, installs it and prints the outcome.
//
//   velk-update --server URL [--install] [--image-tool PATH] [--bundle DIR] [--ca-file PEM]
//
// The last line of a check is "version=V url=U" or "none"; an install then
// prints "install=ok" or "install=failed kind=K: description".

#include "platform/desktop/AppBundle.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunnerLinux.h"
#include "services/update/Transfer.h"
#include "services/update/UpdateCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace velk;

namespace {

// The running application as given on the command line: ending it is only
// reported, the probe finishes its own run.
class ProbeBundle final : public platform::desktop::AppBundle {
public:
    explicit ProbeBundle(QString path) : m_path(std::move(path)) {}
    QString bundlePath() const override { return m_path; }
    QString bundleIdentifier() const override { return QStringLiteral("org.velk.VelkClean"); }
    qint64 processId() const override { return QCoreApplication::applicationPid(); }
    void requestTermination() override { std::printf("termination requested\n"); }

private:
    QString m_path;
};

void print(const QString& line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Checks the update feeds of a server and optionally installs the offer.");
    parser.addHelpOption();
    const QCommandLineOption server("server", "Base address of the update server (https, or http on loopback).", "URL");
    const QCommandLineOption install("install", "Install the offer that the check found.");
    const QCommandLineOption imageTool("image-tool", "Program that stands in for the disk-image tool.", "PATH");
    const QCommandLineOption bundle("bundle", "Path of the application the install replaces.", "DIR");
    const QCommandLineOption caFile("ca-file", "Trust the certificates in this PEM file instead of the system's.", "PEM");
    parser.addOptions({server, install, imageTool, bundle, caFile});
    parser.process(app);

    if (!parser.isSet(server) || !UpdateCheck::setServerBase(QUrl(parser.value(server)))) {
        std::fprintf(stderr, "velk-update: --server needs an https address, or http on a loopback address\n");
        return 2;
    }
    if (parser.isSet(caFile)) {
        QFile pem(parser.value(caFile));
        if (!pem.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "velk-update: cannot read %s\n", qPrintable(parser.value(caFile)));
            return 2;
        }
        UpdateCheck::setTrustedCertificates(pem.readAll());
    }
    if (parser.isSet(imageTool)) {
        platform::tools::ToolTable table = platform::tools::ToolTable::linuxDefault();
        table.add("/usr/bin/hdiutil", {QDir(parser.value(imageTool)).absolutePath()});
        platform::core::Service<platform::tools::ToolRunner>::install(std::make_shared<platform::tools::LinuxToolRunner>(table));
    }
    if (parser.isSet(bundle))
        platform::core::Service<platform::desktop::AppBundle>::install(
            std::make_shared<ProbeBundle>(QDir(parser.value(bundle)).absolutePath()));

    const QList<QUrl> feeds = UpdateCheck::feedURLs();
    print("local=" + UpdateCheck::localVersion() + " feeds=" + UpdateCheck::loggableAddress(feeds.first()) + ' '
          + UpdateCheck::loggableAddress(feeds.last()));
    int status = 0;
    UpdateCheck::available(nullptr, [&](std::optional<AppUpdate> offer) {
        if (!offer) {
            print("none");
            app.quit();
            return;
        }
        print("version=" + offer->version + " url=" + UpdateCheck::loggableAddress(offer->url));
        if (!parser.isSet(install)) {
            app.quit();
            return;
        }
        UpdateCheck::install(*offer, nullptr, [&](std::optional<InstallError> error) {
            if (error) {
                print("install=failed kind=" + error->kindName() + ": " + error->descriptionEn()
                      + (error->detail.isEmpty() ? QString() : " (" + error->detail + ')'));
                status = 1;
            } else {
                print("install=ok");
            }
            app.quit();
        });
    });
    app.exec();
    return status;
}
