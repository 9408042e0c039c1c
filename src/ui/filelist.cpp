#include "filelist.h"

#include "folderentries.h"
#include "namebytes.h"
#include "nameorder.h"

#include <QDir>
#include <QPainter>
#include <QStringListModel>

FileList::FileList(QWidget *parent)
    : QListView(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const QString &path)
{
    m_path = QDir::cleanPath(QDir(path).absolutePath());
    refresh();
}

void FileList::refresh()
{
    QStringList names;
    m_readFailure.clear();
    if (!m_path.isEmpty()) {
        // Names are read as bytes: the platform's own listing leaves out
        // every name that is not valid in the locale's encoding.
        const Result<FolderEntries> entries = readFolderEntries(m_path);
        if (entries.ok()) {
            for (const QByteArray &name : entries.value().files)
                names.append(NameBytes::decode(name).text);
            NameOrder::sort(names);
        } else {
            m_readFailure = entries.failure().description;
        }
    }
    m_model->setStringList(names);
    viewport()->update();
}

QStringList FileList::fileNames() const
{
    return m_model->stringList();
}

void FileList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (m_readFailure.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_readFailure);
}
