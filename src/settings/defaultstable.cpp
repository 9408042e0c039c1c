#include "defaultstable.h"

#include "settingkeys.h"
#include "textconversions.h"

#include <array>

using namespace Qt::StringLiterals;

namespace DefaultsTable {
namespace {

using S = SavedDefaults;

const std::array<DefaultSetting, 13> table = {{
    {SettingKeys::Drive, u"C", &S::gDrive, std::nullopt},
    {SettingKeys::Path, u"", &S::gPath, std::nullopt},
    {SettingKeys::MaxLength, u"60", &S::gMaxLen, std::nullopt},
    {SettingKeys::IncSubDirs, u"True", &S::gIncSub, SwitchId::IncludeSubdirs},
    {SettingKeys::MaxCount, u"1000", &S::gMaxCnt, std::nullopt},
    {SettingKeys::ReadOnly, u"True", &S::gReadOnly, SwitchId::ReadOnly},
    {SettingKeys::Underline, u"True", &S::gUnderline, SwitchId::Underline},
    {SettingKeys::MultSpecial, u"True", &S::gMultSpecial, SwitchId::MultSpecial},
    {SettingKeys::MultSpace, u"True", &S::gMultSpace, SwitchId::MultSpace},
    {SettingKeys::Empty, u"True", &S::gEmpty, SwitchId::Empty},
    {SettingKeys::Copy, u"True", &S::gCopy, SwitchId::Copy},
    {SettingKeys::Starting, u"True", &S::gStarting, SwitchId::Starting},
    {SettingKeys::Ending, u"True", &S::gEnding, SwitchId::Ending},
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
