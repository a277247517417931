#include "cli/PublishCommand.h"

#include "platform/FtpComponent.h"
#include "platform/UserStore.h"
#include "publish/core/FtpSession.h"
#include "publish/core/ServerProfileStore.h"
#include "publish/core/TrustStore.h"
#include "ticker/Fmovie.h"

#include <QEventLoop>
#include <QFileInfo>

namespace {

struct PublishOptions {
    QString site;
    QString host;
    QString port;
    QString user;
    QString protocol = "ftp";
    bool passive = true;
    bool remoteFolderGiven = false;
    QString remoteFolder;
    QStringList trust;
    QStringList rest; // for ParseCommandArgs: --open and the output
};

PublishOptions parseOptions(const QStringList& args)
{
    PublishOptions o;
    const auto value = [&](qsizetype& i) {
        if (i + 1 >= args.size())
            throw UsageError(QStringLiteral("%1 needs a value.").arg(args.at(i)));
        return args.at(++i);
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == "--site")
            o.site = value(i);
        else if (a == "--host")
            o.host = value(i);
        else if (a == "--port")
            o.port = value(i);
        else if (a == "--user")
            o.user = value(i);
        else if (a == "--protocol")
            o.protocol = value(i);
        else if (a == "--passive" || a == "--active")
            o.passive = a == "--passive";
        else if (a == "--remote-folder") {
            o.remoteFolder = value(i);
            o.remoteFolderGiven = true;
        } else if (a == "--trust")
            o.trust << value(i);
        else if (a == "--password")
            throw UsageError(
                QStringLiteral("The password is read from TICKERINE_PASSWORD, never the command line."));
        else
            o.rest << a;
    }
    if (o.site.isEmpty() == o.host.isEmpty())
        throw UsageError(QStringLiteral("Give either --site NAME or --host HOST."));
    return o;
}

int protocolCode(const QString& name)
{
    static const QStringList names = {"ftp", "sftp", "", "ftps", "ftps-implicit"};
    const int code = int(names.indexOf(name));
    if (name.isEmpty() || code < 0)
        throw UsageError(QStringLiteral("Unknown protocol \"%1\".").arg(name));
    return code;
}

ServerProfileData profileFor(const PublishOptions& o)
{
    ServerProfileData p;
    if (!o.site.isEmpty()) {
        ServerProfileStore store(UserStore::instance());
        store.loadProfiles();
        const ServerProfileData* found = store.find(o.site);
        if (!found)
            throw TickerineError(QStringLiteral("There is no site profile named \"%1\".").arg(o.site));
        p = *found;
    } else {
        p.ItemName = o.host;
        p.HostName = o.host;
        p.Username = o.user;
        p.Password = qEnvironmentVariable("TICKERINE_PASSWORD");
        p.Protocol = protocolCode(o.protocol);
        p.PassiveMode = o.passive;
        bool ok = true;
        p.Port = o.port.isEmpty() ? (p.Protocol == 1 ? 22 : p.Protocol == 4 ? 990 : 21) : o.port.toInt(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("--port needs a number."));
    }
    if (o.remoteFolderGiven)
        p.HostDirName = o.remoteFolder;
    return p;
}

// Connects, opens the folder, uploads the set and records where it went, printing the
// conversation as the Remote Server window logs it.
class PublishJob {
public:
    PublishJob(CliContext& context, Fmovie& ticker, const ServerProfileData& profile,
               const QStringList& trust)
        : m_out(context.out), m_err(context.err), m_ticker(ticker), m_profile(profile), m_run(m_ftp)
    {
        applyProfile(m_ftp, profile.HostName, profile.Username, profile.Password, profile.Port, profile);
        m_ftp.setTrustedFingerprints(
            trustedFingerprints(UserStore::instance(), m_ftp.Hostname(), profile.Port) + trust);
        QObject::connect(&m_ftp, &FtpComponent::OnPreTranslateCommand,
                         [this](const QString& command) { line(commandLogText(command)); });
        QObject::connect(&m_ftp, &FtpComponent::OnFTPReply,
                         [this](const QString&, quint16 code, const QString& text) {
                             line(text);
                             if (code == 530)
                                 m_reason = QString(LoginErrorMessage).replace("\n\r", " ");
                         });
        QObject::connect(&m_ftp, &FtpComponent::OnConnected,
                         [this](int code, const QString&) { connected(code); });
        QObject::connect(&m_ftp, &FtpComponent::OnListItems, [this](const QString&) { listed(); });
        QObject::connect(&m_ftp, &FtpComponent::OnDone, [this](int code, const QString& text) {
            if (!m_run.running() && code != 0 && !m_listed)
                fail("Could not open the remote folder \"" + m_profile.HostDirName + "\": " + text);
        });
        QObject::connect(&m_run, &UploadRun::fileStarted,
                         [this](const QString& path) { line("UPLOADING: " + path); });
        QObject::connect(&m_run, &UploadRun::fileFinished,
                         [this](const QString& path, int code, const QString& text) {
                             if (code != 0)
                                 line("FAILED: " + path + ": " + text);
                         });
        QObject::connect(&m_run, &UploadRun::finished, [this](int failures) { finished(failures); });
    }

    int run()
    {
        line("Connecting to " + m_profile.HostName);
        m_ftp.Connect();
        return m_loop.exec();
    }

private:
    void line(const QString& text)
    {
        m_out << text << '\n';
        m_out.flush();
    }
    void fail(const QString& reason)
    {
        m_err << reason << '\n';
        m_err.flush();
        m_ftp.Disconnect();
        m_loop.exit(1);
    }
    void connected(int code)
    {
        if (code == FtpComponent::NoError) {
            line("Connected.");
            m_ftp.ListDir(m_profile.HostDirName.isEmpty() ? m_ftp.RemotePath() : m_profile.HostDirName);
            return;
        }
        const QString error = m_ftp.GetErrorText(m_ftp.LastError());
        line(error);
        if (code == FtpComponent::UntrustedPeerError && !m_ftp.PeerFingerprint().isEmpty())
            fail("The server's certificate or host key is not trusted: " + m_ftp.PeerFingerprint() +
                 "\nIf that is your server's fingerprint, run again with --trust " + m_ftp.PeerFingerprint());
        else if (error == QLatin1String("Host not found."))
            fail(SiteNotFoundMessage);
        else
            fail(m_reason.isEmpty() ? error : m_reason);
    }
    void listed()
    {
        if (m_listed)
            return;
        m_listed = true;
        m_files = m_ticker.UploadFileList();
        m_run.start(m_files);
    }
    void finished(int failures)
    {
        if (failures > 0) {
            fail(QStringLiteral("Upload failed: %1 of %2 files did not arrive.")
                     .arg(failures)
                     .arg(m_files.size()));
            return;
        }
        m_ticker.RemoteFolder = m_ftp.RemotePath();
        m_ticker.SiteName = m_profile.ItemName;
        m_ticker.SaveXMLFile(QString(), QString());
        line("Done.");
        m_ftp.Disconnect();
        m_loop.exit(0);
    }

    QTextStream& m_out;
    QTextStream& m_err;
    Fmovie& m_ticker;
    ServerProfileData m_profile;
    FtpComponent m_ftp;
    UploadRun m_run;
    QEventLoop m_loop;
    QStringList m_files;
    QString m_reason;
    bool m_listed = false;
};

} // namespace

int PublishCommand(CliContext& context, const QStringList& args)
{
    const PublishOptions options = parseOptions(args);
    const CommandArgs parsed = ParseCommandArgs(options.rest, 1);
    const ServerProfileData profile = profileFor(options);
    auto ticker = OpenTicker(parsed.settings);
    ticker->SetOutputNames(QFileInfo(parsed.positional.first()).absoluteFilePath());
    ticker->SaveAllFiles(QString(), QString(), false);
    PublishJob job(context, *ticker, profile, options.trust);
    return job.run();
}
