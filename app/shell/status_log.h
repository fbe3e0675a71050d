#pragma once
// Optional copy of the status line for watchers outside the program.
// With FOLIVO_STATUS_LOG=<file> set, every status line is appended to that file as one
// UTF-8 line and flushed at once; without it nothing is written. A file that cannot be
// opened is passed over: the status line itself never depends on it.
#include <QFile>
#include <QString>

namespace folivo {

class StatusLog {
public:
    StatusLog(); // reads FOLIVO_STATUS_LOG
    explicit StatusLog(const QString& path);

    void append(const QString& line);
    bool isActive() const { return m_file.isOpen(); }

private:
    QFile m_file;
};

} // namespace folivo
