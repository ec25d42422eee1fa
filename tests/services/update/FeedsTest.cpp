#include "UpdateTestSupport.h"

#include "engine/language/LanguageManager.h"
#include "platform/core/ServiceRegistry.h"
#include "services/update/UpdateController.h"
#include "support/ManualClock.h"
#include "support/MemoryDefaults.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <tuple>

namespace velk {
namespace {

using test::LoopbackServer;
using test::manifest;
using test::OfferResult;
using test::runUntil;
using test::ScopedUpdateServer;

const QString kUpdate = "/download/update.json";
const QString kLatest = "/download/latest.json";

class FeedsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()); }

    std::optional<AppUpdate> fetchOnce()
    {
        OfferResult result;
        UpdateCheck::fetch(nullptr, result.handler());
        EXPECT_TRUE(result.wait());
        return result.offer;
    }

    platform::core::ScopedService<platform::core::Clock> clock{std::make_shared<test::ManualClock>()};
    LoopbackServer server;
    ScopedUpdateServer base{server.baseUrl()};
};

TEST_F(FeedsTest, RequestCarriesOneTimeStampInWholeSecondsAndTheTwoHeaders)
{
    auto* manual = static_cast<test::ManualClock*>(clock.get().get());
    manual->advance(0.75);
    const qint64 expected = manual->now().toSecsSinceEpoch();
    server.respond(kLatest, 200, manifest("1.0"));

    QUrl feed = server.url(kLatest);
    feed.setQuery("t=5&x=1&t=6");
    OfferResult result;
    UpdateCheck::loadManifest(feed, nullptr, result.handler());
    ASSERT_TRUE(result.wait());
    ASSERT_TRUE(result.offer);

    ASSERT_EQ(server.requests().size(), 1);
    const auto request = server.requests().first();
    EXPECT_EQ(request.method, "GET");
    const QUrlQuery query(request.url());
    EXPECT_EQ(query.queryItems(), (QList<std::pair<QString, QString>>{{"t", QString::number(expected)}}));
    EXPECT_EQ(request.headers.value("user-agent"), "Velk-Clean-Mac");
    EXPECT_EQ(request.headers.value("accept"), "application/json");
    EXPECT_EQ(request.headerNames.count("User-Agent"), 1);
    EXPECT_EQ(request.headerNames.count("Accept"), 1);
}

TEST_F(FeedsTest, FeedsAreAskedStrictlyOneAfterTheOther)
{
    LoopbackServer::Response held{200, manifest("1.0"), "application/json", false, true};
    server.respond(kUpdate, held);
    server.respond(kLatest, 200, manifest("1.1"));

    OfferResult result;
    UpdateCheck::fetch(nullptr, result.handler());
    ASSERT_TRUE(runUntil([&] { return !server.requests().isEmpty(); }));
    // A second request sent alongside the first would arrive meanwhile.
    QTest::qWait(300);
    EXPECT_EQ(server.events(), QStringList{"request " + kUpdate});
    server.release(kUpdate);
    ASSERT_TRUE(result.wait());
    EXPECT_EQ(server.events(),
              (QStringList{"request " + kUpdate, "response " + kUpdate, "request " + kLatest, "response " + kLatest}));
    EXPECT_EQ(result.offer->version, "1.1");
}

TEST_F(FeedsTest, FaultyFeedYieldsNothingAndDoesNotHideTheOther)
{
    struct Fault {
        const char* name;
        int status;
        QByteArray body;
    };
    const Fault faults[] = {
        {"404", 404, manifest("9.0")},
        {"500", 500, manifest("9.0")},
        {"not JSON", 200, "<html>9.0</html>"},
        {"not an object", 200, "[" + manifest("9.0") + "]"},
        {"numeric version", 200, R"({"version":9,"url":"https://updates.test/a.dmg"})"},
        {"bad url", 200, R"({"version":"9.0","url":"https://updates.test/a b.dmg"})"},
        {"no url", 200, R"({"version":"9.0"})"},
        {"file url", 200, manifest("9.0", "file:///etc/passwd")},
        {"script url", 200, manifest("9.0", "javascript:alert(1)")},
        {"relative url", 200, manifest("9.0", "a.dmg")},
        {"url without a host", 200, manifest("9.0", "https:///x")},
        {"plain http elsewhere", 200, manifest("9.0", "http://192.0.2.1/a.dmg")},
        {"empty body", 204, ""},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        server.respond(kUpdate, fault.status, fault.body);
        server.respond(kLatest, 200, manifest("1.2", "https://updates.test/b.dmg", R"(,"notes":"n")"));
        const auto offer = fetchOnce();
        ASSERT_TRUE(offer);
        EXPECT_EQ(*offer, (AppUpdate{"1.2", QUrl("https://updates.test/b.dmg"), "n"}));

        OfferResult single;
        UpdateCheck::loadManifest(server.url(kUpdate), nullptr, single.handler());
        ASSERT_TRUE(single.wait());
        EXPECT_FALSE(single.offer);
    }
    server.respond(kLatest, 404, "");
    EXPECT_FALSE(fetchOnce()) << "both feeds failed";
}

TEST_F(FeedsTest, NewerLaterFeedWinsAndATieGoesToTheFirst)
{
    server.respond(kUpdate, 200, manifest("1.4.0"));
    server.respond(kLatest, 200, manifest("1.5.0", "https://updates.test/latest.dmg"));
    EXPECT_EQ(fetchOnce()->version, "1.5.0");

    server.respond(kUpdate, 200, manifest("1.4.0", "https://updates.test/first.dmg", R"(,"notes":"first")"));
    server.respond(kLatest, 200, manifest("1.4", "https://updates.test/second.dmg", R"(,"notes":"second")"));
    EXPECT_EQ(*fetchOnce(), (AppUpdate{"1.4.0", QUrl("https://updates.test/first.dmg"), "first"}));

    server.respond(kUpdate, 200, manifest("1.10"));
    server.respond(kLatest, 200, manifest("1.9"));
    EXPECT_EQ(fetchOnce()->version, "1.10");
}

TEST_F(FeedsTest, AvailableKeepsOnlyOffersNewerThanThisBuild)
{
    server.respond(kUpdate, 200, manifest(UpdateCheck::localVersion().toUtf8()));
    server.respond(kLatest, 404, "");
    OfferResult same;
    UpdateCheck::available(nullptr, same.handler());
    ASSERT_TRUE(same.wait());
    EXPECT_FALSE(same.offer);

    server.respond(kLatest, 200, manifest("999.0"));
    OfferResult newer;
    UpdateCheck::available(nullptr, newer.handler());
    ASSERT_TRUE(newer.wait());
    ASSERT_TRUE(newer.offer);
    EXPECT_EQ(newer.offer->version, "999.0");
}

TEST_F(FeedsTest, AnswerForADestroyedContextIsDropped)
{
    server.respond(kUpdate, 200, manifest("1.0"));
    server.respond(kLatest, 200, manifest("1.0"));
    bool called = false;
    auto context = std::make_unique<QObject>();
    UpdateCheck::fetch(context.get(), [&](std::optional<AppUpdate>) { called = true; });
    ASSERT_TRUE(runUntil([&] { return !server.requests().isEmpty(); }));
    context.reset();
    QTest::qWait(300);
    EXPECT_FALSE(called);
    EXPECT_EQ(server.requestsFor(kLatest).size(), 0) << "nobody waits for the second feed";
}

TEST(UpdateServerAddress, OnlyHttpsOrLoopbackHttpIsAccepted)
{
    ScopedUpdateServer keep(UpdateCheck::serverBase());
    EXPECT_EQ(UpdateCheck::serverBase().scheme(), "https");
    EXPECT_EQ(UpdateCheck::feedURLs(),
              (QList<QUrl>{UpdateCheck::serverURL("/download/update.json"), UpdateCheck::serverURL("/download/latest.json")}));
    EXPECT_EQ(UpdateCheck::feed().path(), "/download/latest.json");

    for (const char* refused : {"http://updates.test", "http://192.0.2.1", "ftp://127.0.0.1", "https:///x", "file:///tmp"}) {
        SCOPED_TRACE(refused);
        const QUrl before = UpdateCheck::serverBase();
        EXPECT_FALSE(UpdateCheck::setServerBase(QUrl(refused)));
        EXPECT_EQ(UpdateCheck::serverBase(), before);
    }

    struct Case {
        const char* base;
        const char* address;
        bool acceptable;
    };
    const Case cases[] = {
        {"https://updates.test", "https://cdn.test/a.dmg", true},
        {"https://updates.test", "http://cdn.test/a.dmg", false},
        {"https://updates.test", "http://127.0.0.1:8080/a.dmg", false},
        {"http://127.0.0.1:8080", "https://cdn.test/a.dmg", true},
        {"http://127.0.0.1:8080", "http://127.0.0.1:9/a.dmg", true},
        {"http://127.0.0.1:8080", "http://localhost/a.dmg", true},
        {"http://127.0.0.1:8080", "http://[::1]/a.dmg", true},
        {"http://localhost:8080", "http://192.0.2.1/a.dmg", false},
        {"http://localhost:8080", "http://localhost.test/a.dmg", false},
        {"http://localhost:8080", "file:///etc/passwd", false},
        {"http://localhost:8080", "javascript:alert(1)", false},
        {"http://localhost:8080", "a.dmg", false},
        {"http://localhost:8080", "https:///x", false},
        {"http://localhost:8080", "ftp://127.0.0.1/a.dmg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " -> " + c.address);
        ASSERT_TRUE(UpdateCheck::setServerBase(QUrl(c.base)));
        EXPECT_EQ(UpdateCheck::isAcceptableAddress(QUrl(c.address)), c.acceptable);
    }
    EXPECT_EQ(UpdateCheck::feed(), QUrl("http://localhost:8080/download/latest.json"));
}

TEST(UpdateOverTls, TrustedServerAnswers)
{
    LoopbackServer server(LoopbackServer::Scheme::Https);
    ASSERT_FALSE(LoopbackServer::certificate().isNull()) << "the openssl tool made no certificate";
    server.respondToAll({200, manifest("2.0"), "application/json", false, false});
    ScopedUpdateServer base(server.baseUrl());
    ASSERT_TRUE(base.accepted());
    test::ScopedTrust trust;
    OfferResult trusted;
    UpdateCheck::fetch(nullptr, trusted.handler());
    ASSERT_TRUE(trusted.wait());
    ASSERT_TRUE(trusted.offer);
    EXPECT_EQ(trusted.offer->version, "2.0");
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(UpdateOverTls, UntrustedServerYieldsNothingAndIsSentNothing)
{
    LoopbackServer server(LoopbackServer::Scheme::Https);
    server.respondToAll({200, manifest("2.0"), "application/json", false, false});
    ScopedUpdateServer base(server.baseUrl());
    OfferResult untrusted;
    UpdateCheck::fetch(nullptr, untrusted.handler());
    ASSERT_TRUE(untrusted.wait());
    EXPECT_FALSE(untrusted.offer);
    EXPECT_TRUE(server.requests().isEmpty());
}

// A redirect is followed only to an acceptable address: never from https
// to http, nor over plain http to a host that is not loopback; the address
// it names hears nothing of it (a proxy stands in for the far host).
TEST(UpdateRedirects, AreFollowedUnlessLessSafe)
{
    test::ScopedTrust trust;
    LoopbackServer plain;
    LoopbackServer secure(LoopbackServer::Scheme::Https);
    LoopbackServer proxy;
    test::ScopedProxyVariables throughProxy({{"all_proxy", proxy.baseUrl().toEncoded()}});
    plain.respond("/target", 200, manifest("2.0"));
    LoopbackServer::Response moved{302, {}, "text/plain", false, false, -1, "/target"};
    plain.respond("/moved", moved);
    moved.location = "http://192.0.2.1/target";
    plain.respond("/elsewhere", moved);
    moved.location = plain.url("/target").toEncoded();
    secure.respond("/moved", moved);
    struct Case {
        QUrl base;
        QUrl feed;
        bool followed;
    };
    const Case cases[] = {{plain.baseUrl(), plain.url("/moved"), true},
                          {plain.baseUrl(), plain.url("/elsewhere"), false},
                          {secure.baseUrl(), secure.url("/moved"), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.feed.toString().toStdString());
        ScopedUpdateServer base(c.base);
        OfferResult result;
        UpdateCheck::loadManifest(c.feed, nullptr, result.handler());
        ASSERT_TRUE(result.wait());
        EXPECT_EQ(result.offer.has_value(), c.followed);
    }
    EXPECT_EQ(secure.requestsFor("/moved").size(), 1);
    EXPECT_EQ(plain.requestsFor("/elsewhere").size(), 1);
    EXPECT_EQ(plain.requestsFor("/target").size(), 1);
    EXPECT_TRUE(proxy.requests().isEmpty());
}

// A chain of redirects is followed up to its tenth hop.
TEST(UpdateRedirects, ChainsOfUpToTenAreFollowed)
{
    LoopbackServer server;
    ScopedUpdateServer base(server.baseUrl());
    server.respond("/hop/0", 200, manifest("2.0"));
    for (int hop = 1; hop <= 11; ++hop)
        server.respond(QString("/hop/%1").arg(hop),
                       {302, {}, "text/plain", false, false, -1, "/hop/" + QByteArray::number(hop - 1)});
    for (const auto& [hops, followed] : {std::pair{3, true}, std::pair{10, true}, std::pair{11, false}}) {
        SCOPED_TRACE(hops);
        OfferResult result;
        UpdateCheck::loadManifest(server.url(QString("/hop/%1").arg(hops)), nullptr, result.handler());
        ASSERT_TRUE(result.wait());
        EXPECT_EQ(result.offer.has_value(), followed);
    }
}

// Manifests go through the proxy the environment names for their server
// (the scheme's own variable, else all_proxy, in either case), except to a
// host no_proxy names and to loopback; the installer's downloads go the same
// way.
TEST(UpdateProxy, TheSystemsProxyCarriesTheCheck)
{
    LoopbackServer proxy;
    LoopbackServer local;
    test::ScopedNetworkLimits limits({.manifestDeadlineMs = 2000});
    const QByteArray address = proxy.baseUrl().toEncoded();
    const QUrl remote("https://updates.example.invalid");
    struct Case {
        QHash<QByteArray, QByteArray> variables;
        QUrl server;
        bool proxied;
    };
    const Case cases[] = {
        {{{"https_proxy", address}}, remote, true},
        {{{"all_proxy", address}}, remote, true},
        {{{"ALL_PROXY", address}}, remote, true},
        {{{"http_proxy", address}}, remote, false},
        {{{"all_proxy", address}, {"no_proxy", "example.invalid"}}, remote, false},
        {{{"all_proxy", address}, {"NO_PROXY", ".example.invalid"}}, remote, false},
        {{{"all_proxy", address}, {"no_proxy", "*"}}, remote, false},
        {{{"all_proxy", address}, {"no_proxy", "other.invalid"}}, remote, true},
        {{{"all_proxy", address}}, local.baseUrl(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.variables.keys().join(' ') + ' ' + c.server.toEncoded()).toStdString());
        test::ScopedProxyVariables variables(c.variables);
        ScopedUpdateServer base(c.server);
        const qsizetype before = proxy.requests().size();
        OfferResult result;
        UpdateCheck::fetch(nullptr, result.handler());
        ASSERT_TRUE(result.wait());
        EXPECT_FALSE(result.offer);
        const QList<LoopbackServer::Request> asked = proxy.requests().mid(before);
        ASSERT_EQ(asked.size(), c.proxied ? 2 : 0);
        if (c.proxied) {
            EXPECT_EQ(asked.first().method, "CONNECT");
            EXPECT_EQ(asked.first().target, "updates.example.invalid:443");
        }
    }
    EXPECT_EQ(local.requests().size(), 2);
}

TEST(UpdateTimeouts, SilentServerIsGivenUpAfterAboutEightSecondsPerFeed)
{
    LoopbackServer server;
    server.respondToAll({200, {}, "application/json", true, false});
    ScopedUpdateServer base(server.baseUrl());
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 secondAskedAt = 0;
    OfferResult result;
    UpdateCheck::fetch(nullptr, result.handler());
    ASSERT_TRUE(runUntil([&] {
        if (!secondAskedAt && server.requests().size() == 2)
            secondAskedAt = elapsed.elapsed();
        return result.delivered;
    }));
    const qint64 total = elapsed.elapsed();
    EXPECT_FALSE(result.offer);
    EXPECT_GE(secondAskedAt, 7500);
    EXPECT_GE(total, 15500);
    EXPECT_LT(total, 30000);
}

// A check given up just before the program ends: its request and
// connection still go before the application does, which the run of this
// test under the leak checker (velk_leak_check) tells.
TEST(UpdateTimeouts, CheckGivenUpJustBeforeTheEndLeavesNothingBehind)
{
    LoopbackServer server;
    server.respondToAll({200, {}, "application/json", true, false});
    ScopedUpdateServer base(server.baseUrl());
    test::ScopedNetworkLimits limits({.manifestDeadlineMs = 200});
    OfferResult result;
    UpdateCheck::fetch(nullptr, result.handler());
    ASSERT_TRUE(result.wait());
    EXPECT_FALSE(result.offer);
}

// The end of the application ends a check under way at once, long before
// its deadline, and a redirect that arrives after it is not followed.
TEST(UpdateTimeouts, EndingTheApplicationEndsACheckAtOnce)
{
    LoopbackServer server;
    server.respondToAll({200, {}, "application/json", true, false});
    server.respond("/moved", {302, {}, "text/plain", false, true, -1, "/target"});
    server.respond("/target", 200, manifest("2.0"));
    ScopedUpdateServer base(server.baseUrl());
    test::ScopedNetworkLimits limits({.manifestDeadlineMs = 120000});
    for (const QString& path : {kLatest, QString("/moved")}) {
        SCOPED_TRACE(path.toStdString());
        OfferResult result;
        UpdateCheck::loadManifest(server.url(path), nullptr, result.handler());
        ASSERT_TRUE(runUntil([&] { return server.openConnections() == 1 && !server.requestsFor(path).isEmpty(); }));
        UpdateCheck::endTransfers();
        server.release(path);
        EXPECT_TRUE(runUntil([&] { return result.delivered && server.openConnections() == 0; }, 10000));
        EXPECT_FALSE(result.offer);
    }
    EXPECT_TRUE(server.requestsFor("/target").isEmpty());
}

// An answer that never ends, or says it is far too long, yields nothing,
// within the deadline counted from the request and the byte limit counted
// as the body streams in, however fast it comes.
TEST(UpdateLimits, AnswerThatNeverEndsYieldsNothingWithinTheLimits)
{
    using Framing = LoopbackServer::Response::Framing;
    LoopbackServer server;
    ScopedUpdateServer base(server.baseUrl());
    server.respond("/trickle", {200, "{", "application/json", false, false, 20});
    server.respond("/over", 200, manifest("9.0").leftJustified(UpdateCheck::networkLimits().manifestByteLimit + 1, ' '));
    // On a thread of its own, so that it writes as fast as it is read.
    auto* endless = new LoopbackServer;
    LoopbackServer::Response stream{200, QByteArray(16 * 1024, ' '), "application/json", false, false, 0};
    // The 10 GiB answer sends its head and then nothing for minutes: only
    // its declared length can end it before the deadline. The huge chunks
    // declare no length but the chunk's.
    for (const auto& [path, framing, declared, repeatMs] :
         {std::tuple{"/chunked", Framing::Chunked, 0LL, 0}, std::tuple{"/until-close", Framing::UntilClose, 0LL, 0},
          std::tuple{"/10GiB", Framing::Length, 10LL << 30, 600000},
          std::tuple{"/huge-chunk", Framing::OneChunk, 0x7fffffffffffffffLL, 0},
          std::tuple{"/256MiB-chunk", Framing::OneChunk, 256LL << 20, 0}}) {
        LoopbackServer::Response response = stream;
        response.framing = framing;
        response.declaredLength = declared;
        response.repeatMs = repeatMs;
        endless->respond(path, response);
    }
    QThread thread;
    endless->moveToThread(&thread);
    thread.start();
    QObject::connect(&thread, &QThread::finished, endless, &QObject::deleteLater);
    const auto stop = qScopeGuard([&] { thread.quit(); thread.wait(); });
    // The limits hold on the far side of a redirect as well.
    server.respond("/moved", {302, {}, "text/plain", false, false, -1, endless->url("/chunked").toEncoded()});
    const std::pair<QUrl, int> cases[] = {{server.url("/trickle"), 400},
                                          {endless->url("/chunked"), 60000},
                                          {server.url("/moved"), 60000},
                                          {endless->url("/until-close"), 60000},
                                          {endless->url("/10GiB"), 60000},
                                          {endless->url("/huge-chunk"), 60000},
                                          {endless->url("/256MiB-chunk"), 60000},
                                          {server.url("/over"), 60000}};
    for (const auto& [feed, deadlineMs] : cases) {
        SCOPED_TRACE(feed.path().toStdString());
        test::ScopedNetworkLimits limits({.manifestDeadlineMs = deadlineMs});
        // Each case counts only its own bytes: the last one's connection has
        // closed.
        ASSERT_TRUE(runUntil([&] { return endless->openConnections() == 0; }));
        const qint64 streamedBefore = endless->streamedBytes();
        OfferResult result;
        UpdateCheck::loadManifest(feed, nullptr, result.handler());
        ASSERT_TRUE(runUntil([&] { return result.delivered; }, 20000));
        EXPECT_FALSE(result.offer);
        EXPECT_LT(endless->streamedBytes() - streamedBefore, 16 << 20) << "the body was read on past the limit";
    }
}

TEST(UpdateControllerOverLoopback, ManualCheckOpensThePromptForTheServersOffer)
{
    LoopbackServer server;
    server.respond(kUpdate, 200, manifest("999.0", "https://updates.test/new.dmg", R"(,"releaseNotes":["a","b"])"));
    server.respond(kLatest, 404, "");
    ScopedUpdateServer base(server.baseUrl());
    auto defaults = std::make_shared<test::MemoryDefaults>();
    language::LanguageManager lang(defaults);

    UpdateController::Dependencies deps = UpdateController::Dependencies::fromServices();
    deps.defaults = defaults;
    deps.language = &lang;
    UpdateController controller(std::move(deps));
    ASSERT_TRUE(runUntil([&] { return controller.showsBadge(); }));
    EXPECT_FALSE(controller.hasPromptUpdate()) << "the start-up check only lights the badge";

    controller.dismissPrompt();
    controller.check(false, &lang);
    ASSERT_TRUE(runUntil([&] { return !controller.isChecking(); }));
    ASSERT_TRUE(controller.hasPromptUpdate());
    EXPECT_EQ(controller.promptUpdate()->notes, "a\nb");
    EXPECT_EQ(server.requestsFor(kUpdate).size(), 2);
}

} // namespace
} // namespace velk
