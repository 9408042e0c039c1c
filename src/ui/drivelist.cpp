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
    const DriveInfo *before = selected();
    const QString selectedMount = before ? before->mountPoint : QString();
    const QSignalBlocker blocker(this);
    clear();
    m_list = m_drives.list();
    for (const DriveInfo &info : m_list)
        addItem(UiTexts::driveEntry(info.letter, info.mountPoint, info.kind));
    for (qsizetype i = 0; i < m_list.size(); ++i) {
        if (m_list.at(i).mountPoint == selectedMount)
            setCurrentIndex(int(i));
    }
}

void DriveList::showPopup()
{
    // Volumes come and go while the program runs.
    fill();
    QComboBox::showPopup();
}

const DriveInfo *DriveList::selected() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_list.size() ? &m_list.at(index) : nullptr;
}

std::optional<QChar> DriveList::letter() const
{
    const DriveInfo *drive = selected();
    if (!drive || drive->letter.isNull())
        return std::nullopt;
    return drive->letter;
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

void DriveList::selectDriveOf(const QString &path)
{
    if (const qsizetype owner = DrivePaths::mountOf(m_list, path); owner >= 0)
        setCurrentIndex(int(owner));
}

void DriveList::rememberFolder(const QString &path)
{
    if (const qsizetype owner = DrivePaths::mountOf(m_list, path); owner >= 0)
        m_folders.insert(m_list.at(owner).mountPoint, path);
}

QString DriveList::currentFolder() const
{
    const DriveInfo *drive = selected();
    if (!drive)
        return QString();
    const QString remembered = m_folders.value(drive->mountPoint);
    if (!remembered.isEmpty() && QDir(remembered).exists())
        return remembered;
    return drive->mountPoint;
}
