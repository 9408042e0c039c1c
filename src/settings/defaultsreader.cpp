#include "defaultsreader.h"

#include "defaultstable.h"
#include "settingsstore.h"
#include "settingstexts.h"
#include "textconversions.h"

#include <cmath>
#include <optional>

namespace DefaultsReader {
namespace {

// The leading number, without a "0" in front, rounded halves-to-even;
// nothing when it does not fit in 16 bits.
std::optional<qint16> storedNumber(const QString &text)
{
    return TextConversions::roundedToInt16(TextConversions::leadingNumber(text));
}

class FieldReader
{
public:
    FieldReader(DefaultsReading &reading, const DefaultSetting &setting, const QString &text)
        : m_reading(reading)
        , m_setting(setting)
        , m_text(text)
    { }

    void operator()(QString SavedDefaults::*member) const { m_reading.values.*member = m_text; }

    void operator()(qint16 SavedDefaults::*member) const
    {
        if (const std::optional<qint16> number = storedNumber(m_text)) {
            m_reading.values.*member = *number;
        } else {
            m_reading.values.*member = SavedDefaults{}.*member;
            m_reading.problems.append(SettingsTexts::numberOutOfRange(
                m_setting.key, m_text, DefaultsTable::defaultText(m_setting)));
        }
    }

    void operator()(bool SavedDefaults::*member) const
    {
        if (const std::optional<bool> value = TextConversions::toBoolean(m_text)) {
            m_reading.values.*member = *value;
        } else {
            m_reading.values.*member = SavedDefaults{}.*member;
            m_reading.problems.append(SettingsTexts::notBoolean(
                m_setting.key, m_text, DefaultsTable::defaultText(m_setting)));
        }
    }

private:
    DefaultsReading &m_reading;
    const DefaultSetting &m_setting;
    const QString &m_text;
};

} // namespace

DefaultsReading read(const SettingsStore &store)
{
    DefaultsReading reading;
    for (const DefaultSetting &setting : DefaultsTable::all()) {
        const QString text = store.get(setting.key, DefaultsTable::defaultText(setting));
        std::visit(FieldReader(reading, setting, text), setting.field);
    }
    return reading;
}

} // namespace DefaultsReader
