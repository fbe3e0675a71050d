#pragma once
// An in-memory property bag: keys in the order they were first written. Writing a value
// equal to its default stores nothing (and drops an older value of that key, so the bag
// always shows the latest save). Fonts are stored as copies, as a saved form would keep
// them: a font read back is a new object.
#include "zk_host.h"
#include "zkbutton2_export.h"

#include <QList>
#include <QPair>

class ZKBUTTON2_EXPORT zkMemoryPropertyBag : public zkPropertyBag {
public:
    zkBagRead read(const QString& key, const QVariant& defaultValue) override;
    zkHostError write(const QString& key, const QVariant& value,
                      const QVariant& defaultValue) override;

    // Stores a value as it stands (what a form reader does).
    void set(const QString& key, const QVariant& value);
    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;
    QStringList keys() const;
    qsizetype size() const { return m_entries.size(); }

private:
    QList<QPair<QString, QVariant>> m_entries;
};

// A copy of a font variant (other values unchanged).
ZKBUTTON2_EXPORT QVariant zkDetachFont(const QVariant& value);
