#include "office/engine/OfficeSession.h"

#include "office/OfficeProfile.h"
#include "office/engine/UnoSupport.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QUuid>

#include <signal.h>
#include <unistd.h>

namespace office {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using uno::toOUString;

constexpr auto installedProgram = "/usr/lib/libreoffice/program/soffice";
constexpr int answerTimeoutMs = 20000;
constexpr int shutdownTimeoutMs = 10000;

// The bridge needs a local UNO context; it reads the office's type libraries, once per process.
Reference<css::uno::XComponentContext> localContext()
{
    static const Reference<css::uno::XComponentContext> context = [] {
        const QString programDir = QFileInfo(QString::fromLatin1(installedProgram)).absolutePath();
        rtl::Bootstrap::set(rtl::OUString::createFromAscii("URE_BOOTSTRAP"),
                            toOUString(QStringLiteral("vnd.sun.star.pathname:%1/fundamentalrc")
                                           .arg(programDir)));
        return uno::guarded([] { return cppu::defaultBootstrap_InitialComponentContext(); });
    }();
    return context;
}

} // namespace

struct OfficeSession::Private
{
    QTemporaryDir profile;
    QProcess process;
    Desktop desktop;

    void start(const QString &soffice, const QString &pipe);
    void connect(const QString &pipe);
    void shutDown() noexcept;
    void killGroup() noexcept;
};

OfficeSession::OfficeSession(const QString &soffice) : d(std::make_unique<Private>())
{
    if (soffice.isEmpty() || !QFileInfo(soffice).isExecutable())
        throw OfficeError(officeMissingMessage(soffice.isEmpty() ? QStringLiteral("soffice") : soffice));
    if (!d->profile.isValid())
        throw OfficeError(QStringLiteral("无法创建 LibreOffice 的临时配置文件夹：%1")
                              .arg(d->profile.errorString()));
    prepareProfile(d->profile.path(), soffice);
    const QString pipe = QStringLiteral("homework_office_%1")
                             .arg(QUuid::createUuid().toString(QUuid::Id128));
    try {
        d->start(soffice, pipe);
        d->connect(pipe);
    } catch (...) {
        d->shutDown();
        throw;
    }
}

OfficeSession::~OfficeSession()
{
    d->shutDown();
}

const OfficeSession::Desktop &OfficeSession::desktop() const
{
    return d->desktop;
}

void OfficeSession::Private::start(const QString &soffice, const QString &pipe)
{
    const QStringList arguments{
        QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
        QStringLiteral("--nolockcheck"), QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
        QStringLiteral("-env:UserInstallation=%1")
            .arg(uno::toQString(uno::fileUrl(profile.path()))),
        QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)};
    process.setProgram(soffice);
    process.setArguments(arguments);
    // The office turns the file URLs it gets into paths in its locale's encoding: under C, or a
    // locale that is not installed, no Chinese path can be opened or written.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {QStringLiteral("LC_ALL"), QStringLiteral("LC_CTYPE"), QStringLiteral("LANG")})
        environment.insert(name, QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Its own process group, so that a hung office can be killed with every child it spawned.
    process.setChildProcessModifier([] { ::setsid(); });
    process.start();
    if (!process.waitForStarted())
        throw OfficeError(QStringLiteral("无法启动 LibreOffice（%1）：%2")
                              .arg(soffice, process.errorString()));
}

void OfficeSession::Private::connect(const QString &pipe)
{
    const auto resolver = uno::guarded([] { return css::bridge::UnoUrlResolver::create(localContext()); });
    const rtl::OUString url = toOUString(
        QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe));
    const QDeadlineTimer deadline(answerTimeoutMs);
    Reference<css::uno::XComponentContext> remote;
    while (!remote.is()) {
        try {
            remote.set(resolver->resolve(url), UNO_QUERY_THROW);
        } catch (const css::connection::NoConnectException &) {
            if (process.waitForFinished(100) || process.state() == QProcess::NotRunning)
                throw OfficeError(QStringLiteral("LibreOffice 启动后意外退出，无法导出。"));
            if (deadline.hasExpired())
                throw OfficeError(QStringLiteral("LibreOffice 在 %1 秒内没有响应，无法导出。")
                                      .arg(answerTimeoutMs / 1000));
        } catch (const css::uno::Exception &error) {
            uno::rethrow(error);
        }
    }
    desktop.desktop = uno::guarded([&] { return css::frame::Desktop::create(remote); });
}

void OfficeSession::Private::shutDown() noexcept
{
    if (desktop.desktop.is()) {
        try {
            desktop.desktop->terminate();
        } catch (const css::uno::Exception &) {
            // The bridge drops while the office ends; that is the expected way out.
        }
        desktop.desktop.clear();
    }
    if (process.state() == QProcess::NotRunning)
        return;
    if (!process.waitForFinished(shutdownTimeoutMs))
        killGroup();
}

void OfficeSession::Private::killGroup() noexcept
{
    const auto pid = static_cast<pid_t>(process.processId());
    if (pid > 0)
        ::kill(-pid, SIGKILL);
    process.kill();
    process.waitForFinished(shutdownTimeoutMs);
}

} // namespace office
