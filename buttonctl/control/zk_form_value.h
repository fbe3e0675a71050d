#pragma once
// Parsing of one value of the form text (see zk_form_text.h).
#include <QString>
#include <QStringView>
#include <QVariant>

namespace zk::form {

struct ValueResult {
    QVariant value;
    QString error; // empty on success
};

ValueResult parseValue(QStringView text, const QString& baseDir);
// A quoted string starting at text[pos]; on success pos is just past the closing quote.
bool parseQuoted(QStringView text, qsizetype& pos, QString& out);

} // namespace zk::form
