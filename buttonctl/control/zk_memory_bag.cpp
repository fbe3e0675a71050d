#include "zk_memory_bag.h"

QVariant zkDetachFont(const QVariant& value) {
    if (value.metaType() != QMetaType::fromType<zkFontRef>())
        return value;
    const zkFontRef f = value.value<zkFontRef>();
    if (!f)
        return value;
    return QVariant::fromValue(zkFontRef::create(f->name(), f->size(), f->bold(), f->italic(),
                                                 f->underline(), f->strikethrough()));
}

zkBagRead zkMemoryPropertyBag::read(const QString& key, const QVariant& defaultValue) {
    for (const auto& [k, v] : m_entries)
        if (k == key)
            return {zkDetachFont(v), {}};
    return {defaultValue, {}};
}

zkHostError zkMemoryPropertyBag::write(const QString& key, const QVariant& value,
                                       const QVariant& defaultValue) {
    if (zkSameValue(value, defaultValue)) {
        m_entries.removeIf([&](const auto& e) { return e.first == key; });
        return {};
    }
    set(key, zkDetachFont(value));
    return {};
}

void zkMemoryPropertyBag::set(const QString& key, const QVariant& value) {
    for (auto& entry : m_entries) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    m_entries.append({key, value});
}

bool zkMemoryPropertyBag::contains(const QString& key) const {
    for (const auto& entry : m_entries)
        if (entry.first == key)
            return true;
    return false;
}

QVariant zkMemoryPropertyBag::value(const QString& key) const {
    for (const auto& [k, v] : m_entries)
        if (k == key)
            return v;
    return {};
}

QStringList zkMemoryPropertyBag::keys() const {
    QStringList out;
    for (const auto& entry : m_entries)
        out.append(entry.first);
    return out;
}
