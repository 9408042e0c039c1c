#pragma once

#include <QListView>

class QStringListModel;

// The files of one folder (regular files and links to them; hidden files,
// whose names start with ".", left out) in the order of NameOrder. A name
// that is not UTF-8 shows its odd bytes escaped, as the pass shows it. One
// model row per file, all of one height, so a folder of a hundred thousand
// files stays quick to show and scroll. A folder that cannot be read shows
// no files and the reason in their place.
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
    // Why the folder could not be read; empty when it was.
    QString readFailure() const { return m_readFailure; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringListModel *m_model;
    QString m_path;
    QString m_readFailure;
};
