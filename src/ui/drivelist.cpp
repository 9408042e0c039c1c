#include "drivelist.h"

#include "drivepaths.h"
#include "uitexts.h"

#include <QDir>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

DriveList::DriveList(const Drives &drives, QWidget *parent)
    : QComboBox(parent)
    , m_drives(drives)
{
    fill();
}

void DriveList::fill()
{
    const std::optional<QChar> selected = letter();
    const QSignalBlocker blocker(this);
    clear();
    m_list = m_drives.list();
    for (const DriveInfo &info : m_list)
        addItem(UiTexts::driveEntry(info.letter, info.mountPoint, info.kind));
    if (selected)
        selectLetter(*selected);
}

void DriveList::showPopup()
{
    // Volumes come and go while the program runs.
    fill();
    QComboBox::showPopup();
}

std::optional<QChar> DriveList::letter() const
{
    return DrivePaths::letterOf(drive());
}

bool DriveList::selectLetter(QChar letter)
{
    letter = letter.toUpper();
    for (qsizetype i = 0; i < m_list.size(); ++i) {
        if (m_list.at(i).letter == letter) {
            setCurrentIndex(int(i));
            return true;
        }
    }
    return false;
}

std::optional<QChar> DriveList::driveOf(const QString &path) const
{
    if (const std::optional<DriveInfo> owner = DrivePaths::driveOf(m_list, path))
        return owner->letter;
    return std::nullopt;
}

void DriveList::rememberFolder(const QString &path)
{
    if (const std::optional<QChar> owner = driveOf(path))
        m_folders.insert(*owner, path);
}

QString DriveList::mountPoint(QChar letter) const
{
    const DriveInfo *drive = DrivePaths::find(m_list, letter.toUpper());
    return drive ? drive->mountPoint : QString();
}

QString DriveList::currentFolder(QChar letter) const
{
    const QString remembered = m_folders.value(letter.toUpper());
    if (!remembered.isEmpty() && QDir(remembered).exists())
        return remembered;
    return mountPoint(letter);
}
