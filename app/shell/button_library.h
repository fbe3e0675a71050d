#pragma once
// libzkbutton2 as the program uses it: loaded at run time, never linked, so the program
// reaches the control exactly as any other host would.
//
// Contract:
// - ButtonLibrary::Open finds the library the way the loader does (the component registry
//   entry of the ProgID, else the file beside the executable), loads it and takes its
//   form-description entry point. It returns null with `error` set when either fails.
//   The library stays loaded for the life of the process.
// - createButton makes one control by ProgID "zkButtonProject.zkButton" through the
//   class factory; the widget belongs to `parent`. Null with `error` set on failure.
// - FormDescription holds one parsed form text (see zkbutton_form.h). It must not outlive
//   the ButtonLibrary that made it. Indexes run from 0 to count() - 1.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QWidget;
struct zkFormApi; // zkbutton_form.h, seen only by the implementation

namespace folivo {

inline constexpr const char* kButtonProgId = "zkButtonProject.zkButton";

class FormDescription;

class ButtonLibrary {
public:
    static std::unique_ptr<ButtonLibrary> Open(QString* error);

    QWidget* createButton(QWidget* parent, QString* error) const;
    FormDescription parseForm(const QByteArray& text, const QString& baseDir) const;
    // An empty description to write controls into.
    FormDescription newForm() const;

private:
    explicit ButtonLibrary(const zkFormApi* api) : m_api(api) {}
    const zkFormApi* m_api;
};

class FormDescription {
public:
    FormDescription(const zkFormApi* api, void* form) : m_api(api), m_form(form) {}
    FormDescription(FormDescription&& other) noexcept;
    FormDescription& operator=(FormDescription&&) = delete;
    FormDescription(const FormDescription&) = delete;
    ~FormDescription();

    bool ok() const { return error().isEmpty(); }
    QString error() const;
    int errorLine() const;

    int count() const;
    QString className(int index) const;
    QString name(int index) const;
    std::optional<QVariant> value(int index, const QString& key) const;
    bool setValue(int index, const QString& key, const QVariant& value);
    int add(const QString& className, const QString& name);

    // The control's ReadProperties/WriteProperties with block `index` as its bag;
    // 0 on success, else the library's error code.
    int readProperties(int index, QWidget* control);
    int writeProperties(int index, QWidget* control);

    QByteArray text() const;

private:
    const zkFormApi* m_api;
    void* m_form;
};

} // namespace folivo
