#pragma once
// A temporary program folder: $FOLIVO_HOME points into it while the object lives.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace folivo::test {

class TempHome {
public:
    TempHome() : m_old(qgetenv("FOLIVO_HOME")), m_hadOld(qEnvironmentVariableIsSet("FOLIVO_HOME")) {
        qputenv("FOLIVO_HOME", m_dir.path().toUtf8());
    }
    ~TempHome() {
        if (m_hadOld)
            qputenv("FOLIVO_HOME", m_old);
        else
            qunsetenv("FOLIVO_HOME");
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QByteArray read(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    bool m_hadOld;
};

} // namespace folivo::test
