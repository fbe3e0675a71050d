// A host that does not link the library: it loads libzkbutton2 with dlopen, registers it
// into a temporary component registry, creates a button by ProgID and watches
// DllCanUnloadNow. Nothing of the control's classes is linked into this test.
#include "zkbutton_factory.h"
#include "zkbutton_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

class LibraryHost : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv(ZK_REGISTRY_ENV, dir.filePath(QStringLiteral("components.ini")).toUtf8());
        const QString path =
            qEnvironmentVariable("FOLIVO_BIN_DIR") + QStringLiteral("/libzkbutton2.so.2");
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        const auto find = [this](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
            return fn != nullptr;
        };
        ASSERT_TRUE(find(registerServer, "DllRegisterServer") &&
                    find(unregisterServer, "DllUnregisterServer") &&
                    find(canUnload, "DllCanUnloadNow"));
    }
    void TearDown() override { qunsetenv(ZK_REGISTRY_ENV); }

    QTemporaryDir dir;
    void* handle = nullptr;
    zkDllRegisterServerFn registerServer = nullptr;
    zkDllRegisterServerFn unregisterServer = nullptr;
    zkDllCanUnloadNowFn canUnload = nullptr;
};

TEST_F(LibraryHost, RegisterCreateByProgIdAndUnloadWhenLastButtonGoes) {
    QWidget form;
    // Nothing registered: the host looks beside its executable (build/bin in tests).
    QWidget* beside = zk::host::createControl(QStringLiteral("zkButtonProject.zkButton"), &form);
    ASSERT_NE(beside, nullptr);
    delete beside;
    EXPECT_EQ(canUnload(), ZK_S_OK);
    ASSERT_EQ(registerServer(), ZK_S_OK);
    const zk::host::Registration r = zk::host::lookUp(QStringLiteral("zkButtonProject.zkButton"));
    EXPECT_EQ(r.classId, QStringLiteral("{1CFA07B4-5195-4D45-A378-92E00E090F3A}"));
    EXPECT_TRUE(r.library.contains(QStringLiteral("libzkbutton2.so.2")));
    EXPECT_EQ(canUnload(), ZK_S_OK);

    QString error;
    QWidget* button =
        zk::host::createControl(QStringLiteral("zkButtonProject.zkButton"), &form, &error);
    ASSERT_NE(button, nullptr) << error.toStdString();
    EXPECT_EQ(button->parentWidget(), &form);
    EXPECT_TRUE(button->setProperty("Caption", QStringLiteral("&Scan")));
    EXPECT_EQ(button->property("DisplayCaption").toString(), QStringLiteral("Scan"));
    EXPECT_EQ(canUnload(), ZK_S_FALSE);
    delete button;
    EXPECT_EQ(canUnload(), ZK_S_OK);

    ASSERT_EQ(unregisterServer(), ZK_S_OK);
    EXPECT_TRUE(zk::host::lookUp(QStringLiteral("zkButtonProject.zkButton")).classId.isEmpty());
}

} // namespace
