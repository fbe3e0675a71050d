#include "zk_page_services.h"

#include "zk_colors.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QObject>

namespace {

class DirectWriter final : public zkPropertyWriter {
public:
    bool write(QObject* target, const char* name, const QVariant& value) override {
        return target && target->setProperty(name, value);
    }
};

class QtOpenFileDialog final : public zkOpenFileDialog {
public:
    std::optional<QString> openFile(QWidget* owner, const QList<zkFileFilter>& filters) override {
        QFileDialog dialog(owner);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // Qt takes a filter's patterns from its last parentheses; the label is shown alone.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        QStringList names;
        for (const zkFileFilter& f : filters)
            names << f.label + QStringLiteral(" (") +
                         QString(f.patterns).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                         QLatin1Char(')');
        dialog.setNameFilters(names);
        if (!names.isEmpty())
            dialog.selectNameFilter(names.first());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

class QtColorDialog final : public zkColorDialog {
public:
    std::optional<quint32> chooseColor(QWidget* owner, quint32 initial, unsigned /*flags*/,
                                       zkCustomColors& customColors) override {
        // QColorDialog always shows its custom section; the flags have no counterpart.
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, zkResolveColor(customColors[i], QPalette()));
        const QColor picked = QColorDialog::getColor(zkResolveColor(initial, QPalette()), owner);
        for (int i = 0; i < 16; ++i)
            customColors[i] = zkToOleColor(QColorDialog::customColor(i));
        if (!picked.isValid())
            return std::nullopt;
        return zkToOleColor(picked);
    }
};

class InstalledFonts final : public zkFontList {
public:
    QStringList families() const override { return QFontDatabase::families(); }
};

} // namespace

zkPageServices zkPageServices::standard() {
    return zkPageServices{}.completed();
}

zkPageServices zkPageServices::completed() const {
    zkPageServices s = *this;
    if (!s.writer)
        s.writer = std::make_shared<DirectWriter>();
    if (!s.openFile)
        s.openFile = std::make_shared<QtOpenFileDialog>();
    if (!s.colorDialog)
        s.colorDialog = std::make_shared<QtColorDialog>();
    if (!s.fonts)
        s.fonts = std::make_shared<InstalledFonts>();
    return s;
}
