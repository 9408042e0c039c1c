#include "defaultstable.h"

#include "settingkeys.h"
#include "textconversions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace DefaultsTable {
namespace {

using S = SavedDefaults;

const std::array<DefaultSetting, 13> table = {{
    {SettingKeys::Drive, &S::gDrive, std::nullopt},
    {SettingKeys::Path, &S::gPath, std::nullopt},
    {SettingKeys::MaxLength, &S::gMaxLen, std::nullopt},
    {SettingKeys::IncSubDirs, &S::gIncSub, SwitchId::IncludeSubdirs},
    {SettingKeys::MaxCount, &S::gMaxCnt, std::nullopt},
    {SettingKeys::ReadOnly, &S::gReadOnly, SwitchId::ReadOnly},
    {SettingKeys::Underline, &S::gUnderline, SwitchId::Underline},
    {SettingKeys::MultSpecial, &S::gMultSpecial, SwitchId::MultSpecial},
    {SettingKeys::MultSpace, &S::gMultSpace, SwitchId::MultSpace},
    {SettingKeys::Empty, &S::gEmpty, SwitchId::Empty},
    {SettingKeys::Copy, &S::gCopy, SwitchId::Copy},
    {SettingKeys::Starting, &S::gStarting, SwitchId::Starting},
    {SettingKeys::Ending, &S::gEnding, SwitchId::Ending},
}};

} // namespace

std::span<const DefaultSetting> all()
{
    return table;
}

const DefaultSetting &forSwitch(SwitchId id)
{
    for (const DefaultSetting &setting : table) {
        if (setting.switchId == id)
            return setting;
    }
    // Every SwitchId has its row; the compiler cannot know that.
    Q_UNREACHABLE();
    return table.front();
}

const DefaultSetting *forKey(QStringView key)
{
    for (const DefaultSetting &setting : table) {
        if (setting.key == key)
            return &setting;
    }
    return nullptr;
}

bool &switchValue(SavedDefaults &defaults, SwitchId id)
{
    return defaults.*std::get<bool SavedDefaults::*>(forSwitch(id).field);
}

bool switchValue(const SavedDefaults &defaults, SwitchId id)
{
    return defaults.*std::get<bool SavedDefaults::*>(forSwitch(id).field);
}

QString booleanText(bool value)
{
    return value ? u"True"_s : u"False"_s;
}

QString defaultText(const DefaultSetting &setting)
{
    return storedText(SavedDefaults(), setting);
}

QString storedText(const SavedDefaults &defaults, const DefaultSetting &setting)
{
    struct Visitor
    {
        const SavedDefaults &d;
        QString operator()(QString SavedDefaults::*m) const { return d.*m; }
        QString operator()(qint16 SavedDefaults::*m) const
        {
            return TextConversions::numberText(d.*m);
        }
        QString operator()(bool SavedDefaults::*m) const { return booleanText(d.*m); }
    };
    return std::visit(Visitor{defaults}, setting.field);
}

} // namespace DefaultsTable
