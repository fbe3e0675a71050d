#include "sane_device.h"

#include <sane/saneopts.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace folivo {

namespace {

OptionInfo Describe(const SANE_Option_Descriptor& d, int index, const QString& group) {
    OptionInfo info;
    info.index = index;
    info.name = QString::fromUtf8(d.name ? d.name : "");
    info.title = QString::fromUtf8(d.title ? d.title : "");
    info.description = QString::fromUtf8(d.desc ? d.desc : "");
    info.group = group;
    info.type = d.type;
    info.unit = d.unit;
    info.size = d.size;
    info.caps = d.cap;
    if (d.constraint_type == SANE_CONSTRAINT_RANGE && d.constraint.range) {
        info.range = OptionRange{d.constraint.range->min, d.constraint.range->max,
                                 d.constraint.range->quant};
    } else if (d.constraint_type == SANE_CONSTRAINT_WORD_LIST && d.constraint.word_list) {
        QList<SANE_Word> words;
        const SANE_Word count = d.constraint.word_list[0];
        for (SANE_Word i = 1; i <= count; ++i)
            words.append(d.constraint.word_list[i]);
        info.wordList = words;
    } else if (d.constraint_type == SANE_CONSTRAINT_STRING_LIST && d.constraint.string_list) {
        QStringList strings;
        for (const SANE_String_Const* s = d.constraint.string_list; *s; ++s)
            strings.append(QString::fromUtf8(*s));
        info.stringList = strings;
    }
    return info;
}

} // namespace

std::unique_ptr<SaneDevice> SaneDevice::open(SaneApi& api, const QString& name,
                                             SANE_Status* status) {
    SANE_Handle handle = nullptr;
    const SANE_Status s = api.open(name, &handle);
    if (status)
        *status = s;
    if (s != SANE_STATUS_GOOD || !handle)
        return nullptr;
    return std::unique_ptr<SaneDevice>(new SaneDevice(api, name, handle));
}

SaneDevice::SaneDevice(SaneApi& api, QString name, SANE_Handle handle)
    : m_api(api), m_name(std::move(name)), m_handle(handle) {}

SaneDevice::~SaneDevice() {
    m_api.close(m_handle);
}

// Each operation below is one job on the scanner thread, so it copies what it needs.
std::vector<OptionInfo> SaneDevice::options() {
    return m_api.call(
        [e = m_api.entries(), h = m_handle] {
            std::vector<OptionInfo> result;
            SANE_Int count = 0;
            if (e.control(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
                return result;
            QString group;
            for (int i = 1; i < count; ++i) {
                const SANE_Option_Descriptor* d = e.describe(h, i);
                if (!d)
                    continue;
                if (d->type == SANE_TYPE_GROUP) {
                    group = QString::fromUtf8(d->title ? d->title : "");
                    continue;
                }
                result.push_back(Describe(*d, i, group));
            }
            return result;
        },
        std::vector<OptionInfo>{});
}

std::optional<OptionInfo> SaneDevice::option(const QString& name) {
    for (OptionInfo& info : options())
        if (info.name == name)
            return std::move(info);
    return std::nullopt;
}

std::optional<OptionValue> SaneDevice::value(const OptionInfo& info) {
    if (!info.hasValue() || !info.isActive() || !info.isReadable() || info.size <= 0)
        return std::nullopt;
    return m_api.call(
        [e = m_api.entries(), h = m_handle, info]() -> std::optional<OptionValue> {
            std::vector<char> buffer(static_cast<std::size_t>(info.size) + 1, 0);
            if (e.control(h, info.index, SANE_ACTION_GET_VALUE, buffer.data(), nullptr) !=
                SANE_STATUS_GOOD)
                return std::nullopt;
            OptionValue v;
            if (info.type == SANE_TYPE_STRING) {
                v.text = QString::fromUtf8(buffer.data(),
                                           qsizetype(strnlen(buffer.data(), buffer.size())));
            } else {
                for (int i = 0; i < info.wordCount(); ++i) {
                    SANE_Word w = 0;
                    std::memcpy(&w, buffer.data() + i * sizeof(SANE_Word), sizeof w);
                    v.words.append(w);
                }
            }
            return v;
        },
        std::nullopt);
}

SetResult SaneDevice::control(const OptionInfo& info, SANE_Action action, std::vector<char> data) {
    return m_api.call(
        [e = m_api.entries(), h = m_handle, index = info.index, action,
         data = std::move(data)]() mutable {
            SANE_Int flags = 0;
            SetResult r;
            r.status = e.control(h, index, action, data.empty() ? nullptr : data.data(), &flags);
            r.reloadOptions = (flags & SANE_INFO_RELOAD_OPTIONS) != 0;
            r.inexact = (flags & SANE_INFO_INEXACT) != 0;
            return r;
        },
        SetResult{SANE_STATUS_IO_ERROR, false, false});
}

SetResult SaneDevice::setValue(const OptionInfo& info, const OptionValue& value) {
    if (!info.hasValue() || !info.isSettable() || !info.isActive())
        return SetResult{SANE_STATUS_INVAL, false, false};
    if (info.type == SANE_TYPE_STRING) {
        std::vector<char> buffer(static_cast<std::size_t>(std::max(info.size, 1)), 0);
        const QByteArray utf8 = value.text.toUtf8();
        if (utf8.size() >= qsizetype(buffer.size()))
            return SetResult{SANE_STATUS_INVAL, false, false};
        std::memcpy(buffer.data(), utf8.constData(), static_cast<std::size_t>(utf8.size()));
        return control(info, SANE_ACTION_SET_VALUE, std::move(buffer));
    }
    if (value.words.size() != info.wordCount())
        return SetResult{SANE_STATUS_INVAL, false, false};
    std::vector<char> words(static_cast<std::size_t>(value.words.size()) * sizeof(SANE_Word));
    std::memcpy(words.data(), value.words.constData(), words.size());
    return control(info, SANE_ACTION_SET_VALUE, std::move(words));
}

SetResult SaneDevice::press(const OptionInfo& info) {
    if (info.type != SANE_TYPE_BUTTON || !info.isActive())
        return SetResult{SANE_STATUS_INVAL, false, false};
    return control(info, SANE_ACTION_SET_VALUE, {});
}

bool SaneDevice::setNumber(const QString& name, double number) {
    const std::optional<OptionInfo> info = option(name);
    if (!info || info->wordCount() != 1)
        return false;
    OptionValue v;
    v.words.append(NumberToWord(*info, number));
    return setValue(*info, v).status == SANE_STATUS_GOOD;
}

bool SaneDevice::setText(const QString& name, const QString& text) {
    const std::optional<OptionInfo> info = option(name);
    if (!info || info->type != SANE_TYPE_STRING)
        return false;
    return setValue(*info, OptionValue{{}, text}).status == SANE_STATUS_GOOD;
}

double SaneDevice::resolution() {
    const std::optional<OptionInfo> info = option(QStringLiteral(SANE_NAME_SCAN_RESOLUTION));
    if (!info)
        return 0;
    const std::optional<OptionValue> v = value(*info);
    if (!v || v->words.isEmpty())
        return 0;
    return WordToNumber(*info, v->words[0]);
}

} // namespace folivo
