#include "treesnapshot.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

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
