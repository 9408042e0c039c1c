#include "treesnapshot.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace fs = std::filesystem;

void buildTree(const fs::path &root, const QByteArray &layout)
{
    for (const QByteArray &item : layout.split('|')) {
        if (item.isEmpty())
            continue;
        const QByteArrayList parts = item.split('>'); // a link and its target
        const QByteArrayList moded = parts[0].split(':'); // a name and its mode
        QByteArray name = moded[0];
        const char kind = parts.size() == 2 ? '>' : name.back();
        if (kind == '/' || kind == '*' || kind == '!')
            name.chop(1);
        const fs::path at = root / name.toStdString();
        fs::create_directories(at.parent_path());
        if (kind == '>')
            fs::create_symlink(parts[1].toStdString(), at);
        else if (kind == '/')
            fs::create_directories(at);
        else if (kind == '!')
            mkfifo(at.c_str(), 0644);
        else
            std::ofstream(at, std::ios::binary) << name.constData();
        if (kind == '*' || moded.size() == 2)
            fs::permissions(at, fs::perms(kind == '*' ? 0444 : moded[1].toInt(nullptr, 8)));
    }
}

QByteArray numbered(const QByteArray &prefix, int from, int to, const QByteArray &suffix)
{
    QByteArrayList items;
    for (int i = from; i < to; ++i)
        items.append(prefix + QByteArray::number(i) + suffix);
    return items.join('|');
}

QByteArrayList treeSnapshot(const fs::path &root)
{
    QByteArrayList entries;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        const fs::file_status status = entry.symlink_status();
        QByteArray line = QByteArray::fromStdString(entry.path().lexically_relative(root).string())
            + '|' + QByteArray::number(int(status.permissions()), 8) + '|';
        if (fs::is_symlink(status)) {
            line += "-> " + QByteArray::fromStdString(fs::read_symlink(entry.path()).string());
        } else if (fs::is_regular_file(status)) {
            std::ifstream in(entry.path(), std::ios::binary);
            line += QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
        } else {
            line += "kind " + QByteArray::number(int(status.type()));
        }
        entries.append(line);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}
