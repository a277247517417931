#include "publish/core/FtpSession.h"

#include "platform/FtpComponent.h"
#include "publish/core/ServerProfileStore.h"

#include <QFileInfo>

QString cleanHostName(const QString& host)
{
    const auto junk = [](QChar c) { return c.isSpace() || c.unicode() < 0x20 || c.unicode() == 0x7f; };
    qsizetype start = 0;
    qsizetype end = host.size();
    while (start < end && junk(host.at(start)))
        ++start;
    while (end > start && junk(host.at(end - 1)))
        --end;
    return host.mid(start, end - start);
}

void applyProfile(FtpComponent& ftp, const QString& host, const QString& user, const QString& password,
                  int port, const ServerProfileData& profile)
{
    ftp.setHostname(cleanHostName(host));
    if (profile.Anonymous) {
        ftp.setLogin(QStringLiteral("anonymous"));
        ftp.setPassword(QLatin1String(AnonymousPassword));
    } else if (!user.isEmpty() && !password.isEmpty()) {
        ftp.setLogin(user.trimmed());
        ftp.setPassword(password.trimmed());
    }
    ftp.setProtocol(profile.Protocol);
    ftp.setPort(port);
    ftp.setPassive(profile.PassiveMode);
}

QString commandLogText(const QString& command)
{
    return command.startsWith(QLatin1String("PASS")) ? QStringLiteral("PASS ****") : command;
}

UploadRun::UploadRun(FtpComponent& ftp, QObject* parent) : QObject(parent), m_ftp(ftp)
{
    connect(&m_ftp, &FtpComponent::OnDone, this, &UploadRun::handleDone);
    connect(&m_ftp, &FtpComponent::OnProgress, this, &UploadRun::handleProgress);
}

bool UploadRun::start(const QStringList& localPaths)
{
    if (m_running)
        return false;
    m_running = true;
    m_paths = localPaths;
    m_failed.clear();
    m_index = -1;
    m_setTotal = 0;
    m_setDoneBefore = 0;
    for (const QString& path : m_paths)
        m_setTotal += QFileInfo(path).size();
    next();
    return true;
}

void UploadRun::next()
{
    if (m_index >= 0)
        m_setDoneBefore += m_fileSize;
    ++m_index;
    if (m_index >= m_paths.size()) {
        m_running = false;
        Q_EMIT finished(int(m_failed.size()));
        return;
    }
    const QString& path = m_paths.at(m_index);
    m_fileSize = QFileInfo(path).size();
    Q_EMIT fileStarted(path);
    Q_EMIT progress(0, m_fileSize, m_setDoneBefore, m_setTotal);
    m_ftp.PutFile(path, QFileInfo(path).fileName());
}

void UploadRun::handleDone(int code, const QString& text)
{
    // Listings and other operations report through OnDone too; only a run's own count.
    if (!m_running)
        return;
    const QString path = m_paths.at(m_index);
    if (code != 0)
        m_failed << path;
    Q_EMIT progress(m_fileSize, m_fileSize, m_setDoneBefore + m_fileSize, m_setTotal);
    Q_EMIT fileFinished(path, code, text);
    next();
}

void UploadRun::handleProgress(qint64 done, qint64 total)
{
    if (m_running)
        Q_EMIT progress(done, total, m_setDoneBefore + done, m_setTotal);
}
