#pragma once

#include <dirent.h>

// Owns one open directory stream and closes it however the scope is left.
class UniqueDir final
{
public:
    explicit UniqueDir(DIR *dir = nullptr)
        : m_dir(dir)
    { }
    ~UniqueDir()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    UniqueDir(const UniqueDir &) = delete;
    UniqueDir &operator=(const UniqueDir &) = delete;

    DIR *get() const { return m_dir; }

private:
    DIR *m_dir;
};
