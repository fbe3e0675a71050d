#include "qt_message_boxes.h"

#include <QMessageBox>

namespace folivo {

void QtMessageBoxes::information(const QString& title, const QString& prompt) {
    // Prompts join their lines with CR LF; a label breaks lines at LF only.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_parent.data());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace folivo
