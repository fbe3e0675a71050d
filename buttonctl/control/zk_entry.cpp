// The exported entry points of libzkbutton2 (see zkbutton_factory.h).
#include "zk_library.h"
#include "zkbutton.h"
#include "zkbutton2_export.h"
#include "zkbutton_factory.h"
#include "zkbutton_loader.h"

#include <QApplication>
#include <QAtomicInt>
#include <QFileInfo>
#include <QSettings>
#include <dlfcn.h>

#define ZK_EXPORT extern "C" ZKBUTTON2_EXPORT

namespace {

QString libraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

void* createInstance(void* parentWidget) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr; // widgets need a QApplication
    return static_cast<QWidget*>(new zkButton(static_cast<QWidget*>(parentWidget)));
}

QAtomicInt g_locks(0);

void lockServer(int lock) {
    if (lock) {
        g_locks.ref();
        zk::objectCreated();
        return;
    }
    // An unlock without a lock is refused: it would hide a live object from DllCanUnloadNow.
    int held = g_locks.loadRelaxed();
    do {
        if (held == 0)
            return;
    } while (!g_locks.testAndSetOrdered(held, held - 1, held));
    zk::objectDestroyed();
}

zkClassFactory g_factory{1, &createInstance, &lockServer};

QString classSection() {
    return QStringLiteral("CLSID.") + QLatin1String(zk::kButtonClassId);
}

QString typeLibSection() {
    return QStringLiteral("TypeLib.") + QLatin1String(zk::kLibraryId);
}

int syncResult(QSettings& registry) {
    registry.sync();
    return registry.status() == QSettings::NoError ? ZK_S_OK : ZK_E_FAIL;
}

} // namespace

ZK_EXPORT int DllRegisterServer(void) {
    const QString library = libraryPath();
    if (library.isEmpty())
        return ZK_E_FAIL;
    QDir().mkpath(QFileInfo(zk::host::registryFilePath()).absolutePath());
    QSettings registry(zk::host::registryFilePath(), QSettings::IniFormat);
    const QString version = QStringLiteral("%1.%2").arg(zk::kTypeLibMajor).arg(zk::kTypeLibMinor);
    registry.setValue(QStringLiteral("ProgID/") + QLatin1String(zk::kProgId),
                      QLatin1String(zk::kButtonClassId));
    registry.beginGroup(classSection());
    registry.setValue(QStringLiteral("Name"), QStringLiteral("zkButton"));
    registry.setValue(QStringLiteral("ProgID"), QLatin1String(zk::kProgId));
    registry.setValue(QStringLiteral("Library"), library);
    registry.setValue(QStringLiteral("TypeLib"), QLatin1String(zk::kLibraryId));
    registry.setValue(QStringLiteral("Version"), version);
    registry.endGroup();
    registry.beginGroup(typeLibSection());
    registry.setValue(QStringLiteral("Name"), QLatin1String(zk::kTypeLibName));
    registry.setValue(QStringLiteral("Version"), version);
    registry.setValue(QStringLiteral("Library"), library);
    registry.setValue(QStringLiteral("HelpFile"), QLatin1String(zk::kTypeLibHelpFile));
    registry.endGroup();
    return syncResult(registry);
}

ZK_EXPORT int DllUnregisterServer(void) {
    QSettings registry(zk::host::registryFilePath(), QSettings::IniFormat);
    registry.remove(QStringLiteral("ProgID/") + QLatin1String(zk::kProgId));
    registry.remove(classSection());
    registry.remove(typeLibSection());
    return syncResult(registry);
}

ZK_EXPORT int DllGetClassObject(const char* classId, const char* iid, void** out) {
    if (!out)
        return ZK_E_POINTER;
    *out = nullptr;
    if (!classId || QString::fromLatin1(classId).compare(QLatin1String(zk::kButtonClassId),
                                                         Qt::CaseInsensitive) != 0)
        return ZK_E_CLASSNOTAVAILABLE;
    if (!iid || QString::fromLatin1(iid).compare(QLatin1String(ZK_IID_CLASSFACTORY),
                                                 Qt::CaseInsensitive) != 0)
        return ZK_E_NOINTERFACE;
    *out = &g_factory;
    return ZK_S_OK;
}

ZK_EXPORT int DllCanUnloadNow(void) {
    return zk::liveObjects() == 0 ? ZK_S_OK : ZK_S_FALSE;
}

// The class id of zkButton, for hosts that load the library without a registry entry.
ZK_EXPORT const char* zkButtonClassId(void) {
    return zk::kButtonClassId;
}
