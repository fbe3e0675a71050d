#include "status_log.h"

namespace folivo {

StatusLog::StatusLog() : StatusLog(qEnvironmentVariable("FOLIVO_STATUS_LOG")) {}

StatusLog::StatusLog(const QString& path) {
    if (path.isEmpty())
        return;
    m_file.setFileName(path);
    (void)m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void StatusLog::append(const QString& line) {
    if (!m_file.isOpen())
        return;
    QString text = line;
    // One status line is one line of the log, whatever the message holds.
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    m_file.write(text.toUtf8() + '\n');
    m_file.flush();
}

} // namespace folivo
