#pragma once

#include "defaultsetting.h"
#include "saveddefaults.h"
#include "switchid.h"

#include <QString>
#include <QStringView>

#include <span>

// The one list of the thirteen defaults that start-up reads and the
// Settings commands save, so that both agree on keys, defaults and forms.
namespace DefaultsTable {

// In the order in which start-up reads them.
std::span<const DefaultSetting> all();

const DefaultSetting &forSwitch(SwitchId id);
// Nothing for a key that is not one of the thirteen.
const DefaultSetting *forKey(QStringView key);

bool &switchValue(SavedDefaults &defaults, SwitchId id);
bool switchValue(const SavedDefaults &defaults, SwitchId id);

// "True" or "False".
QString booleanText(bool value);
// The text that the store keeps for the setting's current value.
QString storedText(const SavedDefaults &defaults, const DefaultSetting &setting);
// The text that stands for the setting while its key is absent: the stored
// text of its built-in default.
QString defaultText(const DefaultSetting &setting);

} // namespace DefaultsTable
