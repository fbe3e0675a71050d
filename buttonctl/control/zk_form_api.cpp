// The form-description entry point of libzkbutton2 (see zkbutton_form.h).
#include "zk_form_text.h"
#include "zkbutton.h"
#include "zkbutton2_export.h"
#include "zkbutton_form.h"

#include <QByteArray>
#include <QList>

#define ZK_EXPORT extern "C" ZKBUTTON2_EXPORT

namespace {

struct Form {
    QList<zkFormControl> controls;
    QList<QByteArray> classNames; // UTF-8 copies handed out by ClassName/Name
    QList<QByteArray> names;
    QByteArray error;
    int errorLine = 0;
    QByteArray written;

    void append(zkFormControl control) {
        classNames.append(control.className.toUtf8());
        names.append(control.name.toUtf8());
        controls.append(std::move(control));
    }
    bool has(int index) const { return index >= 0 && index < controls.size(); }
};

Form* asForm(void* form) {
    return static_cast<Form*>(form);
}

QString utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

void* parseForm(const char* text, long long length, const char* baseDir) {
    auto* form = new Form;
    if (!text || length < 0 || length > zk::form::kMaxTextBytes) {
        form->error = "form text missing or too large";
        return form;
    }
    const zkFormText parsed =
        zk::form::parse(QByteArray(text, static_cast<qsizetype>(length)), utf8(baseDir));
    form->error = parsed.error.toUtf8();
    form->errorLine = parsed.errorLine;
    for (const zkFormControl& control : parsed.controls)
        form->append(control);
    return form;
}

void freeForm(void* form) {
    delete asForm(form);
}

const char* formError(void* form, int* line) {
    if (!form)
        return "no form";
    if (line)
        *line = asForm(form)->errorLine;
    return asForm(form)->error.constData();
}

int countControls(void* form) {
    return form ? static_cast<int>(asForm(form)->controls.size()) : 0;
}

int addControl(void* form, const char* className, const char* name) {
    if (!form || !className || !name)
        return -1;
    // The reader is the one judge of what a block header may hold.
    const QByteArray header = QByteArray("Begin ") + className + ' ' + name + "\nEnd\n";
    const zkFormText probe = zk::form::parse(header, {});
    if (!probe.ok() || probe.controls.size() != 1)
        return -1;
    Form* f = asForm(form);
    f->append(probe.controls.first());
    return static_cast<int>(f->controls.size() - 1);
}

const char* className(void* form, int index) {
    return form && asForm(form)->has(index) ? asForm(form)->classNames[index].constData() : "";
}

const char* controlName(void* form, int index) {
    return form && asForm(form)->has(index) ? asForm(form)->names[index].constData() : "";
}

int getValue(void* form, int index, const char* key, void* out) {
    if (!form || !asForm(form)->has(index) || !key || !out)
        return 0;
    const zkMemoryPropertyBag& bag = *asForm(form)->controls[index].bag;
    if (!bag.contains(utf8(key)))
        return 0;
    *static_cast<QVariant*>(out) = bag.value(utf8(key));
    return 1;
}

int setValue(void* form, int index, const char* key, const void* value) {
    if (!form || !asForm(form)->has(index) || !key || !value)
        return ZK_E_FAIL;
    asForm(form)->controls[index].bag->set(utf8(key), *static_cast<const QVariant*>(value));
    return ZK_S_OK;
}

zkButton* asButton(void* control) {
    return qobject_cast<zkButton*>(static_cast<QObject*>(static_cast<QWidget*>(control)));
}

int readProperties(void* form, int index, void* control) {
    zkButton* button = control ? asButton(control) : nullptr;
    if (!form || !button)
        return ZK_E_POINTER;
    if (!asForm(form)->has(index))
        return ZK_E_FAIL;
    return button->ReadProperties(*asForm(form)->controls[index].bag).code;
}

int writeProperties(void* form, int index, void* control) {
    zkButton* button = control ? asButton(control) : nullptr;
    if (!form || !button)
        return ZK_E_POINTER;
    if (!asForm(form)->has(index))
        return ZK_E_FAIL;
    return button->WriteProperties(*asForm(form)->controls[index].bag).code;
}

const char* formText(void* form, long long* length) {
    if (!form) {
        if (length)
            *length = 0;
        return "";
    }
    Form* f = asForm(form);
    f->written = zk::form::write(f->controls);
    if (length)
        *length = f->written.size();
    return f->written.constData();
}

const zkFormApi g_formApi{
    ZK_FORM_ABI_VERSION, &parseForm,       &freeForm,    &formError, &countControls,
    &addControl,         &className,       &controlName, &getValue,  &setValue,
    &readProperties,     &writeProperties, &formText};

} // namespace

ZK_EXPORT int zkGetFormApi(int abiVersion, const zkFormApi** out) {
    if (!out)
        return ZK_E_POINTER;
    *out = nullptr;
    if (abiVersion != ZK_FORM_ABI_VERSION)
        return ZK_E_NOINTERFACE;
    *out = &g_formApi;
    return ZK_S_OK;
}
