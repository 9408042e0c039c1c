#pragma once

#include "saveddefaults.h"
#include "switchid.h"

#include <QString>

class DefaultsView;
class Drives;
class SettingsStore;
class UserDialogs;
struct DefaultSetting;

// The commands of the Settings menu. Each asks for or flips one default,
// applies it to the window at once, keeps it in the saved defaults and
// writes it to the store at once. A value that cannot be written stays in
// force for this run and the user is told why it was not saved.
class SettingsCommands final
{
public:
    SettingsCommands(SavedDefaults &defaults, SettingsStore &store, DefaultsView &view,
        UserDialogs &dialogs, const Drives &drives);

    // Each asks for a new default until the answer is valid or cancelled.
    void askDefaultDrive();
    void askDefaultPath();
    void askDefaultLength();
    void askDefaultLimit();
    // The nine on/off items: the new value comes from the item's check
    // mark alone, never from the check box the user may have changed.
    void toggle(SwitchId id);

private:
    struct NumberPrompt;

    qint16 askNumber(const NumberPrompt &prompt, qint16 current);
    void save(const DefaultSetting &setting);

    SavedDefaults &m_defaults;
    SettingsStore &m_store;
    DefaultsView &m_view;
    UserDialogs &m_dialogs;
    const Drives &m_drives;
};
