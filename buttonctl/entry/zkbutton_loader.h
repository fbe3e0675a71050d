#pragma once
// Host side of the zkButton2 entry points, header-only so a program can create buttons
// by ProgID without linking the library: it finds the library in the component registry
// file (or takes the one beside the executable), loads it, asks DllGetClassObject for the
// class factory and creates the control.
//
// Contract: createControl returns the new widget (owned by `parent` as any Qt child) or
// null with `error` set. The library stays loaded for the life of the process; a host that
// wants to unload it calls DllCanUnloadNow itself.
#include "zkbutton_factory.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QWidget>
#include <dlfcn.h>

namespace zk::host {

inline constexpr const char* kLibraryFile = "libzkbutton2.so.2";

// $ZKBUTTON2_REGISTRY, else $XDG_CONFIG_HOME/zkbutton2/components.ini (~/.config when unset).
inline QString registryFilePath() {
    const QString forced = qEnvironmentVariable(ZK_REGISTRY_ENV);
    if (!forced.isEmpty())
        return forced;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/zkbutton2/components.ini");
}

struct Registration {
    QString classId;
    QString library;
};

// The class id and library path registered for a ProgID; empty when not registered.
inline Registration lookUp(const QString& progId) {
    QSettings registry(registryFilePath(), QSettings::IniFormat);
    Registration r;
    r.classId = registry.value(QStringLiteral("ProgID/") + progId).toString();
    if (!r.classId.isEmpty())
        r.library =
            registry.value(QStringLiteral("CLSID.") + r.classId + QStringLiteral("/Library"))
                .toString();
    return r;
}

inline QWidget* createControl(const QString& progId, QWidget* parent, QString* error = nullptr) {
    const auto fail = [error](const QString& why) -> QWidget* {
        if (error)
            *error = why;
        return nullptr;
    };
    Registration r = lookUp(progId);
    if (r.library.isEmpty()) {
        // Not registered: the library beside the executable, with the built-in class id.
        r.library =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kLibraryFile);
    }
    void* handle = dlopen(QFile::encodeName(r.library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return fail(QString::fromLocal8Bit(dlerror()));
    auto getClassObject =
        reinterpret_cast<zkDllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject)
        return fail(QStringLiteral("DllGetClassObject not found in ") + r.library);
    if (r.classId.isEmpty()) {
        using ClassIdFn = const char* (*)();
        auto defaultClassId = reinterpret_cast<ClassIdFn>(dlsym(handle, "zkButtonClassId"));
        if (!defaultClassId)
            return fail(QStringLiteral("no class id for ") + progId);
        r.classId = QString::fromLatin1(defaultClassId());
    }
    void* object = nullptr;
    const int hr = getClassObject(r.classId.toLatin1().constData(), ZK_IID_CLASSFACTORY, &object);
    if (hr != ZK_S_OK || !object)
        return fail(QStringLiteral("class not available: ") + r.classId);
    auto* factory = static_cast<zkClassFactory*>(object);
    QWidget* widget = static_cast<QWidget*>(factory->CreateInstance(parent));
    if (!widget)
        return fail(QStringLiteral("the factory created no control"));
    return widget;
}

} // namespace zk::host
