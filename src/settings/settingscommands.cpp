#include "settingscommands.h"

#include "defaultstable.h"
#include "defaultsview.h"
#include "drivepaths.h"
#include "drives.h"
#include "range.h"
#include "settingkeys.h"
#include "settingsstore.h"
#include "settingstexts.h"
#include "textconversions.h"
#include "userdialogs.h"

using namespace Qt::StringLiterals;

struct SettingsCommands::NumberPrompt
{
    QString prompt;
    QString title;
    Range range;
    QString rangeMessage;
    QString numberMessage;
};

namespace {

bool isDriveLetter(const QString &answer)
{
    if (answer.size() != 1)
        return false;
    const QChar upper = answer[0].toUpper();
    return upper >= u'A' && upper <= u'Z';
}

QString driveFolder(const QString &drive, const QString &path)
{
    return drive + u":\\"_s + path;
}

} // namespace

SettingsCommands::SettingsCommands(SavedDefaults &defaults, SettingsStore &store,
    DefaultsView &view, UserDialogs &dialogs, const Drives &drives)
    : m_defaults(defaults)
    , m_store(store)
    , m_view(view)
    , m_dialogs(dialogs)
    , m_drives(drives)
{ }

void SettingsCommands::save(const DefaultSetting &setting)
{
    const Status saved = m_store.save(setting.key, DefaultsTable::storedText(m_defaults, setting));
    if (!saved.ok())
        m_dialogs.warn(SettingsTexts::notSaved(saved.failure().description));
}

void SettingsCommands::askDefaultDrive()
{
    QString answer;
    do {
        answer = m_dialogs.inputBox(
            SettingsTexts::drivePrompt(), SettingsTexts::driveTitle(), m_defaults.gDrive);
        if (!isDriveLetter(answer))
            m_dialogs.inputError(SettingsTexts::driveNotALetter());
        if (!m_drives.exists(answer)) {
            m_dialogs.inputError(SettingsTexts::driveMissing(answer));
            answer.clear();
        }
    } while (!(isDriveLetter(answer) && m_drives.exists(answer)));

    if (!m_view.selectDrive(answer).ok()) {
        m_dialogs.inputError(SettingsTexts::driveRestored(answer));
        return;
    }
    m_defaults.gDrive = answer;
    save(*DefaultsTable::forKey(SettingKeys::Drive));
}

void SettingsCommands::askDefaultPath()
{
    QString answer;
    for (;;) {
        answer = m_dialogs.inputBox(
            SettingsTexts::pathPrompt(), SettingsTexts::pathTitle(), m_defaults.gPath);
        if (DrivePaths::folderExists(m_drives, driveFolder(m_defaults.gDrive, answer)))
            break;
        m_dialogs.inputError(SettingsTexts::pathMissing(m_defaults.gDrive, answer));
        // Cancel gives the empty answer, the drive's root. When even that is
        // missing (the drive is gone) no answer could ever pass: Cancel then
        // leaves the command instead of asking for ever.
        if (answer.isEmpty()) {
            m_dialogs.inputError(SettingsTexts::pathRestored(m_defaults.gDrive, answer));
            return;
        }
    }

    if (!m_view.setFolder(driveFolder(m_defaults.gDrive, answer)).ok()) {
        m_dialogs.inputError(SettingsTexts::pathRestored(m_defaults.gDrive, answer));
        return;
    }
    m_defaults.gPath = answer;
    save(*DefaultsTable::forKey(SettingKeys::Path));
}

qint16 SettingsCommands::askNumber(const NumberPrompt &prompt, qint16 current)
{
    // A failed conversion keeps the value from before, so an answer that is
    // no number brings the number message and then the range message.
    qint16 value = 0;
    do {
        const QString answer
            = m_dialogs.inputBox(prompt.prompt, prompt.title, TextConversions::numberText(current));
        if (const std::optional<qint16> converted = TextConversions::toInt16(answer))
            value = *converted;
        else
            m_dialogs.inputError(prompt.numberMessage);
        if (!prompt.range.contains(value))
            m_dialogs.inputError(prompt.rangeMessage);
    } while (!prompt.range.contains(value));
    return value;
}

void SettingsCommands::askDefaultLength()
{
    const qint16 value = askNumber(
        {SettingsTexts::lengthPrompt(), SettingsTexts::lengthTitle(), Limits::DefaultMaxLength,
            SettingsTexts::lengthRange(), SettingsTexts::lengthNotNumber()},
        m_defaults.gMaxLen);
    m_view.setMaxLengthText(TextConversions::numberText(value));
    m_defaults.gMaxLen = value;
    save(*DefaultsTable::forKey(SettingKeys::MaxLength));
}

void SettingsCommands::askDefaultLimit()
{
    const qint16 value
        = askNumber({SettingsTexts::limitPrompt(), SettingsTexts::limitTitle(), Limits::MaxFiles,
                        SettingsTexts::limitRange(), SettingsTexts::limitNotNumber()},
            m_defaults.gMaxCnt);
    m_view.setLimitText(TextConversions::numberText(value));
    m_defaults.gMaxCnt = value;
    save(*DefaultsTable::forKey(SettingKeys::MaxCount));
}

void SettingsCommands::toggle(SwitchId id)
{
    const bool checked = !m_view.isMenuChecked(id);
    m_view.setMenuChecked(id, checked);
    m_view.setSwitchTicked(id, checked);
    DefaultsTable::switchValue(m_defaults, id) = checked;
    save(DefaultsTable::forSwitch(id));
}
