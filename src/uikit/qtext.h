#pragma once
// The window-free code speaks UTF-8 std::string; the controls speak QString.
// File names go between them as the file system takes them: UTF-16 on
// Windows (a UTF-8 std::string would be read in the ANSI code page there),
// the local encoding's bytes elsewhere.

#include <QFile>
#include <QString>
#include <filesystem>
#include <string_view>

namespace tamrik {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::filesystem::path pathFromQString(const QString& name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

inline QString qStringFromPath(const std::filesystem::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

}  // namespace tamrik
