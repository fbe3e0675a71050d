#include "button_library.h"

#include "zkbutton_form.h"
#include "zkbutton_loader.h"

#include <QCoreApplication>
#include <QFile>
#include <QWidget>
#include <dlfcn.h>

namespace folivo {

namespace {
// The file the loader would load for the ProgID.
QString libraryPath() {
    const zk::host::Registration registered = zk::host::lookUp(QLatin1String(kButtonProgId));
    if (!registered.library.isEmpty())
        return registered.library;
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') +
           QLatin1String(zk::host::kLibraryFile);
}

void setError(QString* error, const QString& why) {
    if (error)
        *error = why;
}
} // namespace

std::unique_ptr<ButtonLibrary> ButtonLibrary::Open(QString* error) {
    const QString path = libraryPath();
    // Never closed: the buttons' code lives in it until the process ends.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        setError(error, QString::fromLocal8Bit(dlerror()));
        return nullptr;
    }
    auto getFormApi = reinterpret_cast<zkGetFormApiFn>(dlsym(handle, "zkGetFormApi"));
    const zkFormApi* api = nullptr;
    if (!getFormApi || getFormApi(ZK_FORM_ABI_VERSION, &api) != ZK_S_OK || !api) {
        setError(error, QStringLiteral("no form-description entry point in ") + path);
        return nullptr;
    }
    return std::unique_ptr<ButtonLibrary>(new ButtonLibrary(api));
}

QWidget* ButtonLibrary::createButton(QWidget* parent, QString* error) const {
    return zk::host::createControl(QLatin1String(kButtonProgId), parent, error);
}

FormDescription ButtonLibrary::parseForm(const QByteArray& text, const QString& baseDir) const {
    return {m_api, m_api->Parse(text.constData(), text.size(), baseDir.toUtf8().constData())};
}

FormDescription ButtonLibrary::newForm() const {
    return parseForm({}, {});
}

FormDescription::FormDescription(FormDescription&& other) noexcept
    : m_api(other.m_api), m_form(other.m_form) {
    other.m_form = nullptr;
}

FormDescription::~FormDescription() {
    if (m_form)
        m_api->Free(m_form);
}

QString FormDescription::error() const {
    return QString::fromUtf8(m_api->Error(m_form, nullptr));
}

int FormDescription::errorLine() const {
    int line = 0;
    m_api->Error(m_form, &line);
    return line;
}

int FormDescription::count() const {
    return m_api->Count(m_form);
}

QString FormDescription::className(int index) const {
    return QString::fromUtf8(m_api->ClassName(m_form, index));
}

QString FormDescription::name(int index) const {
    return QString::fromUtf8(m_api->Name(m_form, index));
}

std::optional<QVariant> FormDescription::value(int index, const QString& key) const {
    QVariant out;
    if (m_api->GetValue(m_form, index, key.toUtf8().constData(), &out) != 1)
        return std::nullopt;
    return out;
}

bool FormDescription::setValue(int index, const QString& key, const QVariant& value) {
    return m_api->SetValue(m_form, index, key.toUtf8().constData(), &value) == ZK_S_OK;
}

int FormDescription::add(const QString& className, const QString& name) {
    return m_api->Add(m_form, className.toUtf8().constData(), name.toUtf8().constData());
}

int FormDescription::readProperties(int index, QWidget* control) {
    return m_api->ReadProperties(m_form, index, control);
}

int FormDescription::writeProperties(int index, QWidget* control) {
    return m_api->WriteProperties(m_form, index, control);
}

QByteArray FormDescription::text() const {
    long long length = 0;
    const char* text = m_api->Text(m_form, &length);
    return QByteArray(text, static_cast<qsizetype>(length));
}

} // namespace folivo
