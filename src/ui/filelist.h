#pragma once

#include <QListView>

class QStringListModel;

// The files of one folder, in the order in which the file system lists
// them; hidden files (names starting with ".") are left out. One model row
// per file, all of one height, so a folder of a hundred thousand files stays
// quick to show and scroll.
class FileList final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileList)

public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);
    // Reads the folder again, so renamed files show their new names.
    void refresh();

    QStringList fileNames() const;

private:
    QStringListModel *m_model;
    QString m_path;
};
